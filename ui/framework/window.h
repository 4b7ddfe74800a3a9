#pragma once
// A thin holder of a window handle with the operations that every window and control
// shares. It never owns the window: dialogs destroy their windows, controls die with them.
#include <windows.h>

#include <string>

namespace scourix {

class Window {
 public:
  Window() = default;
  virtual ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }
  bool exists() const { return hwnd_ != nullptr && IsWindow(hwnd_); }

  // Binds the object to an existing window. Custom controls override it to start
  // receiving the window's messages. False when already bound or hwnd is null.
  virtual bool Attach(HWND hwnd);
  // Forgets the window without touching it.
  virtual void Detach() { hwnd_ = nullptr; }

  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageA(hwnd_, message, wParam, lParam);
  }
  std::string GetText() const;
  void SetText(const std::string& text) const { SetWindowTextA(hwnd_, text.c_str()); }
  void Show(int command) const { ShowWindow(hwnd_, command); }
  bool IsVisible() const { return IsWindowVisible(hwnd_) != FALSE; }
  // A control that loses its use first gives the keyboard focus on to the next control of
  // its window: a grey control would hold it where no key reaches.
  void Enable(bool on) const;
  bool IsEnabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
  RECT WindowRect() const;
  RECT ClientRect() const;
  void Move(int x, int y, int width, int height, bool repaint = true) const {
    MoveWindow(hwnd_, x, y, width, height, repaint ? TRUE : FALSE);
  }
  void Invalidate(bool erase = true) const { InvalidateRect(hwnd_, nullptr, erase ? TRUE : FALSE); }
  // A child control of this window by its id.
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  LONG_PTR Style() const { return GetWindowLongPtrA(hwnd_, GWL_STYLE); }
  void ModifyStyle(LONG_PTR remove, LONG_PTR add) const;

 protected:
  HWND hwnd_ = nullptr;
};

// The text of any window.
std::string WindowText(HWND hwnd);

}  // namespace scourix
