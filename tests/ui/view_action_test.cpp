// What "查看" asks of the shell; no windows.
#include <gtest/gtest.h>

#include "ui/view_action.h"

namespace scourix {
namespace {

TEST(ViewAction, ExecutableTypes) {
  struct Case {
    const char* path;
    bool executable;
  };
  const Case cases[] = {
      {"C:\\a\\setup.exe", true},     {"C:\\a\\pkg.msi", true},         {"C:\\a\\x.lnk", true},
      {"C:\\a\\x.application", true}, {"C:\\A\\SETUP.EXE", true},       {"C:\\a\\x.exe . ", true},
      {"C:\\a\\x.exe::$DATA", true},  {"C:\\a\\readme.txt:hidden.exe", true},
      {"C:\\下载\\安装程序.exe", true}, {"C:\\a\\乗.exe", true},  // "乗" ends in the byte of a backslash
      {"C:\\a\\readme.txt", false},   {"C:\\a\\x.exe.bak", false},      {"C:\\a.exe\\noext", false},
      {"C:\\a\\x.exex", false},       {"C:\\a\\x.", false},             {"C:\\下载.exe\\乗.txt", false},
      {"C:\\a.exe\\乗", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsExecutableType(c.path), c.executable) << c.path;
}

}  // namespace
}  // namespace scourix
