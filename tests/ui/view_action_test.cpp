// What "查看" asks of the shell; no windows.
#include <gtest/gtest.h>

#include "engine/size_text.h"
#include "ui/result_list_text.h"
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

TEST(ViewAction, ResultListTexts) {
  DeletionResult done;
  done.deleted = 3;
  done.bytesFreed = 1023;
  EXPECT_EQ(DeletionDoneText(done), "删除完毕，释放 1023 字节");
  done.failed = 12;
  EXPECT_EQ(DeletionDoneText(done), "删除完毕，释放 1023 字节，有 12 个文件无法删除");
  done = DeletionResult{};
  done.failed = 2;
  done.recycled = 9;
  done.bytesRecycled = 1288490188;  // 1.2 GB: cut, not rounded
  EXPECT_EQ(DeletionDoneText(done), "删除完毕，已放入回收站 1.19 GB，有 2 个文件无法删除");
  EXPECT_EQ(ResultStatusText(3, 2048, 1, 5), "共 3 个文件，2.00 KB；已选 1 个，5 字节");
}

TEST(ViewAction, SizesLikeExplorer) {
  struct Case {
    std::uint64_t bytes;
    const char* text;
  };
  constexpr std::uint64_t kK = 1024;
  const Case cases[] = {
      {1023, "1023 字节"},          {1024, "1.00 KB"},
      {1034, "1.00 KB"},            {1035, "1.01 KB"},  // 1.0107: truncated, not rounded
      {10 * kK - 1, "9.99 KB"},     {10 * kK, "10.0 KB"},
      {100 * kK - 1, "99.9 KB"},    {100 * kK, "100 KB"},
      {1000 * kK - 1, "999 KB"},    {1000 * kK, "0.97 MB"},
      {1290 * kK, "1.25 MB"},       {12900 * kK, "12.5 MB"},
      {129000 * kK, "125 MB"},      {kK * kK * kK, "1.00 GB"},
      {kK * kK * kK * kK * 1500, "1500 TB"}, {~std::uint64_t{0}, "16777215 TB"},
  };
  for (const Case& c : cases) EXPECT_EQ(formatSize(c.bytes), c.text) << c.bytes;
}

}  // namespace
}  // namespace scourix
