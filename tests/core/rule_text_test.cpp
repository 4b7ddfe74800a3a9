// The rule text file: the import's reading of lines, export's bytes, files on disk.
#include "settings/rule_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/settings_test_support.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace scourix {
namespace {

using namespace std::string_literals;
using test::readFile;
using test::writeFile;

ScanRule rule(const std::string& pattern, const std::string& description, std::int32_t mode,
              std::int32_t enabled) {
  ScanRule r;
  r.pattern = pattern;
  r.description = description;
  r.matchMode = mode;
  r.enabled = enabled;
  return r;
}

// Answers every duplicate question the same way and counts them.
class CountingQuestion : public DuplicateRuleQuestion {
 public:
  explicit CountingQuestion(bool answer) : answer_(answer) {}
  bool addDuplicate(const std::string& pattern) override {
    asked.push_back(pattern);
    return answer_;
  }
  std::vector<std::string> asked;

 private:
  bool answer_;
};

// ---- One line ----

struct LineCase {
  const char* line;
  bool gives;
  ScanRule expected;
};

class RuleLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(RuleLine, ReadsAsTheImportDoes) {
  const LineCase& c = GetParam();
  ScanRule got = rule("unchanged", "unchanged", 77, 77);
  ASSERT_EQ(parseRuleLine(c.line, got), c.gives) << c.line;
  if (c.gives) {
    EXPECT_EQ(got.pattern, c.expected.pattern) << c.line;
    EXPECT_EQ(got.description, c.expected.description) << c.line;
    EXPECT_EQ(got.matchMode, c.expected.matchMode) << c.line;
    EXPECT_EQ(got.enabled, c.expected.enabled) << c.line;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RuleLine,
    ::testing::Values(LineCase{"abc", false, {}},
                      LineCase{"abc,", true, rule("abc", "", 0, 1)},
                      LineCase{",x,1,1", true, rule("", "x", 1, 1)},
                      LineCase{"a,b,1", true, rule("a", "b", 0, 1)},
                      LineCase{"a,b,1,", true, rule("a", "b", 1, 1)},
                      LineCase{"a,b,1,0", true, rule("a", "b", 1, 0)},
                      LineCase{"a,b,0,yes", true, rule("a", "b", 0, 0)},
                      LineCase{"a,b,1,1,extra", true, rule("a", "b", 1, 1)},
                      LineCase{".pcf,x,y,0,1", true, rule(".pcf", "x", 0, 0)},
                      LineCase{"a,b", true, rule("a", "", 0, 1)},
                      LineCase{",", true, rule("", "", 0, 1)},
                      LineCase{",,,", true, rule("", "", 0, 1)},
                      LineCase{"", false, {}},
                      LineCase{" \t\v\f\r\n", false, {}}));

TEST(RuleLineSpaces, OnlyTheWholeLineIsTrimmed) {
  ScanRule got;
  ASSERT_TRUE(parseRuleLine("  a , b , 1 , 0  ", got));
  EXPECT_EQ(got.pattern, "a ");
  EXPECT_EQ(got.description, " b ");
  EXPECT_EQ(got.matchMode, 1);
  EXPECT_EQ(got.enabled, 0);
}

TEST(RuleLineSpaces, EveryWhiteSpaceCharacterIsTrimmed) {
  ScanRule got;
  ASSERT_TRUE(parseRuleLine("\t\v\f\r a,b,1,0 \r\n\t", got));
  EXPECT_EQ(got.pattern, "a");
  EXPECT_EQ(got.enabled, 0);
}

TEST(RuleLineNumbers, ReadLikeAtoi) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {" 12abc", 12},   {"+7", 7},          {"-3", -3},   {"abc", 0},       {"", 0},
      {"\t\n-0", 0},    {"- 5", 0},         {"++5", 0},   {"007", 7},       {"1e3", 1},
      {"2147483647", INT32_MAX},            {"-2147483648", INT32_MIN},
      {"2147483648", INT32_MAX},            {"-2147483649", INT32_MIN},
      {"99999999999999999999999", INT32_MAX}, {"-99999999999999999999", INT32_MIN}};
  for (const auto& [text, value] : cases) {
    ScanRule got;
    ASSERT_TRUE(parseRuleLine("p,d,0," + std::string(text), got));
    EXPECT_EQ(got.enabled, text[0] == '\0' ? 1 : value) << text;
    ASSERT_TRUE(parseRuleLine("p,d," + std::string(text) + ",1", got));
    EXPECT_EQ(got.matchMode, value) << text;
  }
}

TEST(RuleLineBytes, CodePageBytesAndZerosPassThrough) {
  ScanRule got;
  ASSERT_TRUE(parseRuleLine("\xD6\xD0,\xCE\xC4,1,1", got));
  EXPECT_EQ(got.pattern, "\xD6\xD0");
  EXPECT_EQ(got.description, "\xCE\xC4");
}

