// The fixed-drive list: which letters count, and the merge with remembered drives.
#include <gtest/gtest.h>

#include "engine/clean_engine.h"
#include "fake_platform.h"

namespace scourix {
namespace {

class Drives : public ::testing::Test {
 protected:
  std::string root(char letter) const { return std::string(1, letter) + ':' + platform.separator(); }
  void fixed(char letter, int type = kDriveFixed) { platform.driveTypes[root(letter)] = type; }
  void remember(char letter, int selected) {
    DriveEntry drive;
    drive.root = root(letter);
    drive.displayName = drive.root;
    drive.selected = selected;
    engine.drives.push_back(drive);
  }
  std::string roots() const {
    std::string out;
    for (const DriveEntry& d : engine.drives) out += d.root.substr(0, 1);
    return out;
  }

  test::FakePlatform platform;
  CleanEngine engine{platform};
};

TEST_F(Drives, AsksForCToRInOrder) {
  engine.enumerateFixedDrives();
  ASSERT_EQ(platform.askedRoots.size(), 16u);
  EXPECT_EQ(platform.askedRoots.front(), root('C'));
  EXPECT_EQ(platform.askedRoots.back(), root('R'));
  for (std::size_t i = 0; i < 16; ++i) {
    EXPECT_EQ(platform.askedRoots[i], root(static_cast<char>('C' + i)));
  }
}

TEST_F(Drives, OnlyFixedDrivesAreListed) {
  fixed('C');
  fixed('D', 2);  // removable
  fixed('E', 4);  // network
  fixed('F', 5);  // optical
  fixed('G', 6);  // RAM disk
  fixed('H');
  fixed('A');
  fixed('B');
  fixed('S');
  fixed('Z');
  engine.enumerateFixedDrives();
  EXPECT_EQ(roots(), "CH");
  const DriveEntry& c = engine.drives[0];
  EXPECT_EQ(c.displayName, c.root);
  EXPECT_EQ(c.selected, 1);
  EXPECT_EQ(c.treeItem, 0u);
  EXPECT_EQ(c.present, 1);
}

TEST_F(Drives, NoFixedDriveGivesAnEmptyList) {
  remember('C', 1);
  engine.enumerateFixedDrives();
  EXPECT_EQ(engine.driveCount(), 0);
}

TEST_F(Drives, RememberedDrivesKeepTheirOrderAndSelection) {
  remember('E', 0);
  remember('C', 1);
  remember('K', 1);  // gone since the last run
  fixed('C');
  fixed('D');
  fixed('E');
  engine.enumerateFixedDrives();
  EXPECT_EQ(roots(), "ECD");
  EXPECT_EQ(engine.drives[0].selected, 0);
  EXPECT_EQ(engine.drives[1].selected, 1);
  EXPECT_EQ(engine.drives[2].selected, 1);
  for (const DriveEntry& d : engine.drives) EXPECT_EQ(d.present, 1);
}

TEST_F(Drives, EnumeratingTwiceChangesNothing) {
  fixed('C');
  fixed('D');
  engine.enumerateFixedDrives();
  engine.drives[1].selected = 0;
  engine.enumerateFixedDrives();
  EXPECT_EQ(roots(), "CD");
  EXPECT_EQ(engine.drives[1].selected, 0);
}

TEST_F(Drives, AddDriveRefusesAKnownRoot) {
  DriveEntry drive;
  drive.root = "C:\\";
  drive.selected = 0;
  engine.addDrive(drive);
  engine.drives[0].present = 0;
  drive.selected = 1;
  engine.addDrive(drive);
  ASSERT_EQ(engine.driveCount(), 1);
  EXPECT_EQ(engine.drives[0].selected, 0);
  EXPECT_EQ(engine.drives[0].present, 1);
  EXPECT_EQ(engine.markDrivePresent("C:\\"), 1);
  EXPECT_EQ(engine.markDrivePresent("c:\\"), 0);
}

TEST_F(Drives, SetAllDrivesPresent) {
  remember('C', 1);
  remember('D', 1);
  engine.setAllDrivesPresent(0);
  for (const DriveEntry& d : engine.drives) EXPECT_EQ(d.present, 0);
  engine.setAllDrivesPresent(1);
  for (const DriveEntry& d : engine.drives) EXPECT_EQ(d.present, 1);
}

TEST_F(Drives, DiskScanWalksOnlySelectedDrivesInListOrder) {
  const std::string sep(1, platform.separator());
  platform.memoryDirs["m1" + sep] = {test::fileEntry("a.bak")};
  platform.memoryDirs["m2" + sep] = {test::fileEntry("b.bak")};
  platform.memoryDirs["m3" + sep] = {test::fileEntry("c.bak")};
  for (const char* name : {"m3", "m2", "m1"}) {
    DriveEntry drive;
    drive.root = std::string(name) + sep;
    engine.drives.push_back(drive);
  }
  engine.drives[1].selected = 0;
  engine.runDiskScan();
  ASSERT_EQ(engine.foundCount(), 2);
  EXPECT_EQ(engine.foundFile(0).path, "m3" + sep + "c.bak");
  EXPECT_EQ(engine.foundFile(1).path, "m1" + sep + "a.bak");
}

TEST_F(Drives, AMissingRootYieldsNothing) {
  DriveEntry drive;
  drive.root = platform.path("no-such-root-of-scourix/", "");
  engine.drives.push_back(drive);
  engine.runDiskScan();
  EXPECT_EQ(engine.foundCount(), 0);
  EXPECT_EQ(engine.progressPos, kDiskProgressMax);
}

}  // namespace
}  // namespace scourix
