#include "ui/framework/control_hooks.h"

namespace scourix {

namespace {
constexpr UINT_PTR kSubclassId = 0x5C0u;
// The object of a subclassed control, for the reflection lookup from its HWND.
constexpr char kControlProperty[] = "scourix.control";
}

ControlHooks::~ControlHooks() { Unsubclass(); }

ControlHooks* ControlHooks::FromHandle(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  return static_cast<ControlHooks*>(GetPropA(hwnd, kControlProperty));
}

bool ControlHooks::OnReflectedNotify(NMHDR&, LRESULT&) { return false; }
bool ControlHooks::OnReflectedCommand(UINT, LRESULT&) { return false; }
bool ControlHooks::OnReflectedCtlColor(HDC, HBRUSH&) { return false; }
bool ControlHooks::PreTranslate(MSG&) { return false; }
bool ControlHooks::OnControlMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool ControlHooks::Subclass(HWND hwnd) {
  if (hwnd == nullptr || hooked_ != nullptr) return false;
  if (!SetWindowSubclass(hwnd, &ControlHooks::Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return false;
  SetPropA(hwnd, kControlProperty, this);
  hooked_ = hwnd;
  return true;
}

void ControlHooks::Unsubclass() {
  if (hooked_ == nullptr) return;
  RemoveWindowSubclass(hooked_, &ControlHooks::Proc, kSubclassId);
  RemovePropA(hooked_, kControlProperty);
  hooked_ = nullptr;
}

LRESULT ControlHooks::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(hooked_, message, wParam, lParam);
}

LRESULT CALLBACK ControlHooks::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<ControlHooks*>(data);
  if (message == WM_NCDESTROY) {
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    self->Unsubclass();
    self->OnControlDestroyed();
    return result;
  }
  LRESULT result = 0;
  if (self->OnControlMessage(message, wParam, lParam, result)) return result;
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace scourix
