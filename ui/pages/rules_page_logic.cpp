#include "ui/pages/rules_page_logic.h"

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

std::string DuplicateRuleText(const std::string& pattern) {
  return std::string(pattern.c_str()) + " 规则已经存在，是否还要添加?";
}

}  // namespace scourix
