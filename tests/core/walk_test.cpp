// The recursive walk: depth-first order, folders that cannot be listed, links and
// cycles, real files with their sizes and times, the progress cap.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "engine/clean_engine.h"
#include "fake_platform.h"
#include "temp_tree.h"

namespace scourix {
namespace {

class Walk : public ::testing::Test {
 protected:
  std::vector<std::string> foundPaths() const {
    std::vector<std::string> out;
    for (const auto& file : engine.foundFiles()) out.push_back(file->path);
    return out;
  }
  int countFound(const std::string& name) const {
    int n = 0;
    for (const auto& file : engine.foundFiles()) n += file->name == name;
    return n;
  }
  using Paths = std::vector<std::string>;

  test::FakePlatform platform;
  CleanEngine engine{platform};
  const std::string mem = test::memoryRoot(platform);
  const char sep = platform.separator();
};

TEST_F(Walk, FinishesEachFolderBeforeTheNextEntry) {
  platform.memoryDirs[mem] = {test::dirEntry("."), test::dirEntry(".."),
                              test::fileEntry("1.bak"), test::dirEntry("sub"),
                              test::fileEntry("3.bak")};
  platform.memoryDirs[mem + "sub" + sep] = {test::fileEntry("2.bak"), test::dirEntry("deep")};
  platform.memoryDirs[mem + "sub" + sep + "deep" + sep] = {test::fileEntry("2b.bak")};
  engine.walkDirectory(mem, "");
  EXPECT_EQ(foundPaths(), (Paths{mem + "1.bak", mem + "sub" + sep + "2.bak",
                                 mem + "sub" + sep + "deep" + sep + "2b.bak", mem + "3.bak"}));
}

TEST_F(Walk, AddsTheSeparatorToTheStartingFolder) {
  platform.memoryDirs[mem] = {test::fileEntry("a.bak")};
  engine.walkDirectory(mem.substr(0, mem.size() - 1), "");
  EXPECT_EQ(foundPaths(), Paths{mem + "a.bak"});
  EXPECT_EQ(platform.listedDirs, Paths{mem});
}

TEST_F(Walk, AFolderThatCannotBeListedIsSkippedAndTheWalkGoesOn) {
  platform.memoryDirs[mem] = {test::dirEntry("gone"), test::fileEntry("a.bak")};
  engine.walkDirectory(mem, "");
  EXPECT_EQ(foundPaths(), Paths{mem + "a.bak"});
  EXPECT_EQ(platform.listedDirs, (Paths{mem, mem + "gone" + sep}));
}

TEST_F(Walk, MarkedLinksAreNotEntered) {
  DirEntry link = test::dirEntry("junction");
  link.isLink = true;
  platform.memoryDirs[mem] = {link, test::fileEntry("a.bak")};
  platform.memoryDirs[mem + "junction" + sep] = {test::fileEntry("b.bak")};
  engine.walkDirectory(mem, "");
  EXPECT_EQ(foundPaths(), Paths{mem + "a.bak"});
}

TEST_F(Walk, ADirectoryOnTheWalkPathIsNotEnteredAgain) {
  DirEntry a = test::dirEntry("a");
  a.device = 1;
  a.fileId = 10;
  platform.memoryDirs[mem] = {a};
  platform.memoryDirs[mem + "a" + sep] = {a, test::fileEntry("x.bak")};  // a loop
  engine.walkDirectory(mem, "");
  EXPECT_EQ(foundPaths(), Paths{mem + "a" + sep + "x.bak"});
}

TEST_F(Walk, ProgressStopsAtTheMaximum) {
  class Synthetic : public DirListing {
   public:
    bool next(DirEntry& entry) override {
      if (left_ == 0) return false;
      --left_;
      entry.name = "file" + std::to_string(left_);
      entry.isDirectory = false;
      return true;
    }

   private:
    int left_ = kDiskProgressMax + 1;
  };
  platform.listingHook = [&](const std::string& dir) -> std::unique_ptr<DirListing> {
    if (dir != mem) return nullptr;
    return std::make_unique<Synthetic>();
  };
  engine.progressMax = kDiskProgressMax;
  engine.progressPos = 0;
  const std::int64_t examinedBefore = engine.filesExamined();
  engine.walkDirectory(mem, "");
  EXPECT_EQ(engine.progressPos, kDiskProgressMax);
  EXPECT_EQ(engine.filesExamined() - examinedBefore, kDiskProgressMax + 1);
  EXPECT_EQ(engine.currentPath(), mem + "file0");
}

TEST_F(Walk, ALabelledWalkPacesEveryEntry) {
  platform.memoryDirs[mem] = {test::dirEntry("."), test::dirEntry(".."), test::fileEntry("a"),
                              test::dirEntry("sub")};
  platform.memoryDirs[mem + "sub" + sep] = {test::fileEntry("b")};
  engine.walkDirectory(mem, "Internet Cookies");
  EXPECT_EQ(engine.paceCounter, 5);
  EXPECT_EQ(foundPaths(), (Paths{mem + "a", mem + "sub" + sep + "b"}));
  EXPECT_EQ(engine.foundFile(0).category, "Internet Cookies");
}

TEST_F(Walk, TheLabelledWalkSkipsIndexFilesInAnyCase) {
  platform.memoryDirs[mem] = {test::fileEntry("INFO2"), test::fileEntry("info2"),
                              test::fileEntry("Desktop.ini"), test::fileEntry("DESKTOP.INI"),
                              test::fileEntry("desktop.ini.bak"), test::fileEntry("info22")};
  engine.progressMax = kTraceProgressMax;
  engine.walkDirectory(mem, "RECYCLER");
  EXPECT_EQ(foundPaths(), (Paths{mem + "desktop.ini.bak", mem + "info22"}));
  // Skipped files still become the current path, but add no progress.
  EXPECT_EQ(engine.progressPos, 2);
  EXPECT_EQ(engine.currentPath(), mem + "info22");
}

TEST_F(Walk, ALabelledWalkListsEveryFileOnceAndCountsRepeats) {
  platform.memoryDirs[mem] = {test::fileEntry("x.jpg", 0)};
  engine.progressMax = kTraceProgressMax;
  engine.walkDirectory(mem, "temp files");
  engine.walkDirectory(mem, "Internet Recent files");
  ASSERT_EQ(engine.foundCount(), 1);
  EXPECT_EQ(engine.foundFile(0).category, "temp files");
  EXPECT_EQ(engine.progressPos, 2);
}

TEST_F(Walk, AStopRequestEndsTheWalk) {
  platform.memoryDirs[mem] = {test::fileEntry("a.bak"), test::fileEntry("b.bak")};
  engine.requestStop();
  engine.walkDirectory(mem, "");
  EXPECT_EQ(engine.foundCount(), 0);
}

class RealWalk : public Walk {
 protected:
  test::TempTree tree;
};

TEST_F(RealWalk, FindsFilesAtEveryDepthWithSizesAndTimes) {
  const std::string junk = tree.file("a/b/c/deep.bak", 10);
  const std::string empty = tree.file("a/empty.txt", 0);
  tree.file("a/b/plain.txt", 3);
  test::TempTree::setTimes(junk, 1000000000, 1100000000);
  engine.walkDirectory(tree.root(), "");
  ASSERT_EQ(engine.foundCount(), 2);
  EXPECT_EQ(countFound("deep.bak"), 1);
  EXPECT_EQ(countFound("empty.txt"), 1);
  for (const auto& file : engine.foundFiles()) {
    if (file->name == "deep.bak") {
      EXPECT_EQ(file->path, junk);
      EXPECT_EQ(file->category, "back files");
      EXPECT_EQ(file->lastAccess, 1000000000);
      EXPECT_EQ(file->lastWrite, 1100000000);
    } else {
      EXPECT_EQ(file->path, empty);
      EXPECT_EQ(file->category, "empty files");
    }
  }
  EXPECT_EQ(engine.filesExamined(), 3);
}

TEST_F(RealWalk, DoubleByteFileNames) {
  const std::string name = "\xD6\xD0\xCE\xC4.BAK";  // 中文.BAK
  const std::string path = tree.file("d/" + name, 4);
  engine.walkDirectory(tree.root(), "");
  ASSERT_EQ(engine.foundCount(), 1);
  EXPECT_EQ(engine.foundFile(0).name, name);
  EXPECT_EQ(engine.foundFile(0).path, path);
}

TEST_F(RealWalk, MissingFoldersAndFilesYieldNothing) {
  const std::string file = tree.file("notadir.bak");
  engine.walkDirectory(tree.path("missing"), "");
  engine.walkDirectory(file, "");
  EXPECT_EQ(engine.foundCount(), 0);
}

TEST_F(RealWalk, AFolderWhosePathIsTooLongYieldsNothing) {
  std::string longPath = tree.root();
  while (longPath.size() < 5000) longPath += std::string(200, 'n') + sep;
  engine.walkDirectory(longPath, "");
  EXPECT_EQ(engine.foundCount(), 0);
}

#ifndef _WIN32

TEST_F(RealWalk, AFolderWithoutAccessIsSkipped) {
  tree.file("locked/x.bak");
  tree.file("open/y.bak");
  const std::string locked = tree.path("locked");
  ASSERT_EQ(chmod(locked.c_str(), 0), 0);
  if (systemPlatform().openListing(locked + sep)) {
    chmod(locked.c_str(), 0755);
    GTEST_SKIP() << "running with rights that list any folder";
  }
  engine.walkDirectory(tree.root(), "");
  chmod(locked.c_str(), 0755);
  EXPECT_EQ(foundPaths(), Paths{tree.path("open/y.bak")});
}

TEST_F(RealWalk, LinksMarkedByTheListingAreNotFollowed) {
  tree.file("a/x.bak");
  tree.file("elsewhere/y.bak");
  ASSERT_EQ(symlink(tree.root().c_str(), tree.path("a/up").c_str()), 0);
  ASSERT_EQ(symlink(tree.path("elsewhere").c_str(), tree.path("a/side").c_str()), 0);
  engine.walkDirectory(tree.path("a"), "");
  EXPECT_EQ(foundPaths(), Paths{tree.path("a/x.bak")});
}

TEST_F(RealWalk, ALinkToAFileIsAFile) {
  const std::string target = tree.file("data/real.txt", 0);
  ASSERT_EQ(symlink(target.c_str(), tree.path("data/alias.bak").c_str()), 0);
  engine.walkDirectory(tree.path("data"), "");
  EXPECT_EQ(countFound("alias.bak"), 1);
  EXPECT_EQ(countFound("real.txt"), 1);
}

TEST_F(RealWalk, PipesAndDanglingLinksAreNoOrdinaryFiles) {
  tree.dir("odd");
  ASSERT_EQ(mkfifo(tree.path("odd/pipe.txt").c_str(), 0600), 0);
  ASSERT_EQ(symlink(tree.path("odd/nowhere").c_str(), tree.path("odd/dangling.txt").c_str()), 0);
  engine.walkDirectory(tree.path("odd"), "");
  // A pipe is never offered; a link to nothing is an empty file, which deleting removes.
  EXPECT_EQ(foundPaths(), Paths{tree.path("odd/dangling.txt")});
  EXPECT_EQ(engine.filesExamined(), 1);
}

TEST_F(RealWalk, TheStartingFolderMayBeALink) {
  tree.file("target/z.bak");
  ASSERT_EQ(symlink(tree.path("target").c_str(), tree.path("entry").c_str()), 0);
  engine.walkDirectory(tree.path("entry"), "");
  EXPECT_EQ(foundPaths(), Paths{tree.path("entry/z.bak")});
}

TEST_F(RealWalk, UnmarkedLinksBackToTheWalkPathEndTheWalk) {
  platform.hideLinks = true;
  tree.file("a/x.bak");
  tree.file("a/b/y.bak");
  ASSERT_EQ(symlink(tree.path("a").c_str(), tree.path("a/b/loop").c_str()), 0);
  engine.walkDirectory(tree.root(), "");
  EXPECT_EQ(countFound("x.bak"), 1);
  EXPECT_EQ(countFound("y.bak"), 1);
}

TEST_F(RealWalk, AnUnmarkedLinkToTheStartIsEnteredOnceAtMost) {
  platform.hideLinks = true;
  tree.file("a/x.bak");
  ASSERT_EQ(symlink(tree.root().c_str(), tree.path("a/top").c_str()), 0);
  engine.walkDirectory(tree.root(), "");
  // The starting folder has no listing entry of its own, so the loop ends one level
  // further down.
  EXPECT_GE(countFound("x.bak"), 1);
  EXPECT_LE(countFound("x.bak"), 2);
}

#endif

}  // namespace
}  // namespace scourix
