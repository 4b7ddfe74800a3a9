// What "查看" asks of the shell, and the texts of the result list window; no windows.
#include <gtest/gtest.h>

#include "ui/result_list_text.h"
#include "ui/view_action.h"

namespace scourix {
namespace {

TEST(ExecutableType, ProgramsScriptsShortcutsAndInstallersAreExecutable) {
  for (const char* path : {"C:\\a\\setup.exe", "C:\\a\\x.com", "C:\\a\\run.bat", "C:\\a\\run.cmd", "C:\\a\\x.pif",
                           "C:\\a\\saver.scr", "C:\\a\\pkg.msi", "C:\\a\\fix.msp", "C:\\a\\x.vbs", "C:\\a\\x.vbe",
                           "C:\\a\\x.js", "C:\\a\\x.jse", "C:\\a\\x.wsf", "C:\\a\\x.wsh", "C:\\a\\x.ps1",
                           "C:\\a\\x.hta", "C:\\a\\x.cpl", "C:\\a\\x.lnk", "C:\\a\\x.url", "C:\\a\\x.reg",
                           "C:\\a\\x.inf", "C:\\a\\x.jar", "C:\\a\\x.application", "C:\\a\\x.gadget",
                           "C:\\a\\x.msc", "C:\\a\\x.scf", "C:\\a\\x.chm"}) {
    EXPECT_TRUE(IsExecutableType(path)) << path;
  }
}

TEST(ExecutableType, DocumentsAndJunkAreNot) {
  for (const char* path : {"C:\\a\\readme.txt", "C:\\a\\x.tmp", "C:\\a\\x.bak", "C:\\a\\x.log", "C:\\a\\x.~",
                           "C:\\a\\x.exe.bak", "C:\\a\\noext", "C:\\a.exe\\noext", "C:\\a.exe\\x.txt",
                           "C:\\a\\x.exex", "C:\\a\\x.", "C:\\a\\x.ex"}) {
    EXPECT_FALSE(IsExecutableType(path)) << path;
  }
}

TEST(ExecutableType, IgnoresCaseTrailingDotsAndBlanksAndStreams) {
  EXPECT_TRUE(IsExecutableType("C:\\A\\SETUP.EXE"));
  EXPECT_TRUE(IsExecutableType("C:\\a\\Run.Bat"));
  EXPECT_TRUE(IsExecutableType("C:\\a\\x.exe."));
  EXPECT_TRUE(IsExecutableType("C:\\a\\x.exe . "));
  EXPECT_TRUE(IsExecutableType("C:\\a\\x.exe::$DATA"));
  EXPECT_TRUE(IsExecutableType("C:\\a\\readme.txt:hidden.exe"));
}

TEST(ExecutableType, ReadsTheTypeOfDoubleByteNames) {
  EXPECT_TRUE(IsExecutableType("C:\\下载\\安装程序.exe"));
  EXPECT_FALSE(IsExecutableType("C:\\下载.exe\\乗.txt"));
  // In the code page "乗" ends in the byte of a backslash.
  EXPECT_TRUE(IsExecutableType("C:\\a\\乗.exe"));
  EXPECT_FALSE(IsExecutableType("C:\\a.exe\\乗"));
}

TEST(ViewRequest, ShowsAProgramSelectedInExplorerAndOpensAnythingElse) {
  const ShellOpen program = ViewRequestFor("C:\\Program Files\\x\\setup.exe");
  EXPECT_EQ(program.file, "explorer.exe");
  EXPECT_EQ(program.parameters, "/select,\"C:\\Program Files\\x\\setup.exe\"");
  const ShellOpen document = ViewRequestFor("C:\\docs\\notes.txt");
  EXPECT_EQ(document.file, "C:\\docs\\notes.txt");
  EXPECT_EQ(document.parameters, "");
}

TEST(ResultListTexts, CaptionLineAndDeletionMessage) {
  EXPECT_EQ(ResultListCaption(0), "结果列表[总数0]");
  EXPECT_EQ(ResultListCaption(1234), "结果列表[总数1234]");
  EXPECT_EQ(ResultLineText("temp files", "C:\\x.tmp"), "[temp files]C:\\x.tmp");
  EXPECT_EQ(ResultLineText("", "C:\\x"), "[]C:\\x");
  EXPECT_EQ(DeletionDoneText(0), "删除完毕");
  EXPECT_EQ(DeletionDoneText(1), "删除完毕，有 1 个文件无法删除");
  EXPECT_EQ(DeletionDoneText(12), "删除完毕，有 12 个文件无法删除");
}

}  // namespace
}  // namespace scourix
