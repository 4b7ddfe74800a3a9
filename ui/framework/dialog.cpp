#include "ui/framework/dialog.h"

#include <commctrl.h>

#include "ui/framework/control_hooks.h"
#include "ui/framework/data_exchange.h"
#include "ui/framework/uncaught.h"
#include "ui/framework/window_objects.h"

namespace scourix {

namespace {

// Messages whose dialog-procedure result is the answer itself, not TRUE/FALSE.
bool AnswersDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

bool IsChild(HWND hwnd) { return (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) != 0; }

}  // namespace

Dialog::~Dialog() {
  if (hwnd_ != nullptr) {
    HWND hwnd = hwnd_;
    Forget();
    DestroyWindow(hwnd);
  }
}

bool Dialog::Create(HWND parent) {
  if (hwnd_ != nullptr) return false;
  ended_ = false;
  HWND hwnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent,
                                 &Dialog::Proc, reinterpret_cast<LPARAM>(this));
  return hwnd != nullptr && hwnd_ == hwnd;
}

INT_PTR Dialog::DoModal(HWND owner) {
  HWND top = owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr;
  modal_ = true;
  result_ = -1;
  if (!Create(top)) {
    modal_ = false;
    return -1;
  }
  const bool disableOwner = top != nullptr && IsWindowEnabled(top);
  if (disableOwner) EnableWindow(top, FALSE);
  if (!ended_ && hwnd_ != nullptr && !IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOW);

  MSG message;
  while (!ended_ && hwnd_ != nullptr) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got < 0) break;
    if (!RouteMessage(message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  // The owner is enabled before the dialog goes, so that it gets the activation back.
  if (disableOwner) EnableWindow(top, TRUE);
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  modal_ = false;
  return result_;
}

void Dialog::EndDialog(INT_PTR result) {
  result_ = result;
  ended_ = true;
  if (hwnd_ != nullptr) PostMessageA(hwnd_, WM_NULL, 0, 0);
}

bool Dialog::UpdateData(bool fromControls) {
  if (hwnd_ == nullptr) return false;
  DataExchange exchange(hwnd_, fromControls);
  DoDataExchange(exchange);
  return true;
}

bool Dialog::PreTranslateMessage(MSG& message) {
  return hwnd_ != nullptr && IsDialogMessageA(hwnd_, &message) != FALSE;
}

Dialog* Dialog::FromHandle(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  return WindowObjects<Dialog>::Find(hwnd);
}

bool Dialog::RouteMessage(MSG& message) {
  for (HWND hwnd = message.hwnd; hwnd != nullptr; hwnd = GetParent(hwnd)) {
    if (ControlHooks* hooks = ControlHooks::FromHandle(hwnd)) {
      if (hooks->PreTranslate(message)) return true;
    }
    if (Dialog* dialog = FromHandle(hwnd)) {
      if (dialog->PreTranslateMessage(message)) return true;
    }
    // A popup's GetParent is its owner, whose dialog has no say over it.
    if (!IsChild(hwnd)) break;
  }
  return false;
}

bool Dialog::PumpPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    if (!RouteMessage(message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return true;
}

BOOL Dialog::OnInitDialog() {
  UpdateData(false);
  return TRUE;
}

void Dialog::DoDataExchange(DataExchange&) {}

bool Dialog::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool Dialog::OnCommand(int, UINT) { return false; }

void Dialog::OnOK() {
  if (!modal_) return;
  if (UpdateData(true)) EndDialog(IDOK);
}

void Dialog::OnCancel() {
  if (modal_) EndDialog(IDCANCEL);
}

INT_PTR CALLBACK Dialog::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->hwnd_ = hwnd;
    WindowObjects<Dialog>::Add(hwnd, self);
  } else {
    self = FromHandle(hwnd);
  }
  if (self == nullptr) return FALSE;
  if (message == WM_NCDESTROY) {
    self->Forget();
    if (self->modal_) self->ended_ = true;
    return FALSE;
  }
  try {
    return self->Dispatch(message, wParam, lParam);
  } catch (...) {
    ReportUncaught(hwnd);
    // A dialog whose initialisation failed is half built: it does not stay.
    if (message == WM_INITDIALOG) DestroyWindow(hwnd);
    return FALSE;
  }
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const RECT before = WindowRect();
    const BOOL result = OnInitDialog();
    const RECT after = WindowRect();
    // A modal box that its initialisation left where the template put it is centred on
    // its owner, as the platform's dialog framework does.
    if (modal_ && hwnd_ != nullptr && !IsChild(hwnd_) && !PlacesItself() && EqualRect(&before, &after)) {
      CentreOnOwner();
    }
    return result;
  }

  LRESULT result = 0;
  bool handled = Reflect(message, wParam, lParam, result);
  if (!handled) handled = HandleMessage(message, wParam, lParam, result);
  if (!handled && (message == WM_COMMAND || message == WM_NOTIFY)) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    const int id = message == WM_COMMAND ? LOWORD(wParam) : static_cast<int>(header->idFrom);
    const UINT code = message == WM_COMMAND ? HIWORD(wParam) : header->code;
    static constexpr Command<Dialog> kCommands[] = {{IDOK, BN_CLICKED, &Dialog::OnOK},
                                                   {IDCANCEL, BN_CLICKED, &Dialog::OnCancel}};
    handled = OnCommand(id, code) || RunCommand(*this, kCommands, id, code);
  }
  if (!handled) return FALSE;
  if (AnswersDirectly(message)) return static_cast<INT_PTR>(result);
  if (hwnd_ != nullptr) SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
  return TRUE;
}

bool Dialog::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      ControlHooks* hooks = ControlHooks::FromHandle(header->hwndFrom);
      return hooks != nullptr && hooks->OnReflectedNotify(*header, result);
    }
    case WM_COMMAND: {
      if (lParam == 0) return false;  // menu or accelerator
      ControlHooks* hooks = ControlHooks::FromHandle(reinterpret_cast<HWND>(lParam));
      return hooks != nullptr && hooks->OnReflectedCommand(HIWORD(wParam), result);
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      ControlHooks* hooks = ControlHooks::FromHandle(reinterpret_cast<HWND>(lParam));
      HBRUSH brush = nullptr;
      if (hooks == nullptr || !hooks->OnReflectedCtlColor(reinterpret_cast<HDC>(wParam), brush)) return false;
      result = reinterpret_cast<LRESULT>(brush);
      return true;
    }
    default:
      return false;
  }
}

void Dialog::CentreOnOwner() {
  RECT area{};
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
    GetWindowRect(owner, &area);
  } else {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  const RECT self = WindowRect();
  const int width = self.right - self.left;
  const int height = self.bottom - self.top;
  SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Dialog::Forget() {
  if (hwnd_ != nullptr) WindowObjects<Dialog>::Remove(hwnd_);
  hwnd_ = nullptr;
}

}  // namespace scourix
