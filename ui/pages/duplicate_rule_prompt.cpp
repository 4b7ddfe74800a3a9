#include "ui/pages/duplicate_rule_prompt.h"

#include "ui/pages/rules_page_logic.h"

namespace scourix {

bool DuplicateRulePrompt::addDuplicate(const std::string& pattern) {
  return MessageBoxA(owner_, DuplicateRuleText(pattern).c_str(), "提醒", MB_YESNO | MB_ICONQUESTION) != IDNO;
}

}  // namespace scourix
