// The configuration file's layout: serialize in both directions over memory.
#include "settings/config_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/settings_test_support.h"
#include "engine/clean_engine.h"
#include "settings/archive.h"

namespace scourix {
namespace {

using test::Bytes;
using namespace std::string_literals;

std::string store(CleanEngine& engine) {
  std::string sink;
  Archive archive(sink, engine.platform());
  serialize(engine, archive);
  archive.close();
  return sink;
}

void load(CleanEngine& engine, const std::string& bytes, ConfigLoadProgress* progress = nullptr) {
  Archive archive{std::string_view(bytes), engine.platform()};
  serialize(engine, archive, progress);
}

DriveEntry drive(const std::string& root, const std::string& label, std::int32_t selected) {
  DriveEntry entry;
  entry.root = root;
  entry.displayName = label;
  entry.selected = selected;
  return entry;
}

ScanRule rule(std::int32_t enabled, const std::string& pattern, const std::string& description,
              std::int32_t matchMode) {
  ScanRule r;
  r.enabled = enabled;
  r.pattern = pattern;
  r.description = description;
  r.matchMode = matchMode;
  return r;
}

void expectAllFlags(CleanEngine& engine, std::int32_t value) {
  for (const auto& field : kCategoryFlagsInFileOrder) {
    EXPECT_EQ(engine.settings.*field.flag, value) << field.name;
  }
  for (const auto& field : kTraceFlagsInFileOrder) {
    EXPECT_EQ(engine.traceFlags.*field.flag, value) << field.name;
  }
}

class ConfigSerialize : public ::testing::Test {
 protected:
  CleanEngine engine_{systemPlatform()};
};

// ---- Storing ----

TEST_F(ConfigSerialize, FreshStateIs84Bytes) {
  expectAllFlags(engine_, 1);
  const std::string bytes = store(engine_);
  EXPECT_EQ(bytes, Bytes().flags(19, 1).i32(0).i32(0).str());
  EXPECT_EQ(bytes.size(), 84u);
}

TEST_F(ConfigSerialize, OneDriveIs96Bytes) {
  engine_.drives.push_back(drive("C:\\", "C:\\", 1));
  const std::string bytes = store(engine_);
  const std::string expected = Bytes()
                                   .flags(19, 1)
                                   .raw("\x01\x00\x00\x00"s)
                                   .raw("\x03\x43\x3A\x5C")
                                   .raw("\x03\x43\x3A\x5C")
                                   .raw("\x01\x00\x00\x00"s)
                                   .raw("\x00\x00\x00\x00"s)
                                   .str();
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(bytes.size(), 96u);
}

TEST_F(ConfigSerialize, CategoryFlagsGoInFileOrder) {
  const char* fileOrder[] = {"backupFiles",    "garbageFiles",   "cppBuilderFiles", "emptyFiles",
                             "helpTempFiles",  "logTxtFiles",    "customRules",     "setupTempFiles",
                             "systemLogFiles", "tempFiles",      "visualCppFiles",  "cpyFiles"};
  ScanSettings& s = engine_.settings;
  Flag* members[] = {&s.backupFiles,    &s.garbageFiles, &s.cppBuilderFiles, &s.emptyFiles,
                     &s.helpTempFiles,  &s.logTxtFiles,  &s.customRules,     &s.setupTempFiles,
                     &s.systemLogFiles, &s.tempFiles,    &s.visualCppFiles,  &s.cpyFiles};
  for (int i = 0; i < 12; ++i) {
    EXPECT_STREQ(kCategoryFlagsInFileOrder[i].name, fileOrder[i]);
    *members[i] = 100 + i;
  }
  const std::string bytes = store(engine_);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(static_cast<unsigned char>(bytes[4 * i]), 100 + i) << fileOrder[i];
  }
}

TEST_F(ConfigSerialize, TraceFlagsGoInDeclarationOrderFromOffset48) {
  TraceFlags& t = engine_.traceFlags;
  Flag* members[] = {&t.tempInternetFiles, &t.internetHistory, &t.internetCookies,
                     &t.offlinePages,      &t.recycleBin,      &t.windowsTemp,
                     &t.recentDocuments};
  for (int i = 0; i < 7; ++i) *members[i] = 200 + i;
  const std::string bytes = store(engine_);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(static_cast<unsigned char>(bytes[48 + 4 * i]), 200 + i) << i;
  }
}

