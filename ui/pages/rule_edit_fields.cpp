#include "ui/pages/rule_edit_fields.h"

namespace scourix {

RuleEditFields FieldsFromRule(const ScanRule& rule) {
  RuleEditFields fields;
  fields.enableIndex = rule.enabled == 0 ? 1 : 0;
  fields.pattern = rule.pattern;
  fields.description = rule.description;
  fields.modeIndex = rule.matchMode;
  return fields;
}

ScanRule RuleFromFields(const RuleEditFields& fields) {
  ScanRule rule;
  rule.enabled = fields.enableIndex == 0 ? 1 : 0;
  rule.pattern = fields.pattern;
  rule.description = fields.description;
  rule.matchMode = fields.modeIndex;
  return rule;
}

const char* EditorCaption(bool isModify) { return isModify ? "修改" : "增加"; }

bool IsAcceptablePattern(const std::string& pattern) { return !pattern.empty(); }

}  // namespace scourix
