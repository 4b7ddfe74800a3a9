#pragma once
// What the rule editor shows of a rule, and how its fields turn back into a rule.
#include <string>

#include "engine/scan_rule.h"

namespace scourix {

// The items of the editor's two drop-down lists, in list order.
inline constexpr const char* kEnableChoices[] = {"启用", "灰化"};
inline constexpr const char* kModeChoices[] = {"规则必须在文件名末尾", "只要包含规则字符串"};

// The editor's members: selection indices of the drop-down lists (-1: none) and the texts.
struct RuleEditFields {
  int enableIndex = 0;  // 0 "启用", 1 "灰化"
  std::string pattern;
  std::string description;
  int modeIndex = 0;  // the match mode itself; a mode without an item selects nothing
};

RuleEditFields FieldsFromRule(const ScanRule& rule);
// Any index but 0 means "灰化"; the mode index is stored as it stands, -1 included.
ScanRule RuleFromFields(const RuleEditFields& fields);

// The editor's caption: "修改" when it modifies a rule, "增加" when it adds one.
const char* EditorCaption(bool isModify);
// The editor accepts any pattern but the empty one (spaces count as a pattern).
bool IsAcceptablePattern(const std::string& pattern);

}  // namespace scourix
