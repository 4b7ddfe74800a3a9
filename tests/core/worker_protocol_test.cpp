// The scan worker: its steps in order, one scan at a time, stopping, pacing, and the
// state the windows read and change while it runs.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/clean_engine.h"
#include "fake_platform.h"

namespace scourix {
namespace {

// Notes every step of the worker with the state the windows would see, in order. Only
// the worker notes; the test reads the notes once it has joined the worker.
class WorkerProtocol : public ::testing::Test, public ScanObserver {
 protected:
  struct NotingPlatform : test::FakePlatform {
    explicit NotingPlatform(WorkerProtocol& t) : test(t) {}
    void raiseThreadPriority() override { test.note("priority"); }
    void sleepMs(int milliseconds) override {
      FakePlatform::sleepMs(milliseconds);
      test.note("sleep " + std::to_string(milliseconds));
      if (milliseconds == 10 && test.midway) test.midway();  // a pause of the walk
    }
    WorkerProtocol& test;
  };

  void SetUp() override {
    platform.memoryDirs[drive] = {test::fileEntry("a.bak"), test::fileEntry("b.txt", 0)};
    engine.choices().drives.emplace_back();
    engine.choices().drives.back().root = drive;
    engine.setProfilesFolder(test::memoryRoot(platform, "[no-profiles]"));
    engine.setObserver(this);
  }
  void note(const std::string& step) {
    notes.push_back(step + " found=" + std::to_string(engine.findings().count()) +
                    " running=" + std::to_string(engine.progress().running(ScanKind::Disk)) +
                    std::to_string(engine.progress().running(ScanKind::Trace)) + " progress=" +
                    std::to_string(engine.progress().position()) + "/" +
                    std::to_string(engine.progress().maximum()));
  }
  void scanStarted(ScanKind kind) override {
    startedOn = std::this_thread::get_id();
    note(kind == ScanKind::Disk ? "started disk" : "started trace");
    if (atStart) atStart();
  }
  void scanFinished(ScanKind kind) override {
    note(kind == ScanKind::Disk ? "finished disk" : "finished trace");
    if (atFinish) atFinish();
  }
  void scanOver(ScanKind) override {}

  std::function<void()> midway, atStart, atFinish;
  std::vector<std::string> notes;
  std::thread::id startedOn;
  NotingPlatform platform{*this};
  CleanEngine engine{platform};
  const std::string drive = test::memoryRoot(platform, "[drive]");
};

// A scan empties the previous one's findings on the starting thread (the windows'),
// before the worker runs: the result list never reads the lines being freed.
TEST_F(WorkerProtocol, StepsInOrder) {
  for (bool disk : {true, false}) {
    ASSERT_TRUE(disk ? engine.startDiskScan() : engine.startTraceScan());
    engine.waitForScan();
  }
  EXPECT_EQ(notes, (std::vector<std::string>{
                       "started disk found=0 running=00 progress=0/200000",
                       "priority found=0 running=00 progress=0/200000",
                       "sleep 50 found=0 running=10 progress=0/200000",
                       "finished disk found=2 running=00 progress=200000/200000",
                       "started trace found=0 running=00 progress=0/15000",
                       "priority found=0 running=00 progress=0/15000",
                       "sleep 50 found=0 running=01 progress=0/15000",
                       "sleep 10 found=0 running=01 progress=0/15000",
                       "sleep 10 found=0 running=01 progress=0/15000",
                       "finished trace found=0 running=00 progress=15000/15000"}));
  EXPECT_EQ(startedOn, std::this_thread::get_id());
  EXPECT_FALSE(engine.scanBusy());
}

// While a scan runs (here: the windows' step at its start), no other scan starts. The
// list is the worker's until its walk is over, the windows' from the finished box on.
// The user's stop ends the scan as usual, with the findings of the walk it cut short locked.
TEST_F(WorkerProtocol, ASecondStartIsRefusedAStopEndsTheWalkAndTheListIsTheWorkersUntilThen) {
  const std::string second = test::memoryRoot(platform, "[second]");  // enough files to pause at the 200th step
  for (int i = 0; i < 250; ++i) platform.memoryDirs[second].push_back(test::fileEntry(std::to_string(i) + ".bak"));
  engine.choices().drives.push_back({second, second});
  int duringWalk = -1;
  int atFinishedBox = -1;
  atStart = [&] {
    EXPECT_TRUE(engine.scanBusy());
    EXPECT_FALSE(engine.startTraceScan());
    EXPECT_FALSE(engine.startDiskScan());
    engine.runTraceScan();
    EXPECT_EQ(engine.progress().maximum(), kDiskProgressMax);
  };
  midway = [&] {
    duringWalk = engine.deleteMarkedFiles().deleted;
    engine.stopScan();
  };
  atFinish = [&] { atFinishedBox = engine.deleteMarkedFiles().deleted; };
  engine.runDiskScan();
  EXPECT_FALSE(engine.scanBusy());
  EXPECT_EQ(notes.back(), "finished disk found=200 running=00 progress=200000/200000");
  EXPECT_EQ(std::make_pair(duringWalk, atFinishedBox), std::make_pair(0, 1));  // a.bak: the empty file starts unticked
  EXPECT_TRUE(engine.stoppedEarly() && !engine.stopRequested());
  atStart = midway = atFinish = nullptr;  // the next scan starts afresh
  ASSERT_TRUE(engine.startDiskScan());
  engine.waitForScan();
  EXPECT_EQ(engine.findings().count(), 252);
}

TEST_F(WorkerProtocol, TheWindowsReadTheStateAndChangeTheSettingsWhileTheWorkerRuns) {
  std::vector<DirEntry>& files = platform.memoryDirs[drive];
  files.clear();
  for (int i = 0; i < 20000; ++i) files.push_back(test::fileEntry(std::to_string(i) + ".q"));
  engine.choices().rules.append(ScanRule{1, ".q", "", MatchAtEnd});
  ASSERT_TRUE(engine.startDiskScan());
  engine.choices().rules.clear();  // the scan has its own copy
  std::int32_t lastPos = 0;
  while (engine.scanBusy()) {
    EXPECT_GE(engine.progress().position(), lastPos);
    lastPos = engine.progress().position();
    EXPECT_LE(engine.progress().currentPath().size(), drive.size() + 7);
    engine.choices().settings.backupFiles = lastPos % 2;  // a flag may change at any time
  }
  engine.waitForScan();
  EXPECT_EQ(engine.findings().count(), 20000);
  EXPECT_EQ(engine.progress().currentPath(), drive + "19999.q");
}

}  // namespace
}  // namespace scourix
