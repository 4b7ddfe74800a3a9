#pragma once
// The ordered list of custom rules, in insertion order.
#include <string>
#include <vector>

#include "settings/scan_rule.h"

namespace scourix {

// Asked before a rule whose pattern is already in the store is added through addRule.
// The user interface answers with the "%s 规则已经存在，是否还要添加?" box.
class DuplicateRuleQuestion {
 public:
  virtual ~DuplicateRuleQuestion() = default;
  // True when the rule should be added anyway.
  virtual bool addDuplicate(const std::string& pattern) = 0;
};

class RuleStore {
 public:
  int count() const { return static_cast<int>(rules_.size()); }
  ScanRule& at(int position) { return rules_.at(position); }
  const ScanRule& at(int position) const { return rules_.at(position); }
  void append(const ScanRule& rule) { rules_.push_back(rule); }
  bool hasPattern(const std::string& text) const;
  // Asks `question` when the pattern is already present (no question object: add).
  // Returns true when the rule was added.
  bool addRule(const ScanRule& rule, DuplicateRuleQuestion* question);
  void replaceAt(int position, const ScanRule& rule) { rules_.at(position) = rule; }
  void removeAt(int position);
  void clear() { rules_.clear(); }

  const std::vector<ScanRule>& all() const { return rules_; }

 private:
  std::vector<ScanRule> rules_;
};

}  // namespace scourix
