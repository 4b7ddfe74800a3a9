// The disk scan's judgement of single files: the category table in order, the flags,
// the recent-access rule of temporary files, empty files and double-byte names.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine/clean_engine.h"
#include "engine/junk_categories.h"
#include "fake_platform.h"

namespace scourix {
namespace {

class Classify : public ::testing::Test {
 protected:
  void SetUp() override {
    platform.clock = test::localNoon(2024, 3, 10);
    DriveEntry drive;
    drive.root = root;
    engine.drives.push_back(drive);
  }

  // The category of one file scanned on its own; "" when it is not listed.
  std::string categoryOf(const std::string& name, std::uint64_t size = 1) {
    return categoryAccessed(name, old, size);
  }
  std::string categoryAccessed(const std::string& name, std::int64_t access,
                               std::uint64_t size = 1) {
    platform.memoryDirs[root] = {test::fileEntry(name, size, access, access)};
    engine.runDiskScan();
    return engine.foundCount() == 0 ? "" : engine.foundFile(0).category;
  }
  // A temp file accessed at noon of that day, with today at noon of the other.
  bool listedTemp(int ay, int am, int ad, int ty, int tm, int td) {
    platform.clock = test::localNoon(ty, tm, td);
    return categoryAccessed("SETUP.TMP", test::localNoon(ay, am, ad)) == "temp files";
  }

  test::FakePlatform platform;
  CleanEngine engine{platform};
  const std::string root = test::memoryRoot(platform);
  const std::int64_t old = test::localNoon(2023, 6, 1);
};

TEST(JunkCategories, ThirteenRowsInTestOrder) {
  const auto& rows = junkCategories();
  ASSERT_EQ(rows.size(), 13u);
  const std::vector<std::string> labels = {
      "temp files",        "back files",           "setup temp files",
      "system log files",  "system log files",     "help temp files",
      "window me cpy files", "C++ builder temp files", "VC++ temp files",
      "log.txt temp files", "Untarnished Grabage files", "my rules(%s)",
      "empty files"};
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].label, labels[i]) << i;
  EXPECT_EQ(rows[0].endings,
            (std::vector<std::string>{".tmp", ".??$", ".chk", ".1st", ".ffa", ".ffl", ".ff0"}));
  EXPECT_EQ(rows[4].match, JunkMatch::NameTail);
  EXPECT_EQ(rows[9].match, JunkMatch::NameTail);
}

TEST_F(Classify, EveryEndingOfEveryRow) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"a.tmp", "temp files"},         {"a.??$", "temp files"},
      {"a.chk", "temp files"},         {"a.1st", "temp files"},
      {"a.ffa", "temp files"},         {"a.ffl", "temp files"},
      {"a.ff0", "temp files"},         {"a.bak", "back files"},
      {"a.old", "back files"},         {"a.dir", "setup temp files"},
      {"a.---", "setup temp files"},   {"install.log", "system log files"},
      {"applog.dat", "system log files"}, {"sys.log.prv", "system log files"},
      {"a.fts", "help temp files"},    {"a.gid", "help temp files"},
      {"a.ftg", "help temp files"},    {"a.cpy", "window me cpy files"},
      {"a.ilc", "C++ builder temp files"}, {"a.ild", "C++ builder temp files"},
      {"a.ilf", "C++ builder temp files"}, {"a.ils", "C++ builder temp files"},
      {"a.tds", "C++ builder temp files"}, {"a.bsc", "VC++ temp files"},
      {"a.ilk", "VC++ temp files"},    {"a.res", "VC++ temp files"},
      {"a.pch", "VC++ temp files"},    {"errorlog.txt", "log.txt temp files"},
      {"a.~", "Untarnished Grabage files"}, {"a.-", "Untarnished Grabage files"},
      {"a.dos", "Untarnished Grabage files"}};
  for (const auto& [name, label] : cases) EXPECT_EQ(categoryOf(name), label) << name;
}

