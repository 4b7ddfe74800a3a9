// What "查看" asks of the shell, and the texts of the result list window; no windows.
#include <gtest/gtest.h>

#include "ui/result_list_text.h"
#include "ui/view_action.h"

namespace scourix {
namespace {

TEST(ViewAction, ExecutableTypesAndTheRequestForThem) {
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

  const ShellOpen program = ViewRequestFor("C:\\Program Files\\x\\setup.exe");
  EXPECT_EQ(program.file, "explorer.exe");
  EXPECT_EQ(program.parameters, "/select,\"C:\\Program Files\\x\\setup.exe\"");
  const ShellOpen document = ViewRequestFor("C:\\docs\\notes.txt");
  EXPECT_EQ(document.file, "C:\\docs\\notes.txt");
  EXPECT_EQ(document.parameters, "");
}

TEST(ViewAction, ResultListTexts) {
  EXPECT_EQ(ResultListCaption(1234), "结果列表[总数1234]");
  EXPECT_EQ(ResultLineText("", "C:\\x"), "[]C:\\x");
  EXPECT_EQ(DeletionDoneText(0), "删除完毕");
  EXPECT_EQ(DeletionDoneText(12), "删除完毕，有 12 个文件无法删除");
  EXPECT_EQ(DeletionDoneText(2, 9, 1288490188), "删除完毕，已放入回收站 1.19 GB，有 2 个文件无法删除");
}

}  // namespace
}  // namespace scourix
