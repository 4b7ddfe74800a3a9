// The rules page's and the rule editor's decisions, without windows.
#include <gtest/gtest.h>

#include <string>

#include "ui/rule_edit_fields.h"
#include "ui/rules_page_logic.h"

namespace scourix {
namespace {

ScanRule MakeRule(int enabled, const std::string& pattern, const std::string& description, int mode) {
  ScanRule rule;
  rule.enabled = enabled;
  rule.pattern = pattern;
  rule.description = description;
  rule.matchMode = mode;
  return rule;
}

TEST(RulePick, OnlyExactlyOneSelectedRowPicksARule) {
  EXPECT_EQ(PickedRule(1, 3), 3);
  EXPECT_EQ(PickedRule(1, 0), 0);
  EXPECT_EQ(PickedRule(0, -1), -1);
  EXPECT_EQ(PickedRule(2, 0), -1);  // several rows: none, even though one is first
  EXPECT_EQ(PickedRule(5, 4), -1);
}

TEST(RulePick, PositionsAreCheckedAgainstTheStore) {
  EXPECT_FALSE(IsRulePosition(-1, 3));
  EXPECT_TRUE(IsRulePosition(0, 3));
  EXPECT_TRUE(IsRulePosition(2, 3));
  EXPECT_FALSE(IsRulePosition(3, 3));
  EXPECT_FALSE(IsRulePosition(0, 0));
}

TEST(RuleRowText, AnyNonzeroStateIsEnabled) {
  EXPECT_STREQ(EnabledText(1), "启用");
  EXPECT_STREQ(EnabledText(-4), "启用");
  EXPECT_STREQ(EnabledText(7), "启用");
  EXPECT_STREQ(EnabledText(0), "灰化");
}

TEST(RuleFileMessages, EveryFailureIsReported) {
  EXPECT_STREQ(ImportMessage(RuleFileStatus::Ok), "导入成功");
  EXPECT_STREQ(ImportMessage(RuleFileStatus::IoError), "导入文件发现异常");
  EXPECT_STREQ(ImportMessage(RuleFileStatus::CannotOpen), "导入文件发现异常");
  EXPECT_STREQ(ExportMessage(RuleFileStatus::Ok), "导出成功");
  EXPECT_STREQ(ExportMessage(RuleFileStatus::IoError), "导出文件发现异常");
  EXPECT_STREQ(ExportMessage(RuleFileStatus::CannotOpen), "导出文件发现异常");
}

TEST(RuleFileMessages, TheDuplicateQuestionNamesThePatternUpToAZeroByte) {
  EXPECT_EQ(DuplicateRuleText(".pcf"), ".pcf 规则已经存在，是否还要添加?");
  EXPECT_EQ(DuplicateRuleText(""), " 规则已经存在，是否还要添加?");
  EXPECT_EQ(DuplicateRuleText(std::string("ab\0cd", 5)), "ab 规则已经存在，是否还要添加?");
}

TEST(RuleEditMapping, EnabledRulesSelectTheFirstItemAndDisabledOnesTheSecond) {
  const RuleEditFields on = FieldsFromRule(MakeRule(1, ".pcf", "clean pcf files", 0));
  EXPECT_EQ(on.enableIndex, 0);
  EXPECT_EQ(on.pattern, ".pcf");
  EXPECT_EQ(on.description, "clean pcf files");
  EXPECT_EQ(on.modeIndex, 0);
  EXPECT_EQ(FieldsFromRule(MakeRule(0, "a", "", 1)).enableIndex, 1);
  EXPECT_EQ(FieldsFromRule(MakeRule(-3, "a", "", 1)).enableIndex, 0);  // imported states
}

TEST(RuleEditMapping, TheModeIsCopiedUnchangedBothWays) {
  EXPECT_EQ(FieldsFromRule(MakeRule(1, "a", "", 1)).modeIndex, 1);
  EXPECT_EQ(FieldsFromRule(MakeRule(1, "a", "", 7)).modeIndex, 7);
  RuleEditFields fields;
  fields.pattern = "a";
  fields.modeIndex = -1;  // no item selected
  EXPECT_EQ(RuleFromFields(fields).matchMode, -1);
}

TEST(RuleEditMapping, OnlyTheFirstItemMeansEnabled) {
  RuleEditFields fields;
  fields.pattern = "doc.txt";
  fields.description = "line one\r\nline two";
  fields.modeIndex = 1;
  EXPECT_EQ(RuleFromFields(fields), MakeRule(1, "doc.txt", "line one\r\nline two", 1));
  fields.enableIndex = 1;
  EXPECT_EQ(RuleFromFields(fields).enabled, 0);
  fields.enableIndex = -1;  // nothing selected in the list
  EXPECT_EQ(RuleFromFields(fields).enabled, 0);
}

TEST(RuleEditMapping, ARuleComesBackUnchangedWhenItsStateIsZeroOrOne) {
  for (const ScanRule& rule : {MakeRule(1, ".pcf", "x", 0), MakeRule(0, "~", "y", 1), MakeRule(1, " ", "", 9)}) {
    EXPECT_EQ(RuleFromFields(FieldsFromRule(rule)), rule);
  }
}

TEST(RuleEditMapping, ANewEditorHoldsANewRule) {
  EXPECT_EQ(RuleFromFields(RuleEditFields{}), ScanRule{});
}

TEST(RuleEditor, CaptionsAndThePatternCheck) {
  EXPECT_STREQ(EditorCaption(true), "修改");
  EXPECT_STREQ(EditorCaption(false), "增加");
  EXPECT_FALSE(IsAcceptablePattern(""));
  EXPECT_TRUE(IsAcceptablePattern(" "));  // not trimmed
  EXPECT_TRUE(IsAcceptablePattern(".pcf"));
}

}  // namespace
}  // namespace scourix
