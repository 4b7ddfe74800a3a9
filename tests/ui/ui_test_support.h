#pragma once
// Helpers of the in-process UI tests: answering message boxes from a hook, pumping
// messages until a condition holds, and driving controls the way the user would.
#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

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
    bool ownDialog = false;
  };

  explicit MessageBoxAnswerer(int button = IDOK, bool answerOwnDialogs = false);
  ~MessageBoxAnswerer();
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  // The next boxes get these buttons in turn; then the default button again.
  void QueueAnswers(const std::vector<int>& buttons);
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

}  // namespace scourix::test
