#pragma once
// Lets a C++ object take over an existing control: it sees the control's messages first
// (window subclassing) and gets back the notifications the control sends to its parent
// dialog (reflection), so a custom control can consume its own notifications.
#include <windows.h>
#include <commctrl.h>

namespace scourix {

class ControlHooks {
 public:
  ControlHooks() = default;
  virtual ~ControlHooks();
  ControlHooks(const ControlHooks&) = delete;
  ControlHooks& operator=(const ControlHooks&) = delete;

  // The object that subclassed hwnd, or null.
  static ControlHooks* FromHandle(HWND hwnd);

  // Reflection: the parent dialog offers these before its own handlers. True when the
  // control handled the notification; `result` is then the dialog's answer.
  virtual bool OnReflectedNotify(NMHDR& header, LRESULT& result);
  virtual bool OnReflectedCommand(UINT code, LRESULT& result);
  // WM_CTLCOLOR* of the control: true with the background brush to answer.
  virtual bool OnReflectedCtlColor(HDC dc, HBRUSH& brush);
  // Offered every queued message for the control before its dialog's pre-translation;
  // true swallows it.
  virtual bool PreTranslate(MSG& message);

 protected:
  bool Subclass(HWND hwnd);
  void Unsubclass();
  HWND hookedWindow() const { return hooked_; }

  // The control's own messages. True when handled (then `result` is returned and the
  // control's default processing does not run).
  virtual bool OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The control's default processing of a message, for handlers that run it first.
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The window is being destroyed: the object lets go of it.
  virtual void OnControlDestroyed() {}

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hooked_ = nullptr;
  WNDPROC original_ = nullptr;
};

}  // namespace scourix
