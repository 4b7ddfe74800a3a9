#pragma once
// The notification-area icon of the main window: its record, what its mouse events do,
// and its right-click menu.
#include <windows.h>
#include <shellapi.h>

namespace scourix {

constexpr UINT WM_TRAYICON = WM_USER + 5;  // 1029: the icon's callback message
constexpr UINT kTrayIconId = 128;
constexpr char kTrayTip[] = "scourix 2.0";

enum class TrayAction { None, Foreground, Toggle, Menu };

// The action for the mouse message that happened on the icon (the callback's lParam).
TrayAction TrayActionFor(LPARAM mouseMessage);

// The first item of the tray menu: hide while the main window is visible, open otherwise.
const char* TrayToggleText(bool mainVisible);

// The record that adds the icon and later deletes it: the platform's earliest layout
// (NOTIFYICONDATAA_V1_SIZE), with message, icon and tip.
NOTIFYICONDATAA MakeTrayRecord(HWND window, HICON icon);

// The message Explorer broadcasts when its taskbar is made anew, icons gone.
UINT TaskbarCreatedMessage();

// Loads menu 139 and gives its first item the toggle text. Returns the loaded menu (to be
// destroyed by the caller) and its first popup in `popup`; null when either is missing.
HMENU LoadTrayMenu(bool mainVisible, HMENU& popup);

}  // namespace scourix