TEST_F(ConfigSerialize, RuleRecordsHoldEnabledPatternDescriptionMode) {
  engine_.rules.append(rule(0, ".pcf", "clean pcf files", 1));
  const std::string bytes = store(engine_);
  const std::string expected =
      Bytes().flags(19, 1).i32(0).i32(1).i32(0).str(".pcf").str("clean pcf files").i32(1).str();
  EXPECT_EQ(bytes, expected);
}

TEST_F(ConfigSerialize, A300ByteDescriptionHasPrefixFF2C01) {
  engine_.rules.append(rule(1, "x", std::string(300, 'd'), 0));
  const std::string bytes = store(engine_);
  // 84 bytes of the fresh state, then enabled and the pattern "x".
  EXPECT_EQ(bytes.substr(84 + 4 + 2, 3), "\xFF\x2C\x01");
  EXPECT_EQ(bytes.size(), 84u + 4 + 2 + 3 + 300 + 4);
}

TEST_F(ConfigSerialize, DrivesAndRulesKeepTheirOrder) {
  engine_.drives.push_back(drive("D:\\", "D:\\", 0));
  engine_.drives.push_back(drive("C:\\", "C:\\", 1));
  engine_.rules.append(rule(1, "b", "", 0));
  engine_.rules.append(rule(1, "a", "", 0));
  const std::string expected = Bytes()
                                   .flags(19, 1)
                                   .i32(2)
                                   .str("D:\\").str("D:\\").i32(0)
                                   .str("C:\\").str("C:\\").i32(1)
                                   .i32(2)
                                   .i32(1).str("b").str("").i32(0)
                                   .i32(1).str("a").str("").i32(0)
                                   .str();
  EXPECT_EQ(store(engine_), expected);
}

// ---- Loading ----

TEST_F(ConfigSerialize, LoadsTheWorkedExample) {
  const std::string bytes =
      Bytes().flags(19, 1).i32(1).str("C:\\").str("C:\\").i32(1).i32(0).str();
  load(engine_, bytes);
  ASSERT_EQ(engine_.drives.size(), 1u);
  EXPECT_EQ(engine_.drives[0].root, "C:\\");
  EXPECT_EQ(engine_.drives[0].displayName, "C:\\");
  EXPECT_EQ(engine_.drives[0].selected, 1);
  EXPECT_EQ(engine_.drives[0].present, 1);
  EXPECT_EQ(engine_.drives[0].treeItem, 0u);
  EXPECT_EQ(engine_.rules.count(), 0);
}

TEST_F(ConfigSerialize, FlagsOutsideZeroAndOneAreKeptAsRead) {
  Bytes bytes;
  const std::int32_t values[19] = {2, -1, 0, INT32_MAX, INT32_MIN, 7, 0, 1, 3, 4, 5, 6,
                                   0, -7, 99, 1, 0, 65536, 2};
  for (std::int32_t v : values) bytes.i32(v);
  bytes.i32(0).i32(0);
  load(engine_, bytes.str());
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(engine_.settings.*kCategoryFlagsInFileOrder[i].flag, values[i]);
  }
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(engine_.traceFlags.*kTraceFlagsInFileOrder[i].flag, values[12 + i]);
  }
  EXPECT_EQ(store(engine_), bytes.str());
}

TEST_F(ConfigSerialize, NegativeCountsMeanNoEntries) {
  ConfigLoadProgress progress;
  load(engine_, Bytes().flags(19, 1).i32(-1).i32(INT32_MIN).str(), &progress);
  EXPECT_TRUE(engine_.drives.empty());
  EXPECT_EQ(engine_.rules.count(), 0);
  EXPECT_EQ(progress.driveCount, -1);
  EXPECT_EQ(progress.ruleCount, INT32_MIN);
  EXPECT_EQ(progress.describe(), "flags, trace flags, 0 drives, 0 rules");
}

