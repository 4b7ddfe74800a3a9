#include "ui/pages/rule_editing.h"

namespace scourix {

int PickedRule(int selectedCount, int firstSelectedRow) {
  return selectedCount == 1 ? firstSelectedRow : -1;
}

bool IsRulePosition(int position, int count) { return position >= 0 && position < count; }

const char* EnabledText(int enabled) { return enabled != 0 ? "启用" : "灰化"; }

const char* ImportMessage(RuleFileStatus status) {
  return status == RuleFileStatus::Ok ? "导入成功" : "导入文件发现异常";
}

const char* ExportMessage(RuleFileStatus status) {
  return status == RuleFileStatus::Ok ? "导出成功" : "导出文件发现异常";
}

std::string CatalogImportText(int loaded, int skipped) {
  const std::string broken = "跳过 " + std::to_string(skipped) + " 个无法读取的条目";
  if (loaded == 0) return "没有可导入的条目，" + broken + "。原来导入的条目不变。";
  return "已导入 " + std::to_string(loaded) + " 个条目，" + broken + "。";
}

std::string CatalogStatusText(int imported) {
  return imported == 0 ? "未导入 winapp2.ini" : "已导入 winapp2.ini：" + std::to_string(imported) + " 个条目";
}

std::string DuplicateRuleText(const std::string& pattern) {
  return std::string(pattern.c_str()) + " 规则已经存在，是否还要添加?";
}

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

const char* PatternProblem(const std::string& pattern) {
  if (pattern.empty()) return "规则不能为空";
  // The rule file separates its fields by commas: exported and read back, the rule would
  // become another one, enabled, matching other files. No code-page character hides a
  // comma byte in its second half.
  if (pattern.find(',') != std::string::npos) return "规则中不能含有逗号";
  return nullptr;
}

}  // namespace scourix