TEST_F(Classify, OnlyTheLastExtensionCounts) {
  EXPECT_EQ(categoryOf("REPORT.TMP"), "temp files");
  EXPECT_EQ(categoryOf(".tmp"), "temp files");
  EXPECT_EQ(categoryOf("x.old.bak"), "back files");
  EXPECT_EQ(categoryOf("x.bak.old"), "back files");
  EXPECT_EQ(categoryOf("x.bak1"), "");
  EXPECT_EQ(categoryOf("x.tmp.txt"), "");
  EXPECT_EQ(categoryOf("notes.lst"), "");
  EXPECT_EQ(categoryOf("notes.1st"), "temp files");
  EXPECT_EQ(categoryOf("a.xy$"), "");  // '?' is no wildcard
  EXPECT_EQ(categoryOf("a.txt"), "");
}

TEST_F(Classify, TailsLookAtTheLastSevenBytes) {
  EXPECT_EQ(categoryOf("log.dat"), "system log files");
  EXPECT_EQ(categoryOf("APPLOG.DAT"), "system log files");
  EXPECT_EQ(categoryOf("og.dat"), "");
  EXPECT_EQ(categoryOf("log.txt"), "log.txt temp files");
  EXPECT_EQ(categoryOf("catalog.txt"), "log.txt temp files");
  EXPECT_EQ(categoryOf("logs.txt"), "");
}

TEST_F(Classify, EachFlagGovernsItsOwnCategory) {
  engine.settings.systemLogFiles = 0;
  EXPECT_EQ(categoryOf("install.log"), "");
  EXPECT_EQ(categoryOf("applog.dat"), "");
  EXPECT_EQ(categoryOf("errorlog.txt"), "log.txt temp files");
  engine.settings.systemLogFiles = 1;
  engine.settings.logTxtFiles = 0;
  EXPECT_EQ(categoryOf("errorlog.txt"), "");
  engine.settings.backupFiles = 0;
  EXPECT_EQ(categoryOf("a.bak"), "");
  engine.settings.tempFiles = 0;
  EXPECT_EQ(categoryOf("a.tmp"), "");
  engine.settings.garbageFiles = 0;
  EXPECT_EQ(categoryOf("a.dos"), "");
  engine.settings.cppBuilderFiles = 0;
  EXPECT_EQ(categoryOf("a.tds"), "");
  engine.settings.visualCppFiles = 0;
  EXPECT_EQ(categoryOf("a.pch"), "");
  engine.settings.cpyFiles = 0;
  EXPECT_EQ(categoryOf("a.cpy"), "");
  engine.settings.helpTempFiles = 0;
  EXPECT_EQ(categoryOf("a.gid"), "");
  engine.settings.setupTempFiles = 0;
  EXPECT_EQ(categoryOf("a.dir"), "");
  EXPECT_EQ(categoryOf("a.txt", 0), "empty files");
  engine.settings.emptyFiles = 0;
  EXPECT_EQ(categoryOf("a.txt", 0), "");
}

TEST_F(Classify, TheFirstMatchingRowNamesTheFile) {
  ScanRule rule;
  rule.pattern = ".log";
  engine.rules.append(rule);
  EXPECT_EQ(categoryOf("install.log", 0), "system log files");
  EXPECT_EQ(engine.foundCount(), 1);
  EXPECT_EQ(categoryOf("b.tmp", 0), "temp files");
  EXPECT_EQ(categoryOf("x.txt", 0), "empty files");
  rule.pattern = ".txt";
  engine.rules.append(rule);
  EXPECT_EQ(categoryOf("x.txt", 0), "my rules(.txt)");
}

TEST_F(Classify, EmptyFilesNeedAFullStop) {
  EXPECT_EQ(categoryOf("a.txt", 0), "empty files");
  EXPECT_EQ(categoryOf("README", 0), "");
  EXPECT_EQ(categoryOf("a.txt", 1), "");
  EXPECT_EQ(categoryOf("a.txt", 5000000000ull), "");
}

TEST_F(Classify, RecentTempFileIsLeftAloneEntirely) {
  ScanRule rule;
  rule.pattern = ".tmp";
  engine.rules.append(rule);
  const std::int64_t threeDaysAgo = test::localNoon(2024, 3, 7);
  EXPECT_EQ(categoryAccessed("SETUP.TMP", threeDaysAgo, 0), "");
  EXPECT_EQ(categoryAccessed("SETUP.TMP", old, 0), "temp files");
  // Without the temp category the rule does not apply, and the other rows do.
  engine.settings.tempFiles = 0;
  EXPECT_EQ(categoryAccessed("SETUP.TMP", threeDaysAgo, 0), "my rules(.tmp)");
  // A recent file of another category is listed.
  EXPECT_EQ(categoryAccessed("a.bak", threeDaysAgo), "back files");
}

