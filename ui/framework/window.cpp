#include "ui/framework/window.h"

#include <vector>

namespace scourix {

bool Window::Attach(HWND hwnd) {
  if (hwnd == nullptr || hwnd_ != nullptr) return false;
  hwnd_ = hwnd;
  return true;
}

std::string Window::GetText() const { return WindowText(hwnd_); }

RECT Window::WindowRect() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return r;
}

RECT Window::ClientRect() const {
  RECT r{};
  GetClientRect(hwnd_, &r);
  return r;
}

void Window::Enable(bool on) const {
  if (!on && GetFocus() == hwnd_) SendMessageA(GetAncestor(hwnd_, GA_ROOT), WM_NEXTDLGCTL, 0, FALSE);
  EnableWindow(hwnd_, on ? TRUE : FALSE);
}

void Window::ModifyStyle(LONG_PTR remove, LONG_PTR add) const {
  SetWindowLongPtrA(hwnd_, GWL_STYLE, (Style() & ~remove) | add);
}

std::string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  if (length <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  const int got = GetWindowTextA(hwnd, buffer.data(), length + 1);
  return std::string(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

}  // namespace scourix
