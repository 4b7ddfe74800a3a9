#include "ui/framework/key_filter.h"

namespace scourix {

namespace {

bool IsDown(int key) { return GetKeyState(key) < 0; }

bool IsUsableControlOf(HWND dialog, HWND control) {
  return control != nullptr && control != dialog && IsChild(dialog, control) && IsWindowEnabled(control) &&
         IsWindowVisible(control);
}

}  // namespace

WindowKey WindowKeyOf(const MSG& message) {
  if (message.message != WM_KEYDOWN) return WindowKey::None;
  if (message.wParam == VK_F6) return WindowKey::OtherWindow;
  if (message.wParam != VK_TAB || !IsDown(VK_CONTROL)) return WindowKey::None;
  return IsDown(VK_SHIFT) ? WindowKey::PreviousPage : WindowKey::NextPage;
}

void FocusInto(HWND dialog) {
  SetForegroundWindow(dialog);
  if (IsUsableControlOf(dialog, GetFocus())) return;
  HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
  if (first != nullptr) SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}

bool FilteredDialog::PreTranslateMessage(MSG& message) {
  if (IsEnterOrEscKeyDown(message)) return true;
  const WindowKey key = WindowKeyOf(message);
  if (key == WindowKey::None) return Dialog::PreTranslateMessage(message);
  // A page leaves the key to the window it lies in.
  if ((Style() & WS_CHILD) != 0) return false;
  OnWindowKey(key);
  return true;
}

}  // namespace scourix
