// Pure decisions of the main window: docking, centring, the tray icon and its menu, and
// the executable's directory.
#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "ui/dock_layout.h"
#include "ui/framework/window.h"
#include "ui/module_directory.h"
#include "ui/tray_icon.h"

namespace scourix::test {
namespace {

TEST(DockedResultOrigin, LeftOfTheCentreLineDocksLeftWithOneColumnOverlap) {
  const RECT main{500, 200, 1000, 600};  // centre line 750
  const RECT result{100, 50, 460, 470};  // 360 wide
  const POINT origin = DockedResultOrigin(main, result);
  EXPECT_EQ(origin.x, 500 - 360 + 1);
  EXPECT_EQ(origin.y, 200);
}

TEST(DockedResultOrigin, OnOrRightOfTheCentreLineDocksRight) {
  const RECT main{500, 200, 1000, 600};
  EXPECT_EQ(DockedResultOrigin(main, RECT{390, 0, 750, 400}).x, 1000);  // right edge on the line
  const POINT origin = DockedResultOrigin(main, RECT{900, 700, 1260, 1100});
  EXPECT_EQ(origin.x, 1000);
  EXPECT_EQ(origin.y, 200);
  EXPECT_EQ(DockedResultOrigin(main, RECT{389, 0, 749, 400}).x, 141);  // one pixel left of it
}

TEST(DockedResultOrigin, UsesIntegerHalvesOfOddWidths) {
  const RECT main{0, 0, 501, 10};  // centre line 250
  EXPECT_EQ(DockedResultOrigin(main, RECT{-100, 0, 249, 10}).x, -348);
  EXPECT_EQ(DockedResultOrigin(main, RECT{-100, 0, 250, 10}).x, 501);
}

TEST(StartupShift, IsHalfTheResultWidth) {
  EXPECT_EQ(StartupShift(RECT{0, 0, 361, 420}), 180);
  EXPECT_EQ(StartupShift(RECT{10, 0, 370, 420}), 180);
}

TEST(CenteredOrigin, CentresInTheArea) {
  const POINT origin = CenteredOrigin(RECT{0, 0, 500, 400}, RECT{0, 0, 1280, 1000});
  EXPECT_EQ(origin.x, 390);
  EXPECT_EQ(origin.y, 300);
  const POINT shifted = CenteredOrigin(RECT{7, 7, 107, 57}, RECT{100, 50, 300, 150});
  EXPECT_EQ(shifted.x, 150);
  EXPECT_EQ(shifted.y, 75);
}

TEST(TrayActionFor, MapsTheThreeMouseEvents) {
  EXPECT_EQ(TrayActionFor(WM_LBUTTONUP), TrayAction::Foreground);
  EXPECT_EQ(TrayActionFor(WM_LBUTTONDBLCLK), TrayAction::Toggle);
  EXPECT_EQ(TrayActionFor(WM_RBUTTONUP), TrayAction::Menu);
  EXPECT_EQ(TrayActionFor(WM_RBUTTONDOWN), TrayAction::None);
  EXPECT_EQ(TrayActionFor(WM_MOUSEMOVE), TrayAction::None);
}

TEST(TrayRecord, HasTheEarliestLayoutMessageIconAndTip) {
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP));
  const NOTIFYICONDATAA record = MakeTrayRecord(reinterpret_cast<HWND>(0x1234), icon);
  EXPECT_EQ(record.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
  EXPECT_EQ(record.uID, 128u);
  EXPECT_EQ(record.uFlags, 7u);
  EXPECT_EQ(record.uCallbackMessage, 1029u);
  EXPECT_EQ(record.hIcon, icon);
  EXPECT_STREQ(record.szTip, "scourix 2.0");
}

std::string ItemText(HMENU menu, int position) {
  char text[128] = {};
  GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

TEST(TrayMenu, FirstItemSaysHideOrOpenAndKeepsItsCommand) {
  HMENU popup = nullptr;
  HMENU menu = LoadTrayMenu(true, popup);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemCount(popup), 7);
  EXPECT_EQ(ItemText(popup, 0), "隐藏主窗口(&H)");
  EXPECT_EQ(GetMenuItemID(popup, 0), static_cast<UINT>(ID_TRAY_TOGGLE));
  EXPECT_EQ(ItemText(popup, 2), "扫描临时文件窗口");
  EXPECT_EQ(GetMenuItemID(popup, 3), static_cast<UINT>(ID_TRAY_OPTIONS));
  EXPECT_EQ(ItemText(popup, 6), "退出");
  DestroyMenu(menu);

  menu = LoadTrayMenu(false, popup);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(ItemText(popup, 0), "打开主窗口(&O)");
  EXPECT_EQ(GetMenuItemID(popup, 0), static_cast<UINT>(ID_TRAY_TOGGLE));
  DestroyMenu(menu);
}

TEST(DirectoryOfPath, CutsAfterTheLastBackslash) {
  EXPECT_EQ(DirectoryOfPath("C:\\Program Files\\scourix\\scourix.exe"), "C:\\Program Files\\scourix\\");
  EXPECT_EQ(DirectoryOfPath("C:\\scourix.exe"), "C:\\");
  EXPECT_EQ(DirectoryOfPath("scourix.exe"), "scourix.exe");
  EXPECT_EQ(DirectoryOfPath("C:\\dir\\"), "C:\\dir\\");
}

TEST(GetModuleDirectory, IsTheTestProgramsDirectory) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string directory = GetModuleDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(directory.back(), '\\');
  EXPECT_EQ(std::string(path).rfind(directory, 0), 0u);
  EXPECT_EQ(std::string(path).substr(directory.size()), "ui_tests.exe");
}

}  // namespace
}  // namespace scourix::test