TEST_F(ConfigSerialize, NegativeDriveCountStillReadsTheRules) {
  load(engine_, Bytes().flags(19, 1).i32(-5).i32(1).i32(1).str("p").str("d").i32(0).str());
  EXPECT_TRUE(engine_.drives.empty());
  ASSERT_EQ(engine_.rules.count(), 1);
  EXPECT_EQ(engine_.rules.at(0).pattern, "p");
}

TEST_F(ConfigSerialize, HugeCountRunsIntoTheEndKeepingCompleteEntries) {
  const std::string bytes =
      Bytes().flags(19, 0).i32(INT32_MAX).str("C:\\").str("C:\\").i32(1).str();
  ConfigLoadProgress progress;
  EXPECT_THROW(load(engine_, bytes, &progress), ArchiveError);
  ASSERT_EQ(engine_.drives.size(), 1u);
  EXPECT_EQ(engine_.drives[0].root, "C:\\");
  EXPECT_EQ(engine_.rules.count(), 0);
  EXPECT_EQ(progress.describe(), "flags, trace flags, 1 of 2147483647 drives");
}

TEST_F(ConfigSerialize, HugeStringLengthIsDamageBeforeAnyAllocation) {
  const std::string bytes =
      Bytes().flags(19, 1).i32(1).raw("\xFF\xFF\xFF\xFE\xFF\xFF\xFF"s).str();
  EXPECT_THROW(load(engine_, bytes), ArchiveDamaged);
  EXPECT_TRUE(engine_.drives.empty());
}

TEST_F(ConfigSerialize, ExtraBytesAfterTheLastRuleAreIgnored) {
  const std::string bytes =
      Bytes().flags(19, 1).i32(0).i32(1).i32(1).str("a").str("b").i32(0).raw("garbage").str();
  load(engine_, bytes);
  ASSERT_EQ(engine_.rules.count(), 1);
  EXPECT_EQ(engine_.rules.at(0), rule(1, "a", "b", 0));
}

TEST_F(ConfigSerialize, LoadingAddsRulesWithoutTheDuplicateCheck) {
  load(engine_, Bytes().flags(19, 1).i32(0).i32(2)
                    .i32(1).str("a").str("").i32(0)
                    .i32(0).str("a").str("").i32(1).str());
  ASSERT_EQ(engine_.rules.count(), 2);
  EXPECT_EQ(engine_.rules.at(1), rule(0, "a", "", 1));
}

TEST_F(ConfigSerialize, LoadingEmptiesBothListsFirst) {
  engine_.drives.push_back(drive("Q:\\", "Q:\\", 1));
  engine_.rules.append(rule(1, "old", "", 0));
  // Cut inside the flags: neither list is reached, both are empty afterwards.
  EXPECT_THROW(load(engine_, Bytes().flags(5, 0).str()), ArchiveError);
  EXPECT_TRUE(engine_.drives.empty());
  EXPECT_EQ(engine_.rules.count(), 0);
}

TEST_F(ConfigSerialize, WideStringsAreConvertedWhenLoaded) {
  const std::string wideRoot = "\xFF\xFE\xFF\x03" "C\0:\0\\\0"s;
  const std::string wideChinese = "\xFF\xFE\xFF\x02" "\x2D\x4E\x87\x65"s;  // U+4E2D U+6587
  load(engine_, Bytes().flags(19, 1).i32(1).raw(wideRoot).raw(wideChinese).i32(1)
                    .i32(1).i32(1).raw(wideChinese).str("").i32(0).str());
  ASSERT_EQ(engine_.drives.size(), 1u);
  EXPECT_EQ(engine_.drives[0].root, "C:\\");
  EXPECT_EQ(engine_.drives[0].displayName, "\xD6\xD0\xCE\xC4");
  ASSERT_EQ(engine_.rules.count(), 1);
  EXPECT_EQ(engine_.rules.at(0).pattern, "\xD6\xD0\xCE\xC4");
}

// ---- Round trips ----

