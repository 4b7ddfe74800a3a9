#pragma once
// The rules page's decisions, apart from its window: which rule a click picks, what the
// list shows, and what the import and export report.
#include <string>

#include "settings/rule_text.h"

namespace scourix {

// The rule a mouse click picks: the selected row when exactly one row is selected,
// otherwise none (-1).
int PickedRule(int selectedCount, int firstSelectedRow);
// Whether `position` names a rule of a store holding `count` rules.
bool IsRulePosition(int position, int count);

// Column 2 of a rule's row: "启用" for any nonzero state, "灰化" for 0.
const char* EnabledText(int enabled);

// The box after an import or export: success, or one message for any failure (a file
// that cannot be opened or created included, so that no failure passes in silence).
const char* ImportMessage(RuleFileStatus status);
const char* ExportMessage(RuleFileStatus status);

// The duplicate question of an import: "%s 规则已经存在，是否还要添加?" with the pattern
// as far as a C string reaches (a zero byte ends it, as in the message box).
std::string DuplicateRuleText(const std::string& pattern);

}  // namespace scourix
