// Decisions of the windows that tests make without a window: what "查看" asks of the shell,
// where the result window docks, the program's folder (where data.dsfw lives), and the
// link label's fallback command.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "ui/controls/hyperlink_label.h"
#include "ui/dock_layout.h"
#include "ui/module_directory.h"
#include "ui/view_action.h"

namespace scourix::test {
namespace {

TEST(ViewAction, ExecutableTypes) {
  const std::pair<const char*, bool> cases[] = {
      {"C:\\a\\pkg.msi", true}, {"C:\\a\\x.lnk", true}, {"C:\\A\\SETUP.EXE", true}, {"C:\\a\\x.exe . ", true},
      {"C:\\a\\x.exe::$DATA", true}, {"C:\\a\\乗.exe", true} /* "乗" ends in the byte of a backslash */,
      {"C:\\a\\x.exe.bak", false}, {"C:\\a.exe\\noext", false}, {"C:\\下载.exe\\乗.txt", false}, {"C:\\a.exe\\乗", false}};
  for (const auto& [path, executable] : cases) EXPECT_EQ(IsExecutableType(path), executable) << path;
}

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

TEST(LinkLogic, TheFallbackCommand) {
  EXPECT_EQ(HtmlOpenCommand("\"C:\\b.exe\" -nohome \"%1\"", "http://x/"), "\"C:\\b.exe\" -nohome  http://x/");
  EXPECT_EQ(HtmlOpenCommand("C:\\b.exe", "http://x/"), "C:\\b.exe http://x/");
  EXPECT_EQ(HtmlOpenCommand("b %1", std::string(5000, 'a')).size(), 5003u);  // no fixed buffer to overflow
}

}  // namespace
}  // namespace scourix::test