// ---- A whole text ----

TEST(RuleText, SplitsAtLfAndDropsTheCrBeforeIt) {
  const auto rules = parseRuleText("a,1,0,1\r\nb,2,1,0\nc,3,0,1");
  ASSERT_EQ(rules.size(), 3u);
  EXPECT_EQ(rules[0], rule("a", "1", 0, 1));
  EXPECT_EQ(rules[1], rule("b", "2", 1, 0));
  EXPECT_EQ(rules[2], rule("c", "3", 0, 1));
}

TEST(RuleText, SkipsEmptyAndBlankLinesAndLinesWithoutComma) {
  const auto rules = parseRuleText("\r\n\n   \r\n\t\nnocomma\r\nx,y,0,1\r\n\r\n");
  ASSERT_EQ(rules.size(), 1u);
  EXPECT_EQ(rules[0].pattern, "x");
}

TEST(RuleText, ALoneCrStaysInsideTheLine) {
  const auto rules = parseRuleText("a\rb,c,0,1\r\n");
  ASSERT_EQ(rules.size(), 1u);
  EXPECT_EQ(rules[0].pattern, "a\rb");
}

TEST(RuleText, LinesLongerThan64KiB) {
  const std::string pattern(100000, 'p');
  const std::string description(70000, 'd');
  const auto rules = parseRuleText(pattern + "," + description + ",1,0\r\nshort,,0,1");
  ASSERT_EQ(rules.size(), 2u);
  EXPECT_EQ(rules[0], rule(pattern, description, 1, 0));
  EXPECT_EQ(rules[1].pattern, "short");
}

TEST(RuleText, EmptyTextGivesNoRules) { EXPECT_TRUE(parseRuleText("").empty()); }

// ---- Files ----

class RuleFiles : public ::testing::Test {
 protected:
  test::TempDir dir_;
  std::string path_ = dir_.file("rules.txt");
  RuleStore store_;
};

TEST_F(RuleFiles, ExportWritesFormattedLinesWithCrLf) {
  store_.append(rule(".pcf", "clean pcf files", 0, 1));
  store_.append(rule("~", "", 1, 0));
  store_.append(rule("n", "d", -5, 2147483647));
  ASSERT_EQ(exportRules(path_, store_), RuleFileStatus::Ok);
  EXPECT_EQ(readFile(path_), ".pcf,clean pcf files,0,1\r\n~,,1,0\r\nn,d,-5,2147483647\r\n");
}

TEST_F(RuleFiles, ExportTurnsEveryLfIntoCrLfAsTextModeWould) {
  store_.append(rule("p", "line1\nline2\r\nline3", 1, 1));
  ASSERT_EQ(exportRules(path_, store_), RuleFileStatus::Ok);
  EXPECT_EQ(readFile(path_), "p,line1\r\nline2\r\r\nline3,1,1\r\n");
}

TEST_F(RuleFiles, ExportWritesTextsUpToAZeroByteLikePercentS) {
  store_.append(rule("ab\0cd"s, "x\0y"s, 0, 1));
  ASSERT_EQ(exportRules(path_, store_), RuleFileStatus::Ok);
  EXPECT_EQ(readFile(path_), "ab,x,0,1\r\n");
}

TEST_F(RuleFiles, EmptyStoreExportsAnEmptyFile) {
  writeFile(path_, "old content");
  ASSERT_EQ(exportRules(path_, store_), RuleFileStatus::Ok);
  EXPECT_EQ(readFile(path_), "");
}

TEST_F(RuleFiles, ExportThenImportGivesTheSameRules) {
  store_.append(rule(".pcf", "clean pcf files", 0, 1));
  store_.append(rule("\xD6\xD0\xCE\xC4", "\xB7\xCF", 1, 0));
  store_.append(rule("doc.txt", "", 1, 1));
  store_.append(rule("", "empty pattern", 0, -1));
  ASSERT_EQ(exportRules(path_, store_), RuleFileStatus::Ok);
  RuleStore imported;
  ASSERT_EQ(importRules(path_, imported, nullptr), RuleFileStatus::Ok);
  EXPECT_EQ(imported.all(), store_.all());
}

TEST_F(RuleFiles, ACommaInADescriptionShiftsTheFields) {
  store_.append(rule(".pcf", "x,y", 0, 1));
  ASSERT_EQ(exportRules(path_, store_), RuleFileStatus::Ok);
  RuleStore imported;
  ASSERT_EQ(importRules(path_, imported, nullptr), RuleFileStatus::Ok);
  ASSERT_EQ(imported.count(), 1);
  EXPECT_EQ(imported.at(0), rule(".pcf", "x", 0, 0));
}

