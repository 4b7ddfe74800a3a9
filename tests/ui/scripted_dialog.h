#pragma once
// Runs a test's steps inside a dialog's own message loop: the dialog posts itself a
// message at the end of its initialisation and runs the script when it arrives.
#include <functional>
#include <utility>

#include "ui/framework/dialog.h"

namespace scourix::test {

constexpr UINT kRunScriptMessage = WM_APP + 77;

template <class Base>
class Scripted : public Base {
 public:
  using Base::Base;
  std::function<void()> script;
  // Posted after the script, so that a modal run always ends.
  bool closeAfterScript = true;

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = Base::OnInitDialog();
    PostMessageA(this->hwnd(), kRunScriptMessage, 0, 0);
    return result;
  }
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == kRunScriptMessage) {
      HWND self = this->hwnd();
      if (script) script();
      if (closeAfterScript && IsWindow(self)) PostMessageA(self, WM_CLOSE, 0, 0);
      return true;
    }
    return Base::HandleMessage(message, wParam, lParam, result);
  }
};

}  // namespace scourix::test
