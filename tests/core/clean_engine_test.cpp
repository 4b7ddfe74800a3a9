// The engine's lists: the fixed drives, the unique path key of the found files, deleting
// the ticked findings with the recycle bin that a trace scan covered, and sizes in words.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "engine/clean_engine.h"
#include "engine/path_index.h"
#include "engine/size_text.h"
#include "engine/trace_locations.h"
#include "fake_platform.h"
#include "temp_tree.h"

namespace scourix {
namespace {

using Names = std::vector<std::string>;

class Engine : public ::testing::Test {
 protected:
  std::string root(char letter) const { return std::string(1, letter) + ':' + platform.separator(); }
  void offer(const std::string& path, const std::string& category, int toDelete = 1, std::uint64_t size = 0) {
    FoundFile file;
    file.path = path;
    file.exact = platform.exactPathOf(path);
    file.category = category;
    file.toDelete = toDelete;
    file.size = size;
    engine.findings().add(file);
  }
  Names found() const {
    Names out;
    for (const auto& file : engine.findings()) out.push_back(file->category + "|" + file->path);
    return out;
  }

  test::TempTree tree;
  test::FakePlatform platform;
  CleanEngine engine{platform};
};

TEST_F(Engine, FixedDrivesCToRMergeWithTheRememberedOnes) {
  for (char letter : {'A', 'B', 'C', 'D', 'E', 'R', 'S', 'Z'}) {
    platform.driveTypes[root(letter)] = letter == 'D' ? 2 : kDriveFixed;  // D: removable
  }
  for (char letter : {'E', 'C', 'K'}) engine.choices().drives.push_back({root(letter), root(letter), letter != 'E'});  // K: gone
  // The stored order and selections stay, gone drives go, new ones come last, selected.
  for (int pass = 0; pass < 2; ++pass) {
    engine.enumerateFixedDrives();
    std::string listed;
    for (const DriveEntry& d : engine.choices().drives) listed += d.displayName.substr(0, 1) + std::to_string(d.selected) + std::to_string(d.present);
    EXPECT_EQ(listed, "E01C11R11");
  }
}

// A lookup compares the paths, not only their hashes.
TEST(PathIndex, EqualHashesStillCompareThePaths) {
  Names paths;
  PathIndex index;
  const auto pathAt = [&](std::size_t position) -> std::string_view { return paths[position]; };
  for (int i = 0; i < 300; ++i) {
    paths.push_back("p" + std::to_string(i));
    ASSERT_FALSE(index.contains(paths.back(), 7, pathAt));
    index.insert(7, paths.size() - 1);
    ASSERT_TRUE(index.contains(paths[i / 2], 7, pathAt));
  }
  EXPECT_FALSE(index.contains("p1", 8, pathAt));
}

TEST_F(Engine, DeletionRemovesTheTickedFilesAndKeepsTheUndeletableOnesTicked) {
  const std::string gone = tree.file("sub/a.tmp");
  const std::string kept = tree.file("keep.bak");
  const std::string stuck = tree.file("stuck.log");
  const std::string missing = tree.path("already-gone.tmp");
  const std::string readOnly = tree.file("read-only.tmp");
  std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
  const std::string folder = tree.path("now-a-folder.tmp");
  tree.dir("now-a-folder.tmp");
  platform.failingDeletes = {stuck};
  for (const std::string& path : {gone, stuck, missing, readOnly, folder}) offer(path, "temp files");
  offer(kept, "back files", 0);
  const DeletionResult result = engine.deleteMarkedFiles();
  EXPECT_EQ(std::make_pair(result.deleted, result.failed), std::make_pair(2, 2));
  ASSERT_EQ(result.failures.size(), 2u);
  EXPECT_EQ(result.failures[0].path + "|" + result.failures[0].category + "|" + result.failures[0].reason,
            stuck + "|temp files|held by the test");
  EXPECT_FALSE(result.failures[1].reason.empty());
  EXPECT_FALSE(result.recycleBinEmptied);
  for (const std::string& path : {gone, readOnly}) EXPECT_FALSE(test::TempTree::exists(path)) << path;
  EXPECT_TRUE(test::TempTree::exists(kept));
  EXPECT_EQ(found(), (Names{"temp files|" + stuck, "temp files|" + folder}));
  EXPECT_EQ(engine.findings().at(0).toDelete, 1);
  // The path index follows the list: what stayed is known, what left may come again.
  for (const std::string& path : {stuck, gone, kept}) offer(path, "empty files");
  EXPECT_EQ(engine.findings().count(), 4);
}

TEST_F(Engine, APendingBinIsEmptiedUnlessARecycleFindingWasUnticked) {
  // Each row: the pending mark; the label and tick of a finding in the bin (none without a
  // label); the tick of an ordinary finding (-1: none); whether the bin is emptied.
  const std::tuple<int, const char*, int, int, bool> rows[] = {
      {1, kRecyclerLabel, 1, 1, true},   {1, nullptr, 0, -1, true},        {1, kRecycledLabel, 1, 0, true},
      {1, kRecycledLabel, 0, 1, false},  {1, kRecyclerLabel, 0, -1, false}, {0, kRecyclerLabel, 1, 1, false},
      {1, kRecycleBinLabel, 0, 1, false}};
  for (const auto& [pending, label, binTicked, otherTicked, emptied] : rows) {
    SCOPED_TRACE(testing::Message() << pending << (label ? label : "-") << binTicked << otherTicked);
    platform.recycleBinEmptied = 0;
    engine.findings().setCoversRecycleBin(pending);
    if (label) offer(tree.file("RECYCLER/Dc1.doc"), label, binTicked);
    if (otherTicked >= 0) offer(tree.file("x.tmp"), "temp files", otherTicked);
    EXPECT_EQ(engine.deleteMarkedFiles().recycleBinEmptied, emptied);
    EXPECT_EQ(platform.recycleBinEmptied + engine.findings().coversRecycleBin(), emptied ? 1 : 0);
  }
}

TEST_F(Engine, TheRecycleOptionEmptiesTheBinThenMovesTheOtherTickedFilesInOneBatch) {
  const std::string x = tree.path("x");
  platform.failingDeletes = {x + "2"};
  engine.choices().options.deleteToRecycleBin = 1;
  engine.findings().setCoversRecycleBin(1);
  for (int i = 1; i <= 4; ++i) offer(x + std::to_string(i), "x", i < 4 ? 1 : 0, 1u << i);
  offer(tree.file("RECYCLER/Dc1.doc"), kRecyclerLabel);
  const DeletionResult result = engine.deleteMarkedFiles();
  EXPECT_EQ(platform.recycleBatches, (std::vector<std::pair<int, Names>>{{1, {x + "1", x + "2", x + "3"}}}));
  EXPECT_EQ(std::tie(result.deleted, result.recycled, result.bytesRecycled, result.failed), std::tuple(1, 2, 10ull, 1));
  ASSERT_EQ(result.failures.size(), 1u);
  EXPECT_EQ(std::tie(result.failures[0].path, result.failures[0].category, result.failures[0].reason),
            std::tuple(x + "2", "x", "locked"));
  EXPECT_EQ(found(), (Names{"x|" + x + "2"}));
}

// Sizes as Explorer writes them: three significant digits, cut, the next unit from 1,000 on.
TEST(SizeText, LikeExplorer) {
  constexpr std::uint64_t kK = 1024;
  const std::pair<std::uint64_t, const char*> cases[] = {
      {1023, "1023 字节"}, {1034, "1.00 KB"}, {1035, "1.01 KB"} /* truncated, not rounded */, {10 * kK - 1, "9.99 KB"},
      {10 * kK, "10.0 KB"}, {100 * kK - 1, "99.9 KB"}, {100 * kK, "100 KB"}, {1000 * kK - 1, "999 KB"},
      {1000 * kK, "0.97 MB"}, {12900 * kK, "12.5 MB"}, {kK * kK * kK, "1.00 GB"},
      {kK * kK * kK * kK * 1500, "1500 TB"}, {~std::uint64_t{0}, "16777215 TB"}};
  for (const auto& [bytes, text] : cases) EXPECT_EQ(formatSize(bytes), text) << bytes;
}

}  // namespace
}  // namespace scourix
