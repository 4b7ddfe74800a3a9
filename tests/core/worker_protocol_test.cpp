// The scan worker: its steps in order, one scan at a time, stopping, pacing, and the
// state the windows poll while it runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/clean_engine.h"
#include "fake_platform.h"

namespace scourix {
namespace {

// Everything the worker does, in order, as text.
class EventLog {
 public:
  void add(const std::string& event) {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back(event);
  }
  std::vector<std::string> events() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> events_;
};

// Holds the worker at a point until the test opens it.
class Gate {
 public:
  void wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    reached_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return open_; });
  }
  void waitUntilReached() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return reached_; });
  }
  void open() {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool reached_ = false;
  bool open_ = false;
};

class LoggingPlatform : public test::FakePlatform {
 public:
  explicit LoggingPlatform(EventLog& log) : log_(log) {}
  void raiseThreadPriority() override {
    priorityThread = std::this_thread::get_id();
    log_.add("priority");
  }
  std::thread::id priorityThread;

 private:
  EventLog& log_;
};

class RecordingObserver : public ScanObserver {
 public:
  RecordingObserver(CleanEngine& engine, EventLog& log) : engine_(engine), log_(log) {}
  void scanStarted(ScanKind kind) override {
    thread = std::this_thread::get_id();
    log_.add(std::string("started ") + name(kind) + state());
    if (startGate) startGate->wait();
  }
  void scanFinished(ScanKind kind) override {
    log_.add(std::string("finished ") + name(kind) + state());
    if (finishGate) finishGate->wait();
  }

  Gate* startGate = nullptr;
  Gate* finishGate = nullptr;
  std::thread::id thread;

 private:
  static const char* name(ScanKind kind) { return kind == ScanKind::Disk ? "disk" : "trace"; }
  std::string state() const {
    return " found=" + std::to_string(engine_.foundCount()) +
           " disk=" + std::to_string(engine_.diskScanRunning.load()) +
           " trace=" + std::to_string(engine_.traceScanRunning.load()) +
           " pos=" + std::to_string(engine_.progressPos.load()) +
           " max=" + std::to_string(engine_.progressMax.load());
  }
  CleanEngine& engine_;
  EventLog& log_;
};

class WorkerProtocol : public ::testing::Test {
 protected:
  void SetUp() override {
    platform.onSleep = [this](int ms) {
      log.add("sleep " + std::to_string(ms) + " disk=" +
              std::to_string(engine.diskScanRunning.load()) + " trace=" +
              std::to_string(engine.traceScanRunning.load()));
    };
    platform.memoryDirs[drive] = {test::fileEntry("a.bak"), test::fileEntry("b.txt", 0)};
    DriveEntry entry;
    entry.root = drive;
    engine.drives.push_back(entry);
    engine.profilesFolderOverride = test::memoryRoot(platform, "[no-profiles]");
    engine.setObserver(&observer);
  }

  EventLog log;
  LoggingPlatform platform{log};
  CleanEngine engine{platform};
  RecordingObserver observer{engine, log};
  const std::string drive = test::memoryRoot(platform, "[drive]");
};

TEST_F(WorkerProtocol, DiskScanStepsInOrder) {
  ASSERT_TRUE(engine.startDiskScan());
  engine.waitForScan();
  EXPECT_EQ(log.events(),
            (std::vector<std::string>{
                "priority",
                "started disk found=0 disk=0 trace=0 pos=0 max=200000",
                "sleep 50 disk=1 trace=0",
                "finished disk found=2 disk=0 trace=0 pos=200000 max=200000"}));
  EXPECT_NE(observer.thread, std::this_thread::get_id());
  EXPECT_EQ(platform.priorityThread, observer.thread);
  EXPECT_FALSE(engine.scanBusy());
}

TEST_F(WorkerProtocol, TraceScanStepsInOrder) {
  engine.drives.clear();
  ASSERT_TRUE(engine.startTraceScan());
  engine.waitForScan();
  EXPECT_EQ(log.events(),
            (std::vector<std::string>{
                "priority",
                "started trace found=0 disk=0 trace=0 pos=0 max=15000",
                "sleep 50 disk=0 trace=1",
                "finished trace found=0 disk=0 trace=0 pos=15000 max=15000"}));
}

