#pragma once
// What the rules page and its editor decide apart from their windows: which rule a click
// picks, what a rule's row and the editor show, what the editor accepts, and what an
// import or export reports.
#include <string>

#include "engine/scan_rule.h"
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

// The box after an import of a winapp2.ini: how many entries loaded and how many were
// skipped as broken. The rules page's line below its buttons: what is imported.
std::string CatalogImportText(int loaded, int skipped);
std::string CatalogStatusText(int imported);

// The duplicate question of an import: "%s 规则已经存在，是否还要添加?" with the pattern
// as far as a C string reaches (a zero byte ends it, as in the message box).
std::string DuplicateRuleText(const std::string& pattern);

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
// Why the editor refuses a pattern, or null: it takes any but the empty one and one with a
// comma (spaces count as a pattern).
const char* PatternProblem(const std::string& pattern);

}  // namespace scourix
