// The rule text file: the import's reading of lines and the export's bytes. The duplicate
// question and files that cannot be opened are run through the rules page.
#include "settings/rule_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "temp_tree.h"

namespace scourix {
namespace {

using namespace std::string_literals;
using Rules = std::vector<ScanRule>;

// "enabled|pattern|description|mode" of each rule, one a line.
std::string text(const Rules& rules) {
  std::string out;
  for (const ScanRule& r : rules) {
    out += std::to_string(r.enabled) + "|" + r.pattern + "|" + r.description + "|" +
           std::to_string(r.matchMode) + "\n";
  }
  return out;
}

// Each row: a line, and the rule it gives ("" for none).
TEST(RuleText, LinesReadAsTheImportReadsThem) {
  const std::pair<std::string, std::string> rows[] = {
      {"abc", ""}, {" \t\v\f\r\n", ""}, {"abc,", "1|abc||0"}, {",x,1,1", "1||x|1"}, {",,,", "1|||0"},
      {"a,b", "1|a||0"}, {"a,b,1", "1|a|b|0"} /* a mode needs a comma after it */, {"a,b,1,", "1|a|b|1"},
      {"a,b,1,0", "0|a|b|1"}, {"a,b,1,1,extra", "1|a|b|1"}, {"\xD6\xD0,\xCE\xC4,1,1", "1|\xD6\xD0|\xCE\xC4|1"},
      {"\t\v\f\r a , b , 1 , 0  \r\n", "0|a | b |1"},  // only the whole line is trimmed
      // Numbers as atoi reads them, saturating beyond 32 bits.
      {"p,d, 12abc,+7", "7|p|d|12"}, {"p,d,-3,yes", "0|p|d|-3"}, {"p,d,007,- 5", "0|p|d|7"},
      {"p,d,2147483648,-2147483649", "-2147483648|p|d|2147483647"},
      {"p,d,99999999999999999999,-99999999999999999999", "-2147483648|p|d|2147483647"},
  };
  for (const auto& [line, expected] : rows) {
    ScanRule rule;
    EXPECT_EQ(parseRuleLine(line, rule) ? text({rule}) : "\n", expected + "\n") << line;
  }
}

TEST(RuleText, LinesOfAText) {
  const std::string longPattern(100000, 'p');
  EXPECT_EQ(text(parseRuleText("a,1,0,1\r\n\r\n\n   \r\nnocomma\r\nb,2,1,0\nc\rd,3,0,1\r\n" +
                               longPattern + ",long,1,0\r\nlast,4,0,1")),
            "1|a|1|0\n0|b|2|1\n1|c\rd|3|0\n0|" + longPattern + "|long|1\n1|last|4|0\n");
}

// Each row: the store, the bytes the export writes, the rules the import reads back.
TEST(RuleFiles, ExportAndImportAgain) {
  test::TempTree tree;
  const std::string path = tree.path("rules.txt");
  RuleStore store;
  const Rules plain = {{1, ".pcf", "clean pcf files", 0}, {0, "~", "", 1}, {INT32_MAX, "n", "d", -5},
                       {0, "\xD6\xD0", "\xB7\xCF", 1}};
  const std::tuple<Rules, std::string, std::string> rows[] = {
      {{}, "", ""},
      {plain, ".pcf,clean pcf files,0,1\r\n~,,1,0\r\nn,d,-5,2147483647\r\n\xD6\xD0,\xB7\xCF,1,0\r\n", text(plain)},
      // A comma in a description would shift the fields: it is written as a semicolon.
      {{{0, ".pcf", "x,y", 1}}, ".pcf,x;y,1,0\r\n", "0|.pcf|x;y|1\n"},
      // Each CR or LF in a field becomes a space: a rule is one line.
      {{{1, "p\rq", "first\r\nsecond\n", 1}}, "p q,first  second ,1,1\r\n", "1|p q|first  second |1\n"},
      // Texts end at a zero byte, as "%s" writes them.
      {{{1, "ab\0cd"s, "x\0y"s, 0}}, "ab,x,0,1\r\n", "1|ab|x|0\n"},
  };
  for (const auto& [rules, bytes, back] : rows) {
    SCOPED_TRACE(bytes);
    test::TempTree::write(path, "old content");
    store.clear();
    for (const ScanRule& rule : rules) store.append(rule);
    ASSERT_EQ(exportRules(path, store, systemPlatform()), RuleFileStatus::Ok);
    EXPECT_EQ(test::TempTree::read(path), bytes);
    RuleStore imported;
    ASSERT_EQ(importRules(path, imported, nullptr), RuleFileStatus::Ok);
    EXPECT_EQ(text(imported.all()), back);
  }
  // A file of the temporary name is the user's: it stays. An export that cannot write
  // leaves the file it would have replaced as it was.
  test::TempTree::write(path + ".tmp", "mine");
  ASSERT_EQ(exportRules(path, store, systemPlatform()), RuleFileStatus::Ok);
  EXPECT_EQ(test::TempTree::read(path + ".tmp"), "mine");
#ifdef _WIN32
  tree.dir("rules.txt.1.tmp");  // a folder: opened neither way
#else
  std::filesystem::create_symlink("missing/x", path + ".1.tmp");  // into a folder that is not there
#endif
  test::TempTree::write(path, "old content");
  EXPECT_EQ(exportRules(path, store, systemPlatform()), RuleFileStatus::CannotOpen);
  EXPECT_EQ(test::TempTree::read(path), "old content");
}

}  // namespace
}  // namespace scourix
