#include "tests/ui/ui_test_support.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "ui/framework/window.h"

namespace scourix::test {

namespace {
MessageBoxAnswerer* activeAnswerer = nullptr;
constexpr int kMessageBoxTextId = 0xFFFF;
// The file name field of the common dialogs: a combo box in the newer layout, an edit
// in the older one.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

HWND FileNameField(HWND dialog) {
  HWND field = GetDlgItem(dialog, kFileNameCombo);
  return field != nullptr ? field : GetDlgItem(dialog, kFileNameEdit);
}

void PostClick(HWND dialog, int button) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}
}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(int button) : button_(button) {
  activeAnswerer = this;
  hook_ = SetWindowsHookExA(WH_CBT, &MessageBoxAnswerer::Hook, nullptr, GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
  UnhookWindowsHookEx(hook_);
  activeAnswerer = nullptr;
}

void MessageBoxAnswerer::QueueAnswers(const std::vector<int>& buttons) {
  queued_.insert(queued_.end(), buttons.begin(), buttons.end());
}

LRESULT CALLBACK MessageBoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && activeAnswerer != nullptr) activeAnswerer->OnActivate(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswerer::OnActivate(HWND hwnd) {
  char className[32] = {};
  GetClassNameA(hwnd, className, sizeof className);
  if (std::string(className) != "#32770" || !seen_.insert(hwnd).second) return;
  const Dialog* own = Dialog::FromHandle(hwnd);
  if (own != nullptr && !(own->IsModal() && GetWindow(hwnd, GW_OWNER) != nullptr)) return;
  boxes_.push_back(Box{WindowText(hwnd), WindowText(GetDlgItem(hwnd, kMessageBoxTextId)), GetWindow(hwnd, GW_OWNER)});
  if (own == nullptr && FileNameField(hwnd) != nullptr) {
    // From a thread timer: its message comes after everything the dialog queued for itself.
    fileDialog_ = hwnd;
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &MessageBoxAnswerer::AnswerFileDialog);
    return;
  }
  if (own != nullptr && fill) fill(hwnd);
  int button = button_;
  if (!queued_.empty()) {
    button = queued_.front();
    queued_.pop_front();
  }
  if (onOpen) onOpen(hwnd);
  if (button != 0) PostClick(hwnd, button);
}

void CALLBACK MessageBoxAnswerer::AnswerFileDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (activeAnswerer == nullptr || !IsWindow(activeAnswerer->fileDialog_)) return;
  HWND dialog = activeAnswerer->fileDialog_;
  SetWindowTextA(FileNameField(dialog), activeAnswerer->fileName.c_str());
  PostClick(dialog, activeAnswerer->fileName.empty() ? IDCANCEL : IDOK);
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

void ClickButton(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PressKey(HWND target, UINT key, std::initializer_list<BYTE> held) {
  BYTE before[256] = {};
  GetKeyboardState(before);
  BYTE pressed[256] = {};
  std::copy(std::begin(before), std::end(before), pressed);
  for (BYTE modifier : held) pressed[modifier] = 0x80;
  SetKeyboardState(pressed);
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
  PumpPending();
  SetKeyboardState(before);
}

LRESULT SendNotify(HWND control, UINT code) {
  NMHDR header{control, static_cast<UINT_PTR>(GetDlgCtrlID(control)), code};
  return SendMessageA(GetParent(control), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void ClickAt(HWND target, POINT point) {
  SendMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  SendMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

std::vector<HTREEITEM> ItemsBelow(const TreeView& tree, HTREEITEM parent) {
  std::vector<HTREEITEM> items;
  HTREEITEM item = parent == TVI_ROOT ? tree.GetRoot() : tree.GetChild(parent);
  for (; item != nullptr; item = tree.GetNextSibling(item)) items.push_back(item);
  return items;
}

std::vector<std::string> TextsBelow(const TreeView& tree, HTREEITEM parent) {
  std::vector<std::string> texts;
  for (HTREEITEM item : ItemsBelow(tree, parent)) texts.push_back(tree.GetItemText(item));
  return texts;
}

HTREEITEM FindItem(const TreeView& tree, HTREEITEM parent, const std::string& text) {
  for (HTREEITEM item : ItemsBelow(tree, parent)) {
    if (tree.GetItemText(item) == text) return item;
  }
  return nullptr;
}

bool FindBoxPoint(const TreeView& tree, HTREEITEM item, POINT& point) {
  RECT rect{};
  if (!tree.GetItemRect(item, rect, true)) return false;
  for (int x = 0; x < rect.left; ++x) {
    UINT flags = 0;
    point = POINT{x, (rect.top + rect.bottom) / 2};
    if (tree.HitTest(point, &flags) == item && (flags & TVHT_ONITEMSTATEICON) != 0) return true;
  }
  return false;
}

void ClickBox(const TreeView& tree, HTREEITEM item) {
  POINT point{};
  // An item scrolled out of sight is brought into it first, as the user would.
  if (!FindBoxPoint(tree, item, point)) tree.Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  if (!FindBoxPoint(tree, item, point)) {
    ADD_FAILURE() << "no check box to click for " << tree.GetItemText(item);
    return;
  }
  // A tree that allows dragging watches the queue for the release while the button is
  // down, as it finds it there when the user clicks.
  PostMessageA(tree.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
  SendMessageA(tree.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  PumpPending();
}

std::unique_ptr<DirListing> ListingGate::Hold(const std::string& dir) {
  if (dir == dir_) {
    std::unique_lock<std::mutex> lock(mutex_);
    reached_ = true;
    opened_.wait(lock, [this] { return open_; });
  }
  return nullptr;
}

void ListingGate::Open() {
  std::lock_guard<std::mutex> lock(mutex_);
  open_ = true;
  opened_.notify_all();
}

}  // namespace scourix::test
