#pragma once
// The key filter of the main window, the pages and the result list window: the key-down
// of Enter or Esc is swallowed, so neither key presses a button or closes a window; the
// keys that move between pages and windows go to the top-level window, which decides.
#include <windows.h>

#include "ui/framework/dialog.h"

namespace scourix {

inline bool IsEnterOrEscKeyDown(const MSG& message) {
  return message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE);
}

// Ctrl+Tab, Ctrl+Shift+Tab and F6.
enum class WindowKey { None, NextPage, PreviousPage, OtherWindow };
WindowKey WindowKeyOf(const MSG& message);

// Activates `dialog`'s window and, unless the focus already rests on a usable control
// inside it, gives the focus to its first tab stop.
void FocusInto(HWND dialog);

// A dialog with the key filter in its pre-translation.
class FilteredDialog : public Dialog {
 public:
  using Dialog::Dialog;
  bool PreTranslateMessage(MSG& message) override;

 protected:
  // A window key pressed inside a top-level filtered dialog; the key is swallowed.
  virtual void OnWindowKey(WindowKey) {}
};

}  // namespace scourix
