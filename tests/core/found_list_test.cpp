// The found-file list: order, the unique path key, tree items, clearing.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "engine/clean_engine.h"
#include "engine/path_index.h"
#include "fake_platform.h"

namespace scourix {
namespace {

FoundFile finding(const std::string& path, const std::string& category) {
  FoundFile file;
  file.path = path;
  file.name = path.substr(path.find_last_of("\\/") + 1);
  file.category = category;
  return file;
}

class FoundList : public ::testing::Test {
 protected:
  test::FakePlatform platform;
  CleanEngine engine{platform};
};

TEST_F(FoundList, KeepsTheOrderFoundAndTheFirstCategory) {
  engine.addFoundFile(finding("C:\\b.tmp", "temp files"));
  engine.addFoundFile(finding("C:\\a.bak", "back files"));
  engine.addFoundFile(finding("C:\\b.tmp", "empty files"));
  ASSERT_EQ(engine.foundCount(), 2);
  EXPECT_EQ(engine.foundFile(0).path, "C:\\b.tmp");
  EXPECT_EQ(engine.foundFile(0).category, "temp files");
  EXPECT_EQ(engine.foundFile(1).path, "C:\\a.bak");
  EXPECT_EQ(engine.hasFoundPath("C:\\b.tmp"), 1);
  EXPECT_EQ(engine.hasFoundPath("C:\\c.tmp"), 0);
}

TEST_F(FoundList, PathsCompareExactlyAndCaseSensitively) {
  engine.addFoundFile(finding("C:\\a.tmp", "temp files"));
  engine.addFoundFile(finding("C:\\A.TMP", "temp files"));
  engine.addFoundFile(finding("C:\\a.tmp ", "temp files"));
  EXPECT_EQ(engine.foundCount(), 3);
  EXPECT_EQ(engine.hasFoundPath("c:\\a.tmp"), 0);
}

TEST_F(FoundList, CopiesEveryField) {
  FoundFile file = finding("C:\\dir\\x.log", "system log files");
  file.lastAccess = 1000;
  file.lastWrite = 2000;
  file.treeItem = 77;
  file.toDelete = 0;
  engine.addFoundFile(file);
  file.path = "changed";
  const FoundFile& stored = engine.foundFile(0);
  EXPECT_EQ(stored.lastAccess, 1000);
  EXPECT_EQ(stored.lastWrite, 2000);
  EXPECT_EQ(stored.name, "x.log");
  EXPECT_EQ(stored.path, "C:\\dir\\x.log");
  EXPECT_EQ(stored.category, "system log files");
  EXPECT_EQ(stored.treeItem, 77u);
  EXPECT_EQ(stored.toDelete, 0);
}

TEST_F(FoundList, PathForTreeItemTakesTheFirstRecordOrSaysNoFind) {
  engine.addFoundFile(finding("C:\\1.tmp", "temp files"));
  engine.addFoundFile(finding("C:\\2.tmp", "temp files"));
  engine.addFoundFile(finding("C:\\3.tmp", "temp files"));
  engine.foundFile(1).treeItem = 42;
  engine.foundFile(2).treeItem = 42;
  EXPECT_EQ(engine.pathForTreeItem(42), "C:\\2.tmp");
  EXPECT_EQ(engine.pathForTreeItem(43), "no find");
  // Records not shown yet carry the handle 0.
  EXPECT_EQ(engine.pathForTreeItem(0), "C:\\1.tmp");
}

TEST_F(FoundList, ClearingFreesThePathsForNewFindings) {
  engine.addFoundFile(finding("C:\\a.tmp", "temp files"));
  engine.clearFoundFiles();
  EXPECT_EQ(engine.foundCount(), 0);
  EXPECT_EQ(engine.hasFoundPath("C:\\a.tmp"), 0);
  engine.addFoundFile(finding("C:\\a.tmp", "back files"));
  ASSERT_EQ(engine.foundCount(), 1);
  EXPECT_EQ(engine.foundFile(0).category, "back files");
}

TEST_F(FoundList, ManyFindingsStayUnique) {
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < 5000; ++i) {
      engine.addFoundFile(finding("C:\\d\\" + std::to_string(i) + ".tmp", "temp files"));
    }
  }
  ASSERT_EQ(engine.foundCount(), 5000);
  EXPECT_EQ(engine.foundFile(4999).path, "C:\\d\\4999.tmp");
}

TEST(PathIndex, EqualHashesStillCompareThePaths) {
  std::vector<std::string> paths;
  PathIndex index;
  auto pathAt = [&](std::size_t position) -> std::string_view { return paths[position]; };
  for (int i = 0; i < 300; ++i) {
    const std::string path = "p" + std::to_string(i);
    ASSERT_FALSE(index.contains(path, 7, pathAt)) << path;
    paths.push_back(path);
    index.insert(7, paths.size() - 1);
  }
  for (int i = 0; i < 300; ++i) EXPECT_TRUE(index.contains("p" + std::to_string(i), 7, pathAt));
  EXPECT_FALSE(index.contains("p300", 7, pathAt));
  EXPECT_FALSE(index.contains("p1", 8, pathAt));
  index.clear();
  EXPECT_FALSE(index.contains("p1", 7, pathAt));
}

TEST_F(FoundList, ClearAllEmptiesDrivesFindingsAndRules) {
  DriveEntry drive;
  drive.root = "C:\\";
  engine.addDrive(drive);
  engine.addFoundFile(finding("C:\\a.tmp", "temp files"));
  ScanRule rule;
  rule.pattern = ".pcf";
  engine.rules.append(rule);
  engine.clearAll();
  EXPECT_EQ(engine.driveCount(), 0);
  EXPECT_EQ(engine.foundCount(), 0);
  EXPECT_EQ(engine.rules.count(), 0);
}

TEST_F(FoundList, StartsEmptyWithEveryChoiceOn) {
  EXPECT_EQ(engine.progressPos, 0);
  EXPECT_EQ(engine.progressMax, 12);
  EXPECT_EQ(engine.diskScanRunning, 0);
  EXPECT_EQ(engine.traceScanRunning, 0);
  EXPECT_EQ(engine.recycleBinPending, 0);
  EXPECT_EQ(engine.paceCounter, 0);
  EXPECT_EQ(engine.currentPath(), "");
  EXPECT_EQ(engine.settings.tempFiles, 1);
  EXPECT_EQ(engine.settings.cppBuilderFiles, 1);
  EXPECT_EQ(engine.traceFlags.recentDocuments, 1);
  EXPECT_FALSE(engine.scanBusy());
}

}  // namespace
}  // namespace scourix
