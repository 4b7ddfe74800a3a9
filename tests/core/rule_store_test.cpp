// The custom rule store: plain appends, the duplicate question, removal and replacement.
#include "settings/rule_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scourix {
namespace {

ScanRule rule(const std::string& pattern, std::int32_t enabled = 1, std::int32_t mode = 0) {
  ScanRule r;
  r.pattern = pattern;
  r.enabled = enabled;
  r.matchMode = mode;
  return r;
}

class Answer : public DuplicateRuleQuestion {
 public:
  explicit Answer(bool yes) : yes_(yes) {}
  bool addDuplicate(const std::string& pattern) override {
    asked.push_back(pattern);
    return yes_;
  }
  std::vector<std::string> asked;

 private:
  bool yes_;
};

std::vector<std::string> patterns(const RuleStore& store) {
  std::vector<std::string> out;
  for (const ScanRule& r : store.all()) out.push_back(r.pattern);
  return out;
}

TEST(RuleStoreBasics, NewRuleDefaults) {
  const ScanRule r;
  EXPECT_EQ(r.enabled, 1);
  EXPECT_EQ(r.pattern, "");
  EXPECT_EQ(r.description, "");
  EXPECT_EQ(r.matchMode, MatchAtEnd);
}

TEST(RuleStoreBasics, AppendKeepsOrderAndAllowsDuplicates) {
  RuleStore store;
  store.append(rule(".b"));
  store.append(rule(".a"));
  store.append(rule(".b"));
  EXPECT_EQ(store.count(), 3);
  EXPECT_EQ(patterns(store), (std::vector<std::string>{".b", ".a", ".b"}));
}

TEST(RuleStoreHasPattern, IsExactAndCaseSensitive) {
  RuleStore store;
  store.append(rule(".pcf"));
  store.append(rule(""));
  EXPECT_TRUE(store.hasPattern(".pcf"));
  EXPECT_FALSE(store.hasPattern(".PCF"));
  EXPECT_FALSE(store.hasPattern(".pc"));
  EXPECT_FALSE(store.hasPattern(".pcf "));
  EXPECT_TRUE(store.hasPattern(""));
  EXPECT_FALSE(RuleStore().hasPattern(""));
}

TEST(RuleStoreHasPattern, ComparesAllBytesIncludingZeros) {
  RuleStore store;
  store.append(rule(std::string("a\0b", 3)));
  EXPECT_FALSE(store.hasPattern("a"));
  EXPECT_TRUE(store.hasPattern(std::string("a\0b", 3)));
}

TEST(RuleStoreAddRule, NewPatternIsAddedWithoutAQuestion) {
  RuleStore store;
  Answer no(false);
  store.append(rule(".a"));
  EXPECT_TRUE(store.addRule(rule(".b"), &no));
  EXPECT_TRUE(no.asked.empty());
  EXPECT_EQ(patterns(store), (std::vector<std::string>{".a", ".b"}));
}

TEST(RuleStoreAddRule, DuplicateAnsweredNoChangesNothing) {
  RuleStore store;
  store.append(rule(".a", 1, 0));
  Answer no(false);
  EXPECT_FALSE(store.addRule(rule(".a", 0, 1), &no));
  EXPECT_EQ(no.asked, std::vector<std::string>{".a"});
  ASSERT_EQ(store.count(), 1);
  EXPECT_EQ(store.at(0), rule(".a", 1, 0));
}

TEST(RuleStoreAddRule, DuplicateAnsweredYesAppendsASecondRule) {
  RuleStore store;
  store.append(rule(".a"));
  Answer yes(true);
  EXPECT_TRUE(store.addRule(rule(".a", 0, 1), &yes));
  EXPECT_EQ(yes.asked.size(), 1u);
  ASSERT_EQ(store.count(), 2);
  EXPECT_EQ(store.at(1), rule(".a", 0, 1));
}

TEST(RuleStoreAddRule, DifferentCaseIsNotADuplicate) {
  RuleStore store;
  store.append(rule(".pcf"));
  Answer no(false);
  EXPECT_TRUE(store.addRule(rule(".PCF"), &no));
  EXPECT_TRUE(no.asked.empty());
  EXPECT_EQ(store.count(), 2);
}

TEST(RuleStoreAddRule, WithoutAQuestionADuplicateIsAdded) {
  RuleStore store;
  store.append(rule(".a"));
  EXPECT_TRUE(store.addRule(rule(".a"), nullptr));
  EXPECT_EQ(store.count(), 2);
}

TEST(RuleStoreEdit, RemoveAtMovesLaterRulesUp) {
  RuleStore store;
  store.append(rule("0"));
  store.append(rule("1"));
  store.append(rule("2"));
  store.removeAt(1);
  EXPECT_EQ(patterns(store), (std::vector<std::string>{"0", "2"}));
  store.removeAt(1);
  EXPECT_EQ(patterns(store), std::vector<std::string>{"0"});
  store.removeAt(0);
  EXPECT_EQ(store.count(), 0);
}

TEST(RuleStoreEdit, ReplaceAtOverwritesAllFourFieldsWithoutACheck) {
  RuleStore store;
  store.append(rule("a"));
  store.append(rule("b"));
  ScanRule replacement = rule("a", 0, 1);
  replacement.description = "new";
  store.replaceAt(1, replacement);
  EXPECT_EQ(store.at(1), replacement);
  EXPECT_EQ(store.at(0), rule("a"));
}

TEST(RuleStoreEdit, AtChangesInPlace) {
  RuleStore store;
  store.append(rule("a"));
  store.at(0).enabled = 0;
  EXPECT_EQ(store.at(0).enabled, 0);
}

TEST(RuleStoreEdit, ClearRemovesEverything) {
  RuleStore store;
  store.append(rule("a"));
  store.append(rule("b"));
  store.clear();
  EXPECT_EQ(store.count(), 0);
  EXPECT_FALSE(store.hasPattern("a"));
}

}  // namespace
}  // namespace scourix
