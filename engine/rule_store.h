#pragma once
// The ordered list of custom rules, in insertion order.
#include <string>
#include <vector>

#include "engine/scan_rule.h"

namespace scourix {

class RuleStore {
 public:
  int count() const { return static_cast<int>(rules_.size()); }
  ScanRule& at(int position) { return rules_.at(position); }
  const ScanRule& at(int position) const { return rules_.at(position); }
  void append(const ScanRule& rule) { rules_.push_back(rule); }
  bool hasPattern(const std::string& text) const;
  void replaceAt(int position, const ScanRule& rule) { rules_.at(position) = rule; }
  void removeAt(int position);
  void clear() { rules_.clear(); }

  const std::vector<ScanRule>& all() const { return rules_; }

 private:
  std::vector<ScanRule> rules_;
};

}  // namespace scourix
