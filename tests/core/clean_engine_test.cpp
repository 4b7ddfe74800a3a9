// The engine's lists: the fixed drives, the unique path key of the found files, deleting
// the ticked findings with the items of the recycle bin a trace scan listed, and sizes in words.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "engine/clean_engine.h"
#include "engine/path_index.h"
#include "engine/size_text.h"
#include "engine/trace_locations.h"
#include "fake_platform.h"
#include "platform/bin_operation.h"
#include "temp_tree.h"

namespace scourix {
namespace {

using Names = std::vector<std::string>;

class Engine : public ::testing::Test {
 protected:
  std::string root(char letter) const { return std::string(1, letter) + ':' + platform.separator(); }
  // With the facts of the file there now, as a walk would list it.
  void offer(const std::string& path, const std::string& category, int toDelete = 1,
             const std::function<void(FoundFile&)>& mark = {}) {
    WalkedFile walked;
    walked.path = path;
    walked.name = path.substr(path.find_last_of(platform.separator()) + 1);
    walked.exact = platform.exactPathOf(path);
    FileFacts facts;
    if (platform.lookUpFile(walked.exact, facts) == FileLookup::Found) {
      std::tie(walked.fileId, walked.size, walked.lastWrite) = std::tie(facts.fileId, facts.size, facts.lastWrite);
    }
    FoundFile file(walked, category);
    file.toDelete = toDelete;
    if (mark) mark(file);
    engine.findings().add(file);
  }
  Names found() const {
    Names out;
    for (const auto& file : engine.findings()) out.push_back(file.category() + "|" + file.path());
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
  const auto isPath = [&](std::string path) {
    return [&paths, path](std::size_t position) { return paths[position] == path; };
  };
  for (int i = 0; i < 300; ++i) {
    paths.push_back("p" + std::to_string(i));
    ASSERT_FALSE(index.contains(7, isPath(paths.back())));
    index.insert(7, paths.size() - 1);
    ASSERT_TRUE(index.contains(7, isPath(paths[i / 2])));
  }
  EXPECT_FALSE(index.contains(8, isPath("p1")));
}

// A finding keeps its name in the record of its folder, which the folder's files share
// however the walk interleaves them with a subfolder's: each path comes back as it went
// in, and one already listed is refused, before and after the list is thinned.
TEST(Findings, GiveBackEachPathAsWalkedAndListItOnce) {
  test::TempTree tree;
  Platform& platform = systemPlatform();
  struct Offer {
    const char* folder;
    const char* name;
    const char* exactName;  // as the file system spells it
    bool listed;
  };
  const std::vector<Offer> offers = {
      {"a", "1.tmp", "1.tmp", true},     {"a", "2.tmp", "2.tmp", true},
      {"a/b", "1.tmp", "1.tmp", true},   // a subfolder's files between the folder's
      {"a", "3.tmp", "3.tmp", true},     {"a/c", "1.tmp", "1.tmp", true},
      {"a", "2.tmp", "2.tmp", false},    // listed in an earlier run of the folder's files
      {"a/b", "?.log", "x.log", true},   // names the code page cannot write
      {"a/b", "?.log", "y.log", true},
  };
  Findings findings;
  std::vector<WalkedFile> listed;
  for (const Offer& offer : offers) {
    WalkedFile file;
    file.name = offer.name;
    file.path = tree.path(std::string(offer.folder) + "/" + offer.name);
    file.exact = platform.exactPathOf(tree.path(std::string(offer.folder) + "/" + offer.exactName));
    EXPECT_EQ(findings.add(file, offer.folder), offer.listed) << offer.folder << " " << offer.exactName;
    if (offer.listed) listed.push_back(file);
  }
  const auto expectGivenBack = [&](const std::vector<std::size_t>& order) {
    ASSERT_EQ(static_cast<std::size_t>(findings.count()), order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
      const WalkedFile& file = listed[order[i]];
      const FoundFile& found = findings.at(static_cast<int>(i));
      EXPECT_EQ(found.path(), file.path);
      EXPECT_EQ(found.name(), file.name);
      EXPECT_EQ(found.exact().key(), file.exact.key()) << file.path;
    }
  };
  expectGivenBack({0, 1, 2, 3, 4, 5, 6});
  findings.keep({1, 0, 1, 0, 1, 1, 0});
  expectGivenBack({0, 2, 4, 5});
  EXPECT_FALSE(findings.add(listed[2], "a/b"));
  EXPECT_TRUE(findings.add(listed[1], "a"));
  expectGivenBack({0, 2, 4, 5, 1});
  // A path that does not end with its name comes back whole.
  WalkedFile odd;
  odd.path = tree.path("odd");
  odd.name = "other";
  odd.exact = platform.exactPathOf(odd.path);
  ASSERT_TRUE(findings.add(odd, "odd"));
  EXPECT_EQ(findings.at(findings.count() - 1).path(), odd.path);
  EXPECT_EQ(findings.at(findings.count() - 1).exact().key(), odd.exact.key());
  EXPECT_THROW(findings.at(findings.count()), std::out_of_range);
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
  // Held open by the service its entry names: a skip, no failure. Of an old Windows
  // installation, ticked by the user: left to the system's cleanup.
  const std::string thumbs = tree.file("thumbcache_96.db"), old = tree.file("Windows.old/a.dll");
  platform.failingDeletes = {stuck};
  platform.inUseDeletes = {thumbs};
  for (const std::string& path : {gone, stuck, missing, readOnly, folder}) offer(path, "temp files");
  offer(kept, "back files", 0);
  offer(thumbs, "thumbnails", 1, [](FoundFile& file) { file.skipInUse = true; });
  offer(old, "old Windows", 1, [](FoundFile& file) { file.systemCleanupOnly = true; });
  const DeletionResult result = engine.deleteMarkedFiles();
  EXPECT_EQ(std::make_pair(result.deleted, result.failed), std::make_pair(2, 2));
  ASSERT_EQ(result.inUse.size() + result.systemCleanup.size(), 2u);
  EXPECT_EQ(result.inUse[0].path + "|" + result.systemCleanup[0].path, thumbs + "|" + old);
  EXPECT_TRUE(test::TempTree::exists(old));
  ASSERT_EQ(result.failures.size(), 2u);
  EXPECT_EQ(result.failures[0].path + "|" + result.failures[0].category + "|" + result.failures[0].reason,
            stuck + "|temp files|held by the test");
  EXPECT_FALSE(result.failures[1].reason.empty());
  for (const std::string& path : {gone, readOnly}) EXPECT_FALSE(test::TempTree::exists(path)) << path;
  EXPECT_TRUE(test::TempTree::exists(kept));
  EXPECT_EQ(found(), (Names{"temp files|" + stuck, "temp files|" + folder, "thumbnails|" + thumbs, "old Windows|" + old}));
  EXPECT_EQ(engine.findings().at(0).toDelete, 1);
  // The path index follows the list: what stayed is known, what left may come again.
  for (const std::string& path : {stuck, gone, kept}) offer(path, "empty files");
  EXPECT_EQ(engine.findings().count(), 6);
}

// Between the scan and 删除 a program removes its folder, rewrites a file, or makes its
// folder anew: what is gone only leaves the list, another file at a listed path stays.
TEST_F(Engine, OnlyTheFileTheWalkListedIsDeletedAndAVanishedFolderTookItsFilesAlong) {
  for (const char* name : {"keep/same.bak", "keep/grown.bak", "gone/sub/a.bak", "gone/b.bak", "renewed/r.bak"}) tree.file(name);
  engine.scanFolder(tree.root());
  ASSERT_EQ(engine.findings().count(), 5);
  test::TempTree::write(tree.path("keep/grown.bak"), "grown");
  std::filesystem::remove_all(tree.path("gone"));
  // The same name, size and write time, but another file.
  const std::string fresh = tree.file("fresh/r.bak");
  for (const auto& file : engine.findings()) {
    if (file.name() == "r.bak") test::TempTree::setTimes(fresh, file.lastAccess, file.lastWrite);
  }
  std::filesystem::remove_all(tree.path("renewed"));
  std::filesystem::rename(tree.path("fresh"), tree.path("renewed"));
  const DeletionResult result = engine.deleteMarkedFiles();
  EXPECT_EQ(std::tie(result.deleted, result.failed), std::tuple(1, 2));
  for (const DeletionFailure& failure : result.failures) EXPECT_EQ(failure.reason, "文件在扫描后已被更改") << failure.path;
  Names stayed = found();
  std::sort(stayed.begin(), stayed.end());
  EXPECT_EQ(stayed, (Names{"back files|" + tree.path("keep/grown.bak"), "back files|" + tree.path("renewed/r.bak")}));
  EXPECT_FALSE(test::TempTree::exists(tree.path("keep/same.bak")));
  EXPECT_EQ(test::TempTree::read(tree.path("renewed/r.bak")), "x");
}

// Of the bin only what the scan listed goes: an item ("$R…") with its record ("$I…"), a
// folder item once all of it went, but the record stays while anything of its item stays
// (an unticked or undeletable file, a folder never listed); what arrived since stays too.
TEST_F(Engine, TheBinLosesOnlyTheListedItemsAndARecordOnlyWithAllOfItsItem) {
  const char* const listed[] = {"$RA.txt", "$IA.txt", "$RB/x.doc", "$RB/y.doc", "$IB", "$RC/z.doc", "$IC",
                                "$RE/sub/w.doc", "$RE/v.doc", "$IE", "$RF/u.doc", "$IF"};
  for (const char* name : listed) tree.file(std::string("$Recycle.Bin/S-1/") + name);
  tree.dir("$Recycle.Bin/S-1/$RF/empty");
  engine.setProfilesFolder(test::memoryRoot(platform, "[no-profiles]"));
  engine.choices().drives.push_back({tree.root(), tree.root()});
  engine.runTraceScan();
  ASSERT_EQ(engine.findings().count(), 12);
  for (const char* name : {"$RD.txt", "$ID.txt"}) tree.file(std::string("$Recycle.Bin/S-1/") + name);
  const auto bin = [&](const std::string& name) { return tree.path("$Recycle.Bin/S-1/" + name); };
  for (int i = 0; i < engine.findings().count(); ++i) {
    if (engine.findings().at(i).name() == "y.doc") engine.findings().at(i).toDelete = 0;
  }
  platform.failingDeletes = {bin("$RC/z.doc")};
  const DeletionResult result = engine.deleteMarkedFiles();
  EXPECT_EQ(std::tie(result.deleted, result.failed), std::tuple(7, 1));
  for (const char* name : {"$RA.txt", "$IA.txt", "$RB/x.doc", "$RE", "$IE", "$RF/u.doc"}) EXPECT_FALSE(std::filesystem::exists(bin(name))) << name;
  for (const char* name : {"$RB/y.doc", "$IB", "$RC/z.doc", "$IC", "$RD.txt", "$ID.txt", "$RF/empty", "$IF"}) EXPECT_TRUE(std::filesystem::exists(bin(name))) << name;
}

// The bin takes neither the held file nor one too big for it: both stay, ticked, the
// latter counted as refused by the bin and never deleted for good.
TEST_F(Engine, TheRecycleOptionDeletesWhatIsInTheBinAndMovesTheOtherTickedFilesInOneBatch) {
  const std::string x = tree.path("x");
  platform.failingDeletes = {x + "2"};
  platform.inUseDeletes = {tree.path("thumbcache_96.db"), x + "3"};
  platform.binCapacity = 16;
  engine.choices().options.deleteToRecycleBin = 1;
  for (int i = 1; i <= 5; ++i) offer(tree.file("x" + std::to_string(i), 1u << i), "x", i != 4 ? 1 : 0);
  offer(tree.file("RECYCLER/Dc1.doc"), kRecyclerLabel, 1, [](FoundFile& file) { file.bin = RecycleBin::Old; });
  // A user's catalog entry may bear a bin's label: its files are no bin's.
  offer(tree.file("app/RECYCLER.log", 1), kRecyclerLabel);
  // Held open by the service its entry names: a skip, as when deleted; held otherwise: a failure.
  const std::string thumbs = tree.file("thumbcache_96.db");
  offer(thumbs, "thumbnails", 1, [](FoundFile& file) { file.skipInUse = true; });
  // Another name of a file listed already (the same file by another spelling alike) goes
  // in an operation of its own: the bin takes no file twice at once.
  std::filesystem::create_hard_link(x + "1", x + "1-link");
  offer(x + "1-link", "x");
  const DeletionResult result = engine.deleteMarkedFiles();
  EXPECT_EQ(platform.recycleBatches,
            (std::vector<Names>{{x + "1", x + "2", x + "3", x + "5", tree.path("app/RECYCLER.log"), thumbs},
                                {x + "1-link"}}));
  EXPECT_EQ(std::tie(result.deleted, result.recycled, result.bytesRecycled, result.failed, result.binRefused),
            std::tuple(1, 3, 5ull, 3, 1));
  ASSERT_EQ(result.failures.size(), 3u);
  EXPECT_EQ(std::tie(result.failures[0].path, result.failures[0].category, result.failures[0].reason),
            std::tuple(x + "2", "x", "locked"));
  ASSERT_EQ(result.inUse.size(), 1u);
  EXPECT_EQ(result.inUse[0].path, thumbs);
  EXPECT_EQ(found(), (Names{"x|" + x + "2", "x|" + x + "3", "x|" + x + "5", "thumbnails|" + thumbs}));
  EXPECT_TRUE(test::TempTree::exists(x + "5"));
}

// The shell's operation ends at the first file its bin refuses (too big for it): that file
// stays, the files after it go in the next operation; an operation that cannot be used
// leaves the rest to the other way, one that reaches no file is not repeated.
TEST(RecycleThrough, ARefusalEndsTheOperationAndTheFilesAfterItGoInTheNext) {
  struct FakeBin : BinOperation {
    std::vector<std::uint64_t> sizes;  // per file; above 4 the bin refuses it
    int usableRuns = 100;
    bool stalls = false;  // ends before its first file
    std::vector<std::vector<std::size_t>> runs;
    bool run(const std::vector<std::size_t>& files, std::vector<BinStep>& steps) override {
      if (static_cast<int>(runs.size()) == usableRuns) return false;
      runs.push_back(files);
      for (std::size_t k = 0; k < files.size() && !stalls; ++k) {
        const std::uint64_t size = sizes[files[k]];
        steps[k] = {size == 0 ? BinStep::Failed : size > 4 ? BinStep::Refused : BinStep::InBin, "why"};
        if (steps[k].kind == BinStep::Refused) break;
      }
      for (BinStep& step : steps) {
        if (step.kind == BinStep::NotReached) step.reason = "ended";
      }
      return true;
    }
  };
  using Runs = std::vector<std::vector<std::size_t>>;
  // Sizes (0: held by a program), runs before the operation becomes unusable, whether it
  // stalls; the runs, each file's answer (In bin, Refused, Failed, or untouched: -) and
  // the files left to the other way.
  const std::tuple<std::vector<std::uint64_t>, int, bool, Runs, std::string, std::vector<std::size_t>> rows[] = {
      {{1, 9, 1, 0, 1, 9, 1}, 100, false, {{0, 1, 2}, {2, 3, 4}, {5, 6}, {6}}, "IRIFIRI", {}},
      {{1, 1, 9, 1}, 100, false, {{0, 1, 2}, {3}}, "IIRI", {}},
      {{1, 9, 1, 1}, 0, false, {}, "----", {0, 1, 2, 3}},
      {{1, 9, 1, 1, 1}, 1, false, {{0, 1, 2}}, "IR---", {2, 3, 4}},
      {{1, 1, 1, 1}, 100, true, {{0, 1, 2}, {3}}, "FFFF", {}},
  };
  for (const auto& [sizes, usableRuns, stalls, runs, answered, left] : rows) {
    SCOPED_TRACE(answered);
    FakeBin bin;
    bin.sizes = sizes;
    bin.usableRuns = usableRuns;
    bin.stalls = stalls;
    std::vector<std::size_t> files;
    for (std::size_t i = 0; i < sizes.size(); ++i) files.push_back(i);
    std::vector<RecycleAnswer> answers(sizes.size(), {RecycleAnswer::Failed, "-"});
    EXPECT_EQ(recycleThrough(bin, files, 3, answers), left);
    EXPECT_EQ(bin.runs, runs);
    std::string letters;
    for (const RecycleAnswer& answer : answers) {
      letters += answer.reason == "-" ? '-' : "IRF"[answer.outcome];
      if (answer.outcome == RecycleAnswer::Failed && answer.reason != "-") {
        EXPECT_EQ(answer.reason, stalls ? "ended" : "why");
      }
    }
    EXPECT_EQ(letters, answered);
  }
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