TEST_F(WorkerProtocol, StartingEmptiesTheListBeforeTheWindowsHear) {
  ASSERT_TRUE(engine.startDiskScan());
  engine.waitForScan();
  ASSERT_EQ(engine.foundCount(), 2);
  ASSERT_TRUE(engine.startDiskScan());  // collects the finished worker
  engine.waitForScan();
  EXPECT_EQ(log.events()[5], "started disk found=0 disk=0 trace=0 pos=0 max=200000");
  EXPECT_EQ(engine.foundCount(), 2);
}

TEST_F(WorkerProtocol, ASecondStartIsRefusedWhileAScanRuns) {
  Gate gate;
  observer.startGate = &gate;
  ASSERT_TRUE(engine.startDiskScan());
  gate.waitUntilReached();
  EXPECT_TRUE(engine.scanBusy());
  EXPECT_FALSE(engine.startTraceScan());
  EXPECT_FALSE(engine.startDiskScan());
  EXPECT_EQ(engine.progressMax, kDiskProgressMax);
  engine.runTraceScan();  // refused as well
  gate.open();
  engine.waitForScan();
  EXPECT_FALSE(engine.scanBusy());
  EXPECT_EQ(engine.foundCount(), 2);
  observer.startGate = nullptr;
  EXPECT_TRUE(engine.startTraceScan());
  engine.waitForScan();
  EXPECT_EQ(engine.progressPos, kTraceProgressMax);
}

TEST_F(WorkerProtocol, AStopRequestEndsTheWalkButNotTheEndSteps) {
  Gate gate;
  observer.startGate = &gate;
  ASSERT_TRUE(engine.startDiskScan());
  gate.waitUntilReached();
  engine.requestStop();
  gate.open();
  engine.waitForScan();
  EXPECT_EQ(engine.foundCount(), 0);
  EXPECT_EQ(log.events().back(), "finished disk found=0 disk=0 trace=0 pos=200000 max=200000");
  // The next scan starts afresh.
  observer.startGate = nullptr;
  ASSERT_TRUE(engine.startDiskScan());
  engine.waitForScan();
  EXPECT_FALSE(engine.stopRequested());
  EXPECT_EQ(engine.foundCount(), 2);
}

TEST_F(WorkerProtocol, DestroyingTheEngineStopsARunningScan) {
  // A listing that would run for a very long time unless the walk stops.
  struct Endless : DirListing {
    Endless(Gate& g, bool& e) : started(g), exhausted(e) {}
    bool next(DirEntry& entry) override {
      if (count == 0) started.open();
      if (++count > 50000000) {
        exhausted = true;
        return false;
      }
      entry.name = "f" + std::to_string(count % 1000) + ".txt";
      entry.size = 1;
      return true;
    }
    Gate& started;
    bool& exhausted;
    long count = 0;
  };
  Gate started;
  bool exhausted = false;
  test::FakePlatform quiet;
  const std::string root = test::memoryRoot(quiet, "[endless]");
  quiet.listingHook = [&](const std::string& dir) -> std::unique_ptr<DirListing> {
    if (dir != root) return nullptr;
    return std::make_unique<Endless>(started, exhausted);
  };
  {
    CleanEngine doomed(quiet);
    DriveEntry entry;
    entry.root = root;
    doomed.drives.push_back(entry);
    ASSERT_TRUE(doomed.startDiskScan());
    started.wait();
  }
  EXPECT_FALSE(exhausted);
}

TEST_F(WorkerProtocol, ThePagesMayPollWhileTheWorkerRuns) {
  std::vector<DirEntry> many;
  for (int i = 0; i < 20000; ++i) many.push_back(test::fileEntry(std::to_string(i) + ".bak"));
  platform.memoryDirs[drive] = many;
  platform.onSleep = nullptr;
  engine.setObserver(nullptr);
  ASSERT_TRUE(engine.startDiskScan());
  std::int32_t lastPos = 0;
  std::size_t longest = 0;
  while (engine.scanBusy()) {
    const std::int32_t pos = engine.progressPos;
    EXPECT_GE(pos, lastPos);
    lastPos = pos;
    longest = std::max(longest, engine.currentPath().size());
    (void)engine.diskScanRunning.load();
  }
  engine.waitForScan();
  EXPECT_EQ(engine.progressPos, kDiskProgressMax);
  EXPECT_EQ(engine.foundCount(), 20000);
  EXPECT_EQ(engine.currentPath(), drive + "19999.bak");
  EXPECT_LE(longest, drive.size() + 9);
}