TEST_F(RuleFiles, ALineBreakInADescriptionComesBackAsTwoRules) {
  store_.append(rule("p", "first\nsecond", 1, 1));
  ASSERT_EQ(exportRules(path_, store_), RuleFileStatus::Ok);
  RuleStore imported;
  ASSERT_EQ(importRules(path_, imported, nullptr), RuleFileStatus::Ok);
  ASSERT_EQ(imported.count(), 2);
  EXPECT_EQ(imported.at(0), rule("p", "", 0, 1));
  EXPECT_EQ(imported.at(1), rule("second", "1", 0, 1));
}

TEST_F(RuleFiles, ImportReadsALastLineWithoutLineEnd) {
  writeFile(path_, "a,1,0,1\r\nb,2,1,0");
  ASSERT_EQ(importRules(path_, store_, nullptr), RuleFileStatus::Ok);
  ASSERT_EQ(store_.count(), 2);
  EXPECT_EQ(store_.at(1), rule("b", "2", 1, 0));
}

TEST_F(RuleFiles, ImportOfAnEmptyFileAddsNothing) {
  writeFile(path_, "");
  EXPECT_EQ(importRules(path_, store_, nullptr), RuleFileStatus::Ok);
  EXPECT_EQ(store_.count(), 0);
}

TEST_F(RuleFiles, ImportAppendsAfterTheExistingRules) {
  store_.append(rule("first", "", 0, 1));
  writeFile(path_, "second,,0,1\r\n");
  ASSERT_EQ(importRules(path_, store_, nullptr), RuleFileStatus::Ok);
  ASSERT_EQ(store_.count(), 2);
  EXPECT_EQ(store_.at(1).pattern, "second");
}

TEST_F(RuleFiles, ImportingTwiceAnsweringNoAsksOncePerLineAndChangesNothing) {
  writeFile(path_, "a,1,0,1\r\nb,2,0,1\r\nc,3,0,1\r\n");
  CountingQuestion no(false);
  ASSERT_EQ(importRules(path_, store_, &no), RuleFileStatus::Ok);
  EXPECT_TRUE(no.asked.empty());
  const std::vector<ScanRule> afterFirst = store_.all();
  ASSERT_EQ(importRules(path_, store_, &no), RuleFileStatus::Ok);
  EXPECT_EQ(no.asked, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(store_.all(), afterFirst);
}

TEST_F(RuleFiles, ImportingTwiceAnsweringYesDoublesTheRules) {
  writeFile(path_, "a,1,0,1\r\nb,2,0,1\r\n");
  CountingQuestion yes(true);
  ASSERT_EQ(importRules(path_, store_, &yes), RuleFileStatus::Ok);
  ASSERT_EQ(importRules(path_, store_, &yes), RuleFileStatus::Ok);
  EXPECT_EQ(yes.asked.size(), 2u);
  ASSERT_EQ(store_.count(), 4);
  EXPECT_EQ(store_.at(2).pattern, "a");
  EXPECT_EQ(store_.at(3).pattern, "b");
}

TEST_F(RuleFiles, DuplicatesWithinOneFileAreAskedAbout) {
  writeFile(path_, "a,1,0,1\r\na,2,0,1\r\n");
  CountingQuestion no(false);
  ASSERT_EQ(importRules(path_, store_, &no), RuleFileStatus::Ok);
  EXPECT_EQ(no.asked.size(), 1u);
  ASSERT_EQ(store_.count(), 1);
  EXPECT_EQ(store_.at(0).description, "1");
}

TEST_F(RuleFiles, ImportOfAMissingFileCannotOpen) {
  EXPECT_EQ(importRules(dir_.file("missing.txt"), store_, nullptr), RuleFileStatus::CannotOpen);
  EXPECT_EQ(store_.count(), 0);
}

TEST_F(RuleFiles, ExportIntoAMissingFolderCannotOpen) {
  EXPECT_EQ(exportRules(dir_.file("missing/rules.txt"), store_), RuleFileStatus::CannotOpen);
}

#ifndef _WIN32
TEST_F(RuleFiles, ExportOnAFullDiskIsAnIoError) {
  if (!test::fileExists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ASSERT_EQ(::symlink("/dev/full", path_.c_str()), 0);
  store_.append(rule(".pcf", "clean pcf files", 0, 1));
  EXPECT_EQ(exportRules(path_, store_), RuleFileStatus::IoError);
}

TEST_F(RuleFiles, ImportOfAFolderIsAnIoError) {
  // A folder opens for reading on Linux, but reading it fails.
  const RuleFileStatus status = importRules(dir_.path().string(), store_, nullptr);
  EXPECT_NE(status, RuleFileStatus::Ok);
  EXPECT_EQ(store_.count(), 0);
}
#endif

}  // namespace
}  // namespace scourix