TEST_F(ConfigSerialize, RoundTripGivesTheSameStateAndBytes) {
  engine_.settings.tempFiles = 0;
  engine_.settings.emptyFiles = 5;
  engine_.traceFlags.recycleBin = 0;
  engine_.traceFlags.recentDocuments = -3;
  engine_.drives.push_back(drive("C:\\", "C:\\", 1));
  engine_.drives.push_back(drive("D:\\", "\xD6\xD0\xCE\xC4", 0));
  engine_.rules.append(rule(1, ".pcf", "clean pcf files", 0));
  engine_.rules.append(rule(0, "", std::string(70000, 'x'), 1));
  engine_.rules.append(rule(-9, std::string(300, 'p'), "a,b\r\nc\0d"s, 42));
  const std::string bytes = store(engine_);

  CleanEngine copy(systemPlatform());
  load(copy, bytes);
  EXPECT_EQ(copy.settings.tempFiles, 0);
  EXPECT_EQ(copy.settings.emptyFiles, 5);
  EXPECT_EQ(copy.traceFlags.recycleBin, 0);
  EXPECT_EQ(copy.traceFlags.recentDocuments, -3);
  ASSERT_EQ(copy.drives.size(), 2u);
  EXPECT_EQ(copy.drives[1].displayName, "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(copy.drives[1].selected, 0);
  EXPECT_EQ(copy.rules.all(), engine_.rules.all());
  EXPECT_EQ(store(copy), bytes);
}

TEST_F(ConfigSerialize, StoringAgainAfterAWideLoadWritesNarrowStrings) {
  load(engine_, Bytes().flags(19, 1).i32(1).raw("\xFF\xFE\xFF\x01" "C\0"s).str("C").i32(1)
                    .i32(0).str());
  EXPECT_EQ(store(engine_), Bytes().flags(19, 1).i32(1).str("C").str("C").i32(1).i32(0).str());
}

// ---- Truncation at every byte ----

struct Layout {
  std::string bytes;
  std::vector<std::size_t> driveEnds;
  std::vector<std::size_t> ruleEnds;
  std::size_t driveCountEnd = 0;
  std::size_t ruleCountEnd = 0;
};

const DriveEntry kDrives[] = {drive("C:\\", "C:\\", 1), drive("D:\\", "data", 0)};
const ScanRule kRules[] = {rule(1, ".pcf", "clean pcf files", 0), rule(0, "~tmp", "", 1),
                           rule(1, std::string(260, 'x'), "long", 0)};

Layout buildLayout() {
  Bytes b;
  for (int i = 0; i < 12; ++i) b.i32(100 + i);
  for (int i = 0; i < 7; ++i) b.i32(200 + i);
  Layout layout;
  b.i32(2);
  layout.driveCountEnd = b.size();
  for (const DriveEntry& d : kDrives) {
    b.str(d.root).str(d.displayName).i32(d.selected);
    layout.driveEnds.push_back(b.size());
  }
  b.i32(3);
  layout.ruleCountEnd = b.size();
  for (const ScanRule& r : kRules) {
    b.i32(r.enabled).str(r.pattern).str(r.description).i32(r.matchMode);
    layout.ruleEnds.push_back(b.size());
  }
  layout.bytes = b.str();
  return layout;
}

int countUpTo(const std::vector<std::size_t>& ends, std::size_t cut) {
  int n = 0;
  for (std::size_t end : ends) n += end <= cut ? 1 : 0;
  return n;
}

TEST(ConfigTruncation, EveryCutKeepsExactlyWhatWasReadCompletely) {
  const Layout layout = buildLayout();
  {
    CleanEngine reference(systemPlatform());
    for (int i = 0; i < 12; ++i) reference.settings.*kCategoryFlagsInFileOrder[i].flag = 100 + i;
    for (int i = 0; i < 7; ++i) reference.traceFlags.*kTraceFlagsInFileOrder[i].flag = 200 + i;
    for (const DriveEntry& d : kDrives) reference.drives.push_back(d);
    for (const ScanRule& r : kRules) reference.rules.append(r);
    ASSERT_EQ(store(reference), layout.bytes);
  }

  for (std::size_t cut = 0; cut <= layout.bytes.size(); ++cut) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    CleanEngine engine(systemPlatform());
    ConfigLoadProgress progress;
    const std::string part = layout.bytes.substr(0, cut);
    if (cut == layout.bytes.size()) {
      load(engine, part, &progress);
    } else {
      EXPECT_THROW(load(engine, part, &progress), ArchiveError);
    }
    const int flags = static_cast<int>(std::min<std::size_t>(12, cut / 4));
    const int traces = cut < 48 ? 0 : static_cast<int>(std::min<std::size_t>(7, (cut - 48) / 4));
    EXPECT_EQ(progress.flags, flags);
    EXPECT_EQ(progress.traceFlags, traces);
    for (int i = 0; i < 12; ++i) {
      ASSERT_EQ(engine.settings.*kCategoryFlagsInFileOrder[i].flag, i < flags ? 100 + i : 1);
    }
    for (int i = 0; i < 7; ++i) {
      ASSERT_EQ(engine.traceFlags.*kTraceFlagsInFileOrder[i].flag, i < traces ? 200 + i : 1);
    }
    const int drives = cut >= layout.driveCountEnd ? countUpTo(layout.driveEnds, cut) : 0;
    const int rules = cut >= layout.ruleCountEnd ? countUpTo(layout.ruleEnds, cut) : 0;
    EXPECT_EQ(progress.driveCountRead, cut >= layout.driveCountEnd);
    EXPECT_EQ(progress.ruleCountRead, cut >= layout.ruleCountEnd);
    ASSERT_EQ(static_cast<int>(engine.drives.size()), drives);
    for (int i = 0; i < drives; ++i) {
      EXPECT_EQ(engine.drives[i].root, kDrives[i].root);
      EXPECT_EQ(engine.drives[i].displayName, kDrives[i].displayName);
      EXPECT_EQ(engine.drives[i].selected, kDrives[i].selected);
      EXPECT_EQ(engine.drives[i].present, 1);
    }
    ASSERT_EQ(engine.rules.count(), rules);
    for (int i = 0; i < rules; ++i) EXPECT_EQ(engine.rules.at(i), kRules[i]);
    EXPECT_EQ(progress.drives, drives);
    EXPECT_EQ(progress.rules, rules);
  }
}

