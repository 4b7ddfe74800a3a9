#include "tests/ui/ui_test_support.h"

#include "ui/framework/dialog.h"
#include "ui/framework/window.h"

namespace scourix::test {

namespace {
MessageBoxAnswerer* activeAnswerer = nullptr;
constexpr int kMessageBoxTextId = 0xFFFF;
}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(int button, bool answerOwnDialogs)
    : button_(button), answerOwnDialogs_(answerOwnDialogs) {
  activeAnswerer = this;
  hook_ = SetWindowsHookExA(WH_CBT, &MessageBoxAnswerer::Hook, nullptr, GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  activeAnswerer = nullptr;
}

void MessageBoxAnswerer::QueueAnswers(const std::vector<int>& buttons) {
  queued_.insert(queued_.end(), buttons.begin(), buttons.end());
}

LRESULT CALLBACK MessageBoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && activeAnswerer != nullptr) {
    activeAnswerer->OnActivate(reinterpret_cast<HWND>(wParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswerer::OnActivate(HWND hwnd) {
  char className[32] = {};
  GetClassNameA(hwnd, className, sizeof className);
  if (std::string(className) != "#32770" || !seen_.insert(hwnd).second) return;
  // The program's own windows are no boxes, except its modal dialogs when asked for.
  const Dialog* own = Dialog::FromHandle(hwnd);
  if (own != nullptr && !(answerOwnDialogs_ && own->IsModal() && GetWindow(hwnd, GW_OWNER) != nullptr)) return;
  Box box;
  box.caption = WindowText(hwnd);
  box.text = WindowText(GetDlgItem(hwnd, kMessageBoxTextId));
  box.owner = GetWindow(hwnd, GW_OWNER);
  boxes_.push_back(box);
  int button = button_;
  if (!queued_.empty()) {
    button = queued_.front();
    queued_.pop_front();
  }
  if (onOpen) onOpen(hwnd);
  if (button != 0) PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

bool PumpUntil(const std::function<bool()>& condition, int maxRounds) {
  for (int round = 0; round < maxRounds; ++round) {
    Dialog::PumpPendingMessages();
    if (condition()) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  Dialog::PumpPendingMessages();
  return condition();
}

void PumpPending() { Dialog::PumpPendingMessages(); }

void ClickButton(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PressKey(HWND target, UINT key) {
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
  PumpPending();
}

LRESULT SendNotify(HWND control, UINT code) {
  NMHDR header{};
  header.hwndFrom = control;
  header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
  header.code = code;
  return SendMessageA(GetParent(control), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void ClickAt(HWND target, POINT point) {
  const LPARAM position = MAKELPARAM(point.x, point.y);
  SendMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, position);
  SendMessageA(target, WM_LBUTTONUP, 0, position);
}

}  // namespace scourix::test
