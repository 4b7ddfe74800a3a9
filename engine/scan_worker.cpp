#include "engine/scan_worker.h"

#include <system_error>
#include <utility>

namespace scourix {
namespace {

constexpr int kStartSleepMs = 50;

}  // namespace

ScanWorker::ScanWorker(Platform& platform, Findings& findings, ScanProgress& progress, Pacer& pacer,
                       Step prepare, Step walk)
    : platform_(platform), findings_(findings), progress_(progress), pacer_(pacer), prepare_(std::move(prepare)),
      walk_(std::move(walk)) {}

bool ScanWorker::start(ScanKind kind) {
  if (!claim()) return false;
  // Another of the program's processes (an unattended clean) may be scanning.
  std::unique_ptr<ScanLock> lock = platform_.claimScanLock();
  if (lock == nullptr) {
    busy_ = false;
    return false;
  }
  // The previous worker has passed its last step; collect it.
  if (thread_.joinable()) thread_.join();
  prepare(kind);
  try {
    thread_ = std::thread([this, kind, lock = std::move(lock)]() mutable {
      platform_.raiseThreadPriority();
      walk(kind);
      lock.reset();
      end(kind);
    });
  } catch (const std::system_error&) {
    findings_.setWorkerOwns(false);
    busy_ = false;
    throw;
  }
  return true;
}

void ScanWorker::run(ScanKind kind) {
  if (!claim()) return;
  prepare(kind);
  walk(kind);
  end(kind);
}

// One scan at a time: both kinds fill the same found-file list.
bool ScanWorker::claim() {
  bool idle = false;
  return busy_.compare_exchange_strong(idle, true);
}

// On the starting thread (the windows'), before the worker exists: the result list may
// paint the old lines until it hears that they are gone, so they go on its own thread.
void ScanWorker::prepare(ScanKind kind) {
  prepare_(kind);
  stop_ = false;
  findings_.clear();
  if (observer_ != nullptr) observer_->scanStarted(kind);
  closing_ = false;
  findings_.setWorkerOwns(true);
}

void ScanWorker::walk(ScanKind kind) {
  progress_.setRunning(kind, true);
  pacer_.sleep(kStartSleepMs);
  walk_(kind);
  progress_.complete();
  progress_.setRunning(kind, false);
  findings_.setWorkerOwns(false);
  if (observer_ != nullptr) observer_->scanFinished(kind);
}

// The scan is over before the windows hear of it: from then on its findings are the
// windows' and another scan may start.
void ScanWorker::end(ScanKind kind) {
  busy_ = false;
  if (observer_ != nullptr) observer_->scanOver(kind);
}

void ScanWorker::wait() {
  // An observer step may wait from the worker itself; it cannot join itself.
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

}  // namespace scourix
