#pragma once
// Helpers of the in-process UI tests: answering message boxes from a hook, pumping
// messages until a condition holds, driving controls the way the user would, and running
// a test's steps inside a dialog's own loop.
#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/framework/dialog.h"

namespace scourix::test {

// Answers the dialog boxes that open on this thread while it lives (WH_CBT hook): on
// activation of a "#32770" window it records the caption and the text of its 0xFFFF
// static, then posts the chosen button's command to it. Of the program's own Dialog
// windows only owned modal ones count, and only when answerOwnDialogs is set (the about
// box); the main window, the pages and the result window never do.
class MessageBoxAnswerer {
 public:
  struct Box {
    std::string caption;
    std::string text;
    HWND owner = nullptr;
  };

  explicit MessageBoxAnswerer(int button = IDOK, bool answerOwnDialogs = false);
  ~MessageBoxAnswerer();
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  // The next boxes get these buttons in turn; then the default button again. A button of
  // 0 leaves its box open.
  void QueueAnswers(const std::vector<int>& buttons);
  // Runs as each box opens, once it is recorded and before it is answered.
  std::function<void(HWND box)> onOpen;
  void SetDefaultAnswer(int button) { button_ = button; }
  const std::vector<Box>& boxes() const { return boxes_; }
  int count() const { return static_cast<int>(boxes_.size()); }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  void OnActivate(HWND hwnd);

  HHOOK hook_ = nullptr;
  int button_;
  bool answerOwnDialogs_;
  std::deque<int> queued_;
  std::vector<Box> boxes_;
  std::set<HWND> seen_;
};

// Routes and dispatches messages (as the program's own loops do) until `condition`
// holds; between rounds it waits at most 10 ms for new input. False when it still does
// not hold after maxRounds rounds.
bool PumpUntil(const std::function<bool()>& condition, int maxRounds = 3000);
// Runs everything that is queued now.
void PumpPending();

// A click on button `id` of `dialog`, as the button reports it (WM_COMMAND BN_CLICKED).
void ClickButton(HWND dialog, int id);
// The key-down and key-up of `key` queued for `target` and pumped through the routing.
void PressKey(HWND target, UINT key);
// A notification of `control` to its parent; returns the parent's answer.
LRESULT SendNotify(HWND control, UINT code);
// A left click at a client point of `target`, button down then up.
void ClickAt(HWND target, POINT point);

// Runs a test's steps inside a dialog's own message loop: the dialog posts itself a
// message at the end of its initialisation and runs the script when it arrives.
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
