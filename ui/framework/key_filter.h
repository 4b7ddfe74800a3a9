#pragma once
// The key filter of the main window, the pages and the result list window: the key-down
// of Enter or Esc is swallowed, so neither key presses a button or closes a window.
#include <windows.h>

#include "ui/framework/dialog.h"

namespace scourix {

inline bool IsEnterOrEscKeyDown(const MSG& message) {
  return message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE);
}

// A dialog with the key filter in its pre-translation.
class FilteredDialog : public Dialog {
 public:
  using Dialog::Dialog;
  bool PreTranslateMessage(MSG& message) override {
    if (IsEnterOrEscKeyDown(message)) return true;
    return Dialog::PreTranslateMessage(message);
  }
};

}  // namespace scourix