TEST_F(Classify, RecentMeansSameMonthAndLessThanSevenDays) {
  EXPECT_FALSE(listedTemp(2024, 3, 4, 2024, 3, 10));   // six days
  EXPECT_TRUE(listedTemp(2024, 3, 3, 2024, 3, 10));    // seven days
  EXPECT_FALSE(listedTemp(2024, 3, 10, 2024, 3, 10));  // today
  EXPECT_FALSE(listedTemp(2024, 3, 1, 2024, 3, 7));
  EXPECT_TRUE(listedTemp(2024, 3, 1, 2024, 3, 8));
  EXPECT_FALSE(listedTemp(2024, 3, 20, 2024, 3, 10));  // in the future: negative difference
}

TEST_F(Classify, RecentAccessAcrossMonthAndYearBoundaries) {
  EXPECT_TRUE(listedTemp(2024, 2, 28, 2024, 3, 2));    // previous month, four days ago
  EXPECT_TRUE(listedTemp(2024, 2, 29, 2024, 3, 1));
  EXPECT_TRUE(listedTemp(2023, 12, 30, 2024, 1, 3));   // previous year
  EXPECT_TRUE(listedTemp(2023, 3, 9, 2024, 3, 10));    // same month a year ago
  EXPECT_TRUE(listedTemp(2024, 4, 9, 2024, 3, 10));    // a later month
}

TEST_F(Classify, AccessTimeWithoutADateIsNotRecent) {
  EXPECT_EQ(categoryAccessed("SETUP.TMP", -86400), "temp files");
  platform.datelessBefore = test::localNoon(2025, 1, 1);
  EXPECT_EQ(categoryAccessed("SETUP.TMP", test::localNoon(2024, 3, 9)), "temp files");
}

TEST_F(Classify, DoubleByteNamesAreNotMistaken) {
  // 0x81 0x2E: the '.' is a trail byte, so the name has no full stop at all.
  EXPECT_EQ(categoryOf("\x81\x2Etmp", 0), "");
  EXPECT_EQ(categoryOf("\xD6\xD0\x81\x2E" "bak", 0), "");
  EXPECT_EQ(categoryOf("\x81\x41.TMP"), "temp files");
  EXPECT_EQ(categoryOf("\xB1\xA8\xB8\xE6.bak"), "back files");
  // The seven-byte tail would begin on a trail byte 'L': no tail of its own.
  EXPECT_EQ(categoryOf("\x81LOG.DAT"), "");
  EXPECT_EQ(categoryOf("\x81\x40LOG.DAT"), "system log files");
  EXPECT_EQ(categoryOf("\x81log.txt"), "");
}

TEST_F(Classify, EveryFileRaisesProgressAndBecomesTheCurrentPath) {
  platform.memoryDirs[root] = {test::fileEntry("README"), test::fileEntry("a.txt"),
                               test::fileEntry("b.bak")};
  engine.progressMax = kDiskProgressMax;
  engine.progressPos = 0;
  engine.walkDirectory(root, "");
  EXPECT_EQ(engine.progressPos, 3);
  EXPECT_EQ(engine.currentPath(), root + "b.bak");
  // One pace step for each file with a full stop.
  EXPECT_EQ(engine.paceCounter, 2);
}

TEST_F(Classify, FindingsCarryTheListingTimes) {
  platform.memoryDirs[root] = {test::fileEntry("a.bak", 3, 1111, 2222)};
  engine.runDiskScan();
  ASSERT_EQ(engine.foundCount(), 1);
  const FoundFile& file = engine.foundFile(0);
  EXPECT_EQ(file.lastAccess, 1111);
  EXPECT_EQ(file.lastWrite, 2222);
  EXPECT_EQ(file.name, "a.bak");
  EXPECT_EQ(file.path, root + "a.bak");
  EXPECT_EQ(file.treeItem, 0u);
  EXPECT_EQ(file.toDelete, 1);
}

}  // namespace
}  // namespace scourix
