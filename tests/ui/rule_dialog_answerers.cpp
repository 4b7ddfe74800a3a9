#include "tests/ui/rule_dialog_answerers.h"

#include <utility>

#include "res/resource.h"
#include "ui/framework/window.h"
#include "ui/pages/rule_edit_dialog.h"

namespace scourix::test {

namespace {

RuleEditorAnswerer* activeEditorAnswerer = nullptr;
FileDialogAnswerer* activeFileAnswerer = nullptr;

// The file name field of the common dialogs: a combo box in the newer layout, an edit
// in the older one.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

HWND FileNameField(HWND dialog) {
  HWND field = GetDlgItem(dialog, kFileNameCombo);
  return field != nullptr ? field : GetDlgItem(dialog, kFileNameEdit);
}

bool IsDialogClass(HWND hwnd) {
  char className[32] = {};
  GetClassNameA(hwnd, className, sizeof className);
  return std::string(className) == "#32770";
}

void PostClick(HWND dialog, int button) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

}  // namespace

RuleEditorAnswerer::RuleEditorAnswerer(int button, std::function<void(HWND)> fill)
    : button_(button), fill_(std::move(fill)) {
  activeEditorAnswerer = this;
  hook_ = SetWindowsHookExA(WH_CBT, &RuleEditorAnswerer::Hook, nullptr, GetCurrentThreadId());
}

RuleEditorAnswerer::~RuleEditorAnswerer() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  activeEditorAnswerer = nullptr;
}

LRESULT CALLBACK RuleEditorAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && activeEditorAnswerer != nullptr &&
      activeEditorAnswerer->OnActivate(reinterpret_cast<HWND>(wParam))) {
    return 0;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool RuleEditorAnswerer::OnActivate(HWND hwnd) {
  if (dynamic_cast<RuleEditDialog*>(Dialog::FromHandle(hwnd)) == nullptr) return false;
  if (!seen_.insert(hwnd).second) return true;
  Shown shown;
  shown.caption = WindowText(hwnd);
  shown.pattern = WindowText(GetDlgItem(hwnd, IDC_EDIT_PATTERN));
  shown.description = WindowText(GetDlgItem(hwnd, IDC_EDIT_DESCRIPTION));
  shown.enableIndex = static_cast<int>(SendDlgItemMessageA(hwnd, IDC_EDIT_ENABLED, CB_GETCURSEL, 0, 0));
  shown.modeIndex = static_cast<int>(SendDlgItemMessageA(hwnd, IDC_EDIT_MODE, CB_GETCURSEL, 0, 0));
  shown.owner = GetWindow(hwnd, GW_OWNER);
  shown_.push_back(shown);
  if (fill_) fill_(hwnd);
  PostClick(hwnd, button_);
  return true;
}

FileDialogAnswerer::FileDialogAnswerer(std::string fileName) : fileName_(std::move(fileName)) {
  activeFileAnswerer = this;
  hook_ = SetWindowsHookExA(WH_CBT, &FileDialogAnswerer::Hook, nullptr, GetCurrentThreadId());
}

FileDialogAnswerer::~FileDialogAnswerer() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  if (timer_ != 0) KillTimer(nullptr, timer_);
  activeFileAnswerer = nullptr;
}

LRESULT CALLBACK FileDialogAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && activeFileAnswerer != nullptr &&
      activeFileAnswerer->OnActivate(reinterpret_cast<HWND>(wParam))) {
    return 0;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool FileDialogAnswerer::OnActivate(HWND hwnd) {
  if (!IsDialogClass(hwnd) || FileNameField(hwnd) == nullptr) return false;
  if (!seen_.insert(hwnd).second) return true;
  ++count_;
  dialog_ = hwnd;
  owner_ = GetWindow(hwnd, GW_OWNER);
  // A thread timer: its message comes after everything the dialog queued for itself.
  timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &FileDialogAnswerer::OnTimer);
  return true;
}

void CALLBACK FileDialogAnswerer::OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (activeFileAnswerer == nullptr || activeFileAnswerer->timer_ != timer) return;
  activeFileAnswerer->timer_ = 0;
  activeFileAnswerer->Answer();
}

void FileDialogAnswerer::Answer() {
  if (!IsWindow(dialog_)) return;
  if (fileName_.empty()) {
    PostClick(dialog_, IDCANCEL);
    return;
  }
  SetWindowTextA(FileNameField(dialog_), fileName_.c_str());
  PostClick(dialog_, IDOK);
}

}  // namespace scourix::test
