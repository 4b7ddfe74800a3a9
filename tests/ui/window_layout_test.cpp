// Where the result window docks, and the executable's directory, where the configuration
// file lives. The tray is driven on the real window (main_dialog_test.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "ui/dock_layout.h"
#include "ui/module_directory.h"

namespace scourix::test {
namespace {

TEST(DockLayout, TheSideIsChosenByTheResultWindowsRightEdgeAgainstTheCentreLine) {
  // Each row: the main window, the result window, the docked result window's left edge.
  const std::tuple<RECT, RECT, LONG> cases[] = {
      {{500, 200, 1000, 600}, {100, 50, 460, 470}, 500 - 360 + 1},  // left of the centre line: one column overlap
      {{500, 200, 1000, 600}, {390, 0, 750, 400}, 1000},            // right edge on the line
      {{500, 200, 1000, 600}, {389, 0, 749, 400}, 141},             // one pixel left of it
      {{0, 0, 501, 10}, {-100, 0, 249, 10}, -348}, {{0, 0, 501, 10}, {-100, 0, 250, 10}, 501}};  // odd widths
  for (const auto& [main, result, x] : cases) {
    const POINT origin = DockedResultOrigin(main, result);
    EXPECT_EQ(std::make_pair(origin.x, origin.y), std::make_pair(x, main.top)) << result.left << ".." << result.right;
  }
}

TEST(ModuleDirectory, CutsAfterTheLastBackslash) {
  const CodePage gbk = CodePage::gbk();
  EXPECT_EQ(DirectoryOfPath("C:\\Program Files\\scourix\\scourix.exe", gbk), "C:\\Program Files\\scourix\\");
  EXPECT_EQ(DirectoryOfPath("scourix.exe", gbk), "scourix.exe");
  EXPECT_EQ(DirectoryOfPath("C:\\\xD5\x5C\\\xD5\x5C", gbk), "C:\\\xD5\x5C\\");  // 0xD5 0x5C: one character
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  EXPECT_EQ(std::string(path).substr(GetModuleDirectory().size()), "ui_tests.exe");
}

}  // namespace
}  // namespace scourix::test
