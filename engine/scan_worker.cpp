// The scan worker: start, the steps every scan runs through, pacing and progress.
#include <system_error>

#include "engine/clean_engine.h"

namespace scourix {
namespace {

constexpr int kStartSleepMs = 50;
constexpr int kPaceSleepMs = 10;
constexpr std::int32_t kPaceInterval = 200;
constexpr std::int32_t kPaceWrap = 90000000;

}  // namespace

bool CleanEngine::startDiskScan() { return beginScan(ScanKind::Disk); }

bool CleanEngine::startTraceScan() { return beginScan(ScanKind::Trace); }

void CleanEngine::runDiskScan() {
  if (!claimScan()) return;
  prepareScan(ScanKind::Disk);
  runScan(ScanKind::Disk);
  endScan(ScanKind::Disk);
}

void CleanEngine::runTraceScan() {
  if (!claimScan()) return;
  prepareScan(ScanKind::Trace);
  runScan(ScanKind::Trace);
  endScan(ScanKind::Trace);
}

// One scan at a time: both kinds fill the same found-file list.
bool CleanEngine::claimScan() {
  bool idle = false;
  return busy_.compare_exchange_strong(idle, true);
}

void CleanEngine::prepareScan(ScanKind kind) {
  paceCounter = 0;
  progressPos = 0;
  progressMax = kind == ScanKind::Disk ? kDiskProgressMax : kTraceProgressMax;
  // The scan works on its own copy: the rules page may change the store meanwhile.
  scanRules_ = choices_.rules.all();
  // A bin left pending by an earlier trace scan is no part of this scan's findings:
  // deleting them must not empty it.
  recycleBinPending = 0;
  stopRequested_ = false;
  workerOwnsList_ = true;
}

bool CleanEngine::beginScan(ScanKind kind) {
  if (!claimScan()) return false;
  // Another of the program's processes (an unattended clean) may be scanning.
  std::unique_ptr<ScanLock> lock = platform_.claimScanLock();
  if (lock == nullptr) {
    busy_ = false;
    return false;
  }
  // The previous worker has passed its last step; collect it.
  if (worker_.joinable()) worker_.join();
  prepareScan(kind);
  try {
    worker_ = std::thread([this, kind, lock = std::move(lock)]() mutable {
      platform_.raiseThreadPriority();
      runScan(kind);
      lock.reset();
      endScan(kind);
    });
  } catch (const std::system_error&) {
    workerOwnsList_ = false;
    busy_ = false;
    throw;
  }
  return true;
}

void CleanEngine::runScan(ScanKind kind) {
  clearFoundFiles();
  if (observer_ != nullptr) observer_->scanStarted(kind);
  auto& running = kind == ScanKind::Disk ? diskScanRunning : traceScanRunning;
  running = 1;
  sleepMandated(kStartSleepMs);
  if (kind == ScanKind::Disk) {
    const int count = driveCount();
    for (int i = 0; i < count && !stopRequested_; ++i) {
      if (choices_.drives[i].selected == 0) continue;
      const std::string root = choices_.drives[i].root;
      scanDrive(root);
    }
  } else {
    scanTraces();
  }
  progressPos = progressMax.load();
  running = 0;
  workerOwnsList_ = false;
  if (observer_ != nullptr) observer_->scanFinished(kind);
}

// The scan is over before the windows hear of it: from then on its findings are the
// windows' and another scan may start.
void CleanEngine::endScan(ScanKind kind) {
  busy_ = false;
  if (observer_ != nullptr) observer_->scanOver(kind);
}

void CleanEngine::scanDrive(const std::string& root) { walkDirectory(root, ""); }

void CleanEngine::waitForScan() {
  // An observer step may wait from the worker itself; it cannot join itself.
  if (worker_.joinable() && worker_.get_id() != std::this_thread::get_id()) worker_.join();
}

void CleanEngine::paceStep() {
  if (paceCounter < kPaceWrap) {
    ++paceCounter;
  } else {
    paceCounter = 0;
  }
  if (paceCounter % kPaceInterval == 0) sleepMandated(kPaceSleepMs);
}

void CleanEngine::sleepMandated(int milliseconds) {
  mandatedSleepMs_ += milliseconds;
  if (pacing_) platform_.sleepMs(milliseconds);
}

void CleanEngine::raiseProgress() {
  // Only the worker writes it, so a plain read and write suffice.
  const std::int32_t pos = progressPos.load(std::memory_order_relaxed);
  if (pos < progressMax.load(std::memory_order_relaxed)) {
    progressPos.store(pos + 1, std::memory_order_relaxed);
  }
}

void CleanEngine::countExamined() {
  filesExamined_.store(filesExamined_.load(std::memory_order_relaxed) + 1,
                       std::memory_order_relaxed);
}

}  // namespace scourix