TEST_F(WorkerProtocol, RuleChangesDuringAScanAreSafeAndWaitForTheNextScan) {
  Gate gate;
  observer.startGate = &gate;
  ScanRule rule;
  rule.pattern = ".txt";
  engine.rules.append(rule);
  ASSERT_TRUE(engine.startDiskScan());
  gate.waitUntilReached();
  engine.rules.clear();
  rule.pattern = "a.bak";
  engine.rules.append(rule);
  engine.settings.backupFiles = 0;  // a flag change governs the files that follow
  gate.open();
  engine.waitForScan();
  ASSERT_EQ(engine.foundCount(), 1);
  EXPECT_EQ(engine.foundFile(0).category, "my rules(.txt)");
}

TEST_F(WorkerProtocol, DeletionWaitsForTheWalkButNotForTheFinishedBox) {
  Gate started;
  Gate finished;
  observer.startGate = &started;
  observer.finishGate = &finished;
  ASSERT_TRUE(engine.startDiskScan());
  started.waitUntilReached();
  const DeletionResult refused = engine.deleteMarkedFiles();
  EXPECT_EQ(refused.deleted + refused.failed, 0);
  started.open();
  // The worker now waits in its last step, as it does while "扫描完毕" is shown.
  finished.waitUntilReached();
  const DeletionResult result = engine.deleteMarkedFiles();
  EXPECT_EQ(result.deleted, 2);
  EXPECT_EQ(engine.foundCount(), 0);
  finished.open();
  engine.waitForScan();
  EXPECT_EQ(platform.deleted.size(), 2u);
}

TEST_F(WorkerProtocol, WithoutAnObserverTheScanStillEnds) {
  engine.setObserver(nullptr);
  ASSERT_TRUE(engine.startDiskScan());
  engine.waitForScan();
  EXPECT_EQ(engine.foundCount(), 2);
  EXPECT_EQ(engine.diskScanRunning, 0);
}

TEST_F(WorkerProtocol, PacingOffSkipsTheSleepsButCountsThem) {
  engine.setPacing(false);
  engine.runDiskScan();
  EXPECT_TRUE(platform.sleeps.empty());
  EXPECT_EQ(engine.mandatedSleepMs(), 50);
  engine.setPacing(true);
  engine.runDiskScan();
  EXPECT_EQ(platform.sleeps, std::vector<int>{50});
  EXPECT_EQ(engine.mandatedSleepMs(), 100);
}

TEST_F(WorkerProtocol, PaceStepSleepsEvery200thStep) {
  engine.paceCounter = 0;
  for (int i = 0; i < 399; ++i) engine.paceStep();
  EXPECT_EQ(platform.sleeps, std::vector<int>{10});
  engine.paceStep();
  EXPECT_EQ(platform.sleeps, (std::vector<int>{10, 10}));
  EXPECT_EQ(engine.paceCounter, 400);
}

TEST_F(WorkerProtocol, PaceCounterWrapsToZeroAndSleeps) {
  engine.paceCounter = 89999999;
  engine.paceStep();
  EXPECT_EQ(engine.paceCounter, 90000000);
  EXPECT_EQ(platform.sleeps.size(), 1u);
  engine.paceStep();
  EXPECT_EQ(engine.paceCounter, 0);
  EXPECT_EQ(platform.sleeps.size(), 2u);
}

TEST_F(WorkerProtocol, StartResetsTheCountersAndTakesTheRules) {
  engine.paceCounter = 12345;
  engine.progressPos = 99;
  engine.setPacing(false);
  engine.runDiskScan();
  // Two files, one full stop each: two pace steps since the reset.
  EXPECT_EQ(engine.paceCounter, 2);
}

}  // namespace
}  // namespace scourix