TEST(ConfigTruncation, CutInTheThirdRuleKeepsTheFirstTwo) {
  CleanEngine reference(systemPlatform());
  reference.settings.garbageFiles = 0;
  reference.drives.push_back(drive("C:\\", "C:\\", 1));
  for (const ScanRule& r : kRules) reference.rules.append(r);
  const std::string bytes = store(reference);

  CleanEngine engine(systemPlatform());
  ConfigLoadProgress progress;
  EXPECT_THROW(load(engine, bytes.substr(0, bytes.size() - 10), &progress), ArchiveError);
  EXPECT_EQ(engine.settings.garbageFiles, 0);
  ASSERT_EQ(engine.drives.size(), 1u);
  ASSERT_EQ(engine.rules.count(), 2);
  EXPECT_EQ(engine.rules.at(1), kRules[1]);
  EXPECT_EQ(progress.describe(), "flags, trace flags, 1 drive, 2 of 3 rules");
}

// ---- What a load reports ----

TEST(ConfigLoadProgressText, NamesWhatWasRead) {
  ConfigLoadProgress p;
  EXPECT_EQ(p.describe(), "nothing");
  p.flags = 5;
  EXPECT_EQ(p.describe(), "5 of 12 flags");
  p.flags = 12;
  p.traceFlags = 3;
  EXPECT_EQ(p.describe(), "flags, 3 of 7 trace flags");
  p.traceFlags = 7;
  p.driveCountRead = true;
  p.driveCount = 2;
  p.drives = 2;
  p.ruleCountRead = true;
  p.ruleCount = 1;
  p.rules = 1;
  EXPECT_EQ(p.describe(), "flags, trace flags, 2 drives, 1 rule");
  p.ruleCount = 0;
  p.rules = 0;
  EXPECT_EQ(p.describe(), "flags, trace flags, 2 drives, 0 rules");
}

}  // namespace
}  // namespace scourix
