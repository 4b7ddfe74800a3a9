#include "ui/framework/control_hooks.h"

#include "ui/framework/uncaught.h"
#include "ui/framework/window_objects.h"

namespace scourix {

ControlHooks::~ControlHooks() { Unsubclass(); }

ControlHooks* ControlHooks::FromHandle(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  return WindowObjects<ControlHooks>::Find(hwnd);
}

bool ControlHooks::OnReflectedNotify(NMHDR&, LRESULT&) { return false; }
bool ControlHooks::OnReflectedCommand(UINT, LRESULT&) { return false; }
bool ControlHooks::OnReflectedCtlColor(HDC, HBRUSH&) { return false; }
bool ControlHooks::PreTranslate(MSG&) { return false; }
bool ControlHooks::OnControlMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

// Classic subclassing with the object found in a table of this process: Wine keeps the
// common controls' subclass chain in a window property, one server round trip per message,
// which made every bulk change of a list cost a round trip per item.
bool ControlHooks::Subclass(HWND hwnd) {
  if (hwnd == nullptr || hooked_ != nullptr) return false;
  WindowObjects<ControlHooks>::Add(hwnd, this);
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlHooks::Proc)));
  if (original_ == nullptr) {
    WindowObjects<ControlHooks>::Remove(hwnd);
    return false;
  }
  hooked_ = hwnd;
  return true;
}

void ControlHooks::Unsubclass() {
  if (hooked_ == nullptr) return;
  if (GetWindowLongPtrW(hooked_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ControlHooks::Proc)) {
    SetWindowLongPtrW(hooked_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  }
  WindowObjects<ControlHooks>::Remove(hooked_);
  hooked_ = nullptr;
}

LRESULT ControlHooks::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(original_, hooked_, message, wParam, lParam);
}

LRESULT CALLBACK ControlHooks::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlHooks* self = FromHandle(hwnd);
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  const WNDPROC original = self->original_;
  if (message == WM_NCDESTROY) {
    const LRESULT result = CallWindowProcW(original, hwnd, message, wParam, lParam);
    self->Unsubclass();
    self->OnControlDestroyed();
    return result;
  }
  LRESULT result = 0;
  try {
    if (self->OnControlMessage(message, wParam, lParam, result)) return result;
  } catch (...) {
    // The control's own processing still runs: a paint left undone would come back.
    ReportUncaught(hwnd);
  }
  return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

}  // namespace scourix
