// Deleting the ticked findings, and emptying the recycle bin after a trace scan.
#include <gtest/gtest.h>

#include <string>

#include "engine/clean_engine.h"
#include "engine/trace_locations.h"
#include "fake_platform.h"
#include "temp_tree.h"

namespace scourix {
namespace {

class DeleteMarked : public ::testing::Test {
 protected:
  void offer(const std::string& path, const std::string& category, int toDelete = 1) {
    FoundFile file;
    file.path = path;
    file.name = path.substr(path.find_last_of(platform.separator()) + 1);
    file.category = category;
    file.toDelete = toDelete;
    engine.addFoundFile(file);
  }

  test::TempTree tree;
  test::FakePlatform platform;
  CleanEngine engine{platform};
};

TEST_F(DeleteMarked, DeletesTickedFilesAndEmptiesTheList) {
  const std::string a = tree.file("a.tmp");
  const std::string b = tree.file("sub/b.bak");
  offer(a, "temp files");
  offer(b, "back files");
  const DeletionResult result = engine.deleteMarkedFiles();
  EXPECT_EQ(result.deleted, 2);
  EXPECT_EQ(result.failed, 0);
  EXPECT_FALSE(result.recycleBinEmptied);
  EXPECT_EQ(engine.foundCount(), 0);
  EXPECT_FALSE(test::TempTree::exists(a));
  EXPECT_FALSE(test::TempTree::exists(b));
}

TEST_F(DeleteMarked, UntickedFilesStayOnDiskAndLeaveTheList) {
  const std::string keep = tree.file("keep.bak");
  const std::string drop = tree.file("drop.bak");
  offer(keep, "back files", 0);
  offer(drop, "back files");
  const DeletionResult result = engine.deleteMarkedFiles();
  EXPECT_EQ(result.deleted, 1);
  EXPECT_TRUE(test::TempTree::exists(keep));
  EXPECT_FALSE(test::TempTree::exists(drop));
  EXPECT_EQ(engine.foundCount(), 0);
  EXPECT_EQ(engine.hasFoundPath(keep), 0);
  EXPECT_EQ(platform.deleted, std::vector<std::string>{drop});
}

TEST_F(DeleteMarked, FilesThatCannotBeDeletedStayTicked) {
  const std::string stuck = tree.file("stuck.log");
  const std::string gone = tree.path("already-gone.tmp");
  const std::string fine = tree.file("fine.tmp");
  platform.failingDeletes = {stuck};
  offer(stuck, "system log files");
  offer(gone, "temp files");
  offer(fine, "temp files");
  const DeletionResult result = engine.deleteMarkedFiles();
  EXPECT_EQ(result.deleted, 1);
  EXPECT_EQ(result.failed, 2);
  ASSERT_EQ(engine.foundCount(), 2);
  EXPECT_EQ(engine.foundFile(0).path, stuck);
  EXPECT_EQ(engine.foundFile(0).toDelete, 1);
  EXPECT_EQ(engine.foundFile(1).path, gone);
  EXPECT_TRUE(test::TempTree::exists(stuck));
  // The index follows the list: kept paths are still known, deleted ones are not.
  EXPECT_EQ(engine.hasFoundPath(stuck), 1);
  EXPECT_EQ(engine.hasFoundPath(fine), 0);
  offer(stuck, "empty files");
  offer(fine, "temp files");
  EXPECT_EQ(engine.foundCount(), 3);
  EXPECT_EQ(engine.pathForTreeItem(0), stuck);
}

TEST_F(DeleteMarked, APendingRecycleBinIsEmptiedOnce) {
  engine.recycleBinPending = 1;
  offer(tree.file("r.doc"), kRecyclerLabel);
  const DeletionResult result = engine.deleteMarkedFiles();
  EXPECT_TRUE(result.recycleBinEmptied);
  EXPECT_EQ(platform.recycleBinEmptied, 1);
  EXPECT_EQ(engine.recycleBinPending, 0);
  EXPECT_FALSE(engine.deleteMarkedFiles().recycleBinEmptied);
  EXPECT_EQ(platform.recycleBinEmptied, 1);
}

TEST_F(DeleteMarked, AnEmptyListStillEmptiesAPendingBin) {
  engine.recycleBinPending = 1;
  EXPECT_TRUE(engine.deleteMarkedFiles().recycleBinEmptied);
  EXPECT_EQ(platform.recycleBinEmptied, 1);
}

TEST_F(DeleteMarked, AnUntickedRecycleFindingKeepsTheBin) {
  engine.recycleBinPending = 1;
  offer(tree.file("Recycled/DC1.txt"), kRecycledLabel, 0);
  offer(tree.file("x.tmp"), "temp files");
  const DeletionResult result = engine.deleteMarkedFiles();
  EXPECT_FALSE(result.recycleBinEmptied);
  EXPECT_EQ(platform.recycleBinEmptied, 0);
  EXPECT_EQ(engine.recycleBinPending, 0);
  EXPECT_EQ(result.deleted, 1);
}

TEST_F(DeleteMarked, UntickedOrdinaryFindingsDoNotKeepTheBin) {
  engine.recycleBinPending = 1;
  offer(tree.file("x.tmp"), "temp files", 0);
  EXPECT_TRUE(engine.deleteMarkedFiles().recycleBinEmptied);
}

TEST_F(DeleteMarked, ATraceScanWithTheBinThenADeletionEmptiesIt) {
  const std::string root = tree.root();
  tree.file("RECYCLER/S-1/Dc1.doc");
  tree.file("RECYCLER/S-1/INFO2");
  DriveEntry drive;
  drive.root = root;
  engine.drives.push_back(drive);
  engine.profilesFolderOverride = tree.path("no-profiles");
  engine.runTraceScan();
  ASSERT_EQ(engine.foundCount(), 1);
  const DeletionResult result = engine.deleteMarkedFiles();
  EXPECT_EQ(result.deleted, 1);
  EXPECT_TRUE(result.recycleBinEmptied);
  EXPECT_TRUE(test::TempTree::exists(tree.path("RECYCLER/S-1/INFO2")));
}

TEST_F(DeleteMarked, ADiskScanAfterATraceScanDoesNotEmptyTheBin) {
  engine.profilesFolderOverride = tree.path("no-profiles");
  engine.runTraceScan();
  ASSERT_EQ(engine.recycleBinPending, 1);
  engine.runDiskScan();
  EXPECT_FALSE(engine.deleteMarkedFiles().recycleBinEmptied);
  EXPECT_EQ(platform.recycleBinEmptied, 0);
}

TEST_F(DeleteMarked, EmptyRecycleBinClearsTheMark) {
  engine.recycleBinPending = 1;
  engine.emptyRecycleBin();
  EXPECT_EQ(engine.recycleBinPending, 0);
  EXPECT_EQ(platform.recycleBinEmptied, 1);
}

}  // namespace
}  // namespace scourix
