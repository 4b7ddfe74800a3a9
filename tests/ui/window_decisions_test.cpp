// Decisions of the windows that tests make without a window: what "查看" asks of the shell,
// where the two windows stand, the program's folder (where data.dsfw lives), and the
// link label's fallback command.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
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
      {"C:\\Temp\\pip-build\\setup.py", true}, {"C:\\a\\kb5031356.msu", true},
      {"C:\\a\\x.exe.bak", false}, {"C:\\a.exe\\noext", false}, {"C:\\下载.exe\\乗.txt", false}, {"C:\\a.exe\\乗", false}};
  for (const auto& [path, executable] : cases) EXPECT_EQ(IsExecutableType(path), executable) << path;
}

// Start-up at each DPI on each work area (the last a second monitor left of and above
// the first), then a move: every rectangle stays reachable.
TEST(DockLayout, ThePairStaysInsideTheWorkAreaAtEveryDpi) {
  // The main window and the list as Wine shows them at 96, 120, 144 and 192 DPI.
  const std::pair<SIZE, SIZE> sizes[] = {
      {{503, 461}, {426, 462}}, {{574, 590}, {486, 592}}, {{716, 688}, {606, 690}}, {{929, 915}, {786, 918}}};
  const RECT workAreas[] = {{0, 0, 1280, 680}, {0, 0, 1366, 728}, {0, 0, 1920, 1040}, {-1366, -300, 0, 428}};
  const auto inside = [](const RECT& r, const RECT& area) {
    return r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom;
  };
  for (const auto& [m, l] : sizes) {
    for (const RECT& area : workAreas) {
      const POINT origin = StartupMainOrigin(m, l, area);
      const RECT main{origin.x, origin.y, origin.x + m.cx, origin.y + m.cy};
      const RECT list = DockedResultRect(main, l, area);
      SCOPED_TRACE(testing::Message() << m.cx << " px wide, work area " << area.left << "," << area.top << " "
                                      << area.right - area.left << "x" << area.bottom - area.top);
      const LONG width = area.right - area.left, height = area.bottom - area.top;
      EXPECT_TRUE(main.left >= area.left && main.top >= area.top);  // the caption on screen
      EXPECT_TRUE(list.left >= area.left && list.top >= area.top);
      EXPECT_TRUE(inside(main, area) || m.cx > width || m.cy > height);
      EXPECT_TRUE(inside(list, area) || l.cx > width || l.cy > height);
      if (m.cx + l.cx - 1 <= width && std::max(m.cy, l.cy) <= height) {
        EXPECT_TRUE(list.top == main.top && list.right == main.left + 1);  // docked
        EXPECT_NEAR(list.left - area.left, area.right - main.right, 1);  // the pair centred
      }
    }
  }
  // After a move the list takes the side with room, and is never left out of reach.
  const std::pair<RECT, LONG> moves[] = {{{5, 100, 505, 500}, 505}, {{400, 100, 900, 500}, 101},
                                         {{800, 100, 1300, 500}, 501}, {{0, 100, 1280, 500}, 0}};
  for (const auto& [main, x] : moves) EXPECT_EQ(DockedResultRect(main, SIZE{300, 400}, {0, 0, 1280, 680}).left, x);
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
