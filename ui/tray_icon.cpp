#include "ui/tray_icon.h"

#include <cstring>

#include "res/resource.h"

namespace scourix {

TrayAction TrayActionFor(LPARAM mouseMessage) {
  switch (mouseMessage) {
    case WM_LBUTTONUP:
      return TrayAction::Foreground;
    case WM_LBUTTONDBLCLK:
      return TrayAction::Toggle;
    case WM_RBUTTONUP:
      return TrayAction::Menu;
    default:
      return TrayAction::None;
  }
}

const char* TrayToggleText(bool mainVisible) { return mainVisible ? "隐藏主窗口(&H)" : "打开主窗口(&O)"; }

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

NOTIFYICONDATAA MakeTrayRecord(HWND window, HICON icon) {
  NOTIFYICONDATAA record{};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = window;
  record.uID = kTrayIconId;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = WM_TRAYICON;
  record.hIcon = icon;
  static_assert(sizeof kTrayTip <= 64, "the earliest record holds a 64-byte tip");
  std::memcpy(record.szTip, kTrayTip, sizeof kTrayTip);
  return record;
}

HMENU LoadTrayMenu(bool mainVisible, HMENU& popup) {
  popup = nullptr;
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU));
  if (menu == nullptr) return nullptr;
  popup = GetSubMenu(menu, 0);
  if (popup == nullptr) {
    DestroyMenu(menu);
    return nullptr;
  }
  const UINT first = GetMenuItemID(popup, 0);
  ModifyMenuA(popup, first, MF_BYCOMMAND | MF_STRING, first, TrayToggleText(mainVisible));
  return menu;
}

}  // namespace scourix
