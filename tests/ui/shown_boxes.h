#pragma once
// The message boxes among the dialogs an answerer saw: a window of the program's own that
// gets activated is recorded too, and is no box.
#include <vector>

#include "tests/ui/ui_test_support.h"

namespace scourix::test {

inline std::vector<MessageBoxAnswerer::Box> ShownBoxes(const MessageBoxAnswerer& answer) {
  std::vector<MessageBoxAnswerer::Box> boxes;
  for (const auto& box : answer.boxes()) {
    if (!box.ownDialog) boxes.push_back(box);
  }
  return boxes;
}

}  // namespace scourix::test
