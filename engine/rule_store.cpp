#include "engine/rule_store.h"

namespace scourix {

bool RuleStore::hasPattern(const std::string& text) const {
  for (const ScanRule& rule : rules_) {
    if (rule.pattern == text) return true;
  }
  return false;
}

void RuleStore::removeAt(int position) {
  if (position < 0 || position >= count()) return;
  rules_.erase(rules_.begin() + position);
}

}  // namespace scourix
