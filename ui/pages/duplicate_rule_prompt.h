#pragma once
// The import's question before it adds a pattern that is already in the store.
#include <windows.h>

#include <string>

#include "engine/rule_store.h"

namespace scourix {

class DuplicateRulePrompt {
 public:
  // owner: the main window, which owns the question box.
  explicit DuplicateRulePrompt(HWND owner) : owner_(owner) {}
  // "%s 规则已经存在，是否还要添加?" / "提醒" with Yes and No; only No refuses.
  bool addDuplicate(const std::string& pattern);

 private:
  HWND owner_;
};

}  // namespace scourix
