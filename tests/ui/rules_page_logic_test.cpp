// The rules page's and the rule editor's decisions that the windows do not show.
#include <gtest/gtest.h>

#include <string>

#include "ui/pages/rule_edit_fields.h"
#include "ui/pages/rules_page_logic.h"

namespace scourix {
namespace {

TEST(RulesPageLogic, PicksDuplicatesAndEditorFields) {
  EXPECT_EQ(PickedRule(1, 3), 3);
  EXPECT_EQ(PickedRule(2, 0), -1);  // several rows: none, even though one is first
  EXPECT_FALSE(IsRulePosition(3, 3));
  EXPECT_FALSE(IsRulePosition(-1, 3));
  EXPECT_EQ(DuplicateRuleText(std::string("ab\0cd", 5)), "ab 规则已经存在，是否还要添加?");

  ScanRule imported;
  imported.enabled = -3;
  imported.pattern = " ";
  imported.matchMode = 7;
  RuleEditFields fields = FieldsFromRule(imported);
  EXPECT_EQ(fields.enableIndex, 0);  // any nonzero state is enabled
  EXPECT_EQ(RuleFromFields(fields).enabled, 1);
  EXPECT_EQ(RuleFromFields(fields).matchMode, 7);
  fields.enableIndex = -1;  // nothing selected in the list
  EXPECT_EQ(RuleFromFields(fields).enabled, 0);
  EXPECT_EQ(RuleFromFields(RuleEditFields{}), ScanRule{});
  EXPECT_TRUE(IsAcceptablePattern(" "));  // not trimmed
}

}  // namespace
}  // namespace scourix
