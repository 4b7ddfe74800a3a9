// What "查看" asks of the shell, the result list's texts and sizes; no windows.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "engine/size_text.h"
#include "ui/result_list_text.h"
#include "ui/view_action.h"

namespace scourix {
namespace {

TEST(ViewAction, ExecutableTypes) {
  const std::pair<const char*, bool> cases[] = {
      {"C:\\a\\pkg.msi", true}, {"C:\\a\\x.lnk", true}, {"C:\\A\\SETUP.EXE", true}, {"C:\\a\\x.exe . ", true},
      {"C:\\a\\x.exe::$DATA", true}, {"C:\\a\\乗.exe", true} /* "乗" ends in the byte of a backslash */,
      {"C:\\a\\x.exe.bak", false}, {"C:\\a.exe\\noext", false}, {"C:\\下载.exe\\乗.txt", false}, {"C:\\a.exe\\乗", false}};
  for (const auto& [path, executable] : cases) EXPECT_EQ(IsExecutableType(path), executable) << path;
}

TEST(ViewAction, ResultListTexts) {
  DeletionResult done;  // freed bytes, failures and the status line are read in the result window
  done.failed = 2;
  done.recycled = 9;
  done.bytesRecycled = 1288490188;  // 1.2 GB: cut, not rounded
  EXPECT_EQ(DeletionDoneText(done), "删除完毕，已放入回收站 1.19 GB，有 2 个文件无法删除");
}

TEST(ViewAction, SizesLikeExplorer) {
  constexpr std::uint64_t kK = 1024;
  const std::pair<std::uint64_t, const char*> cases[] = {
      {1023, "1023 字节"}, {1034, "1.00 KB"}, {1035, "1.01 KB"} /* truncated, not rounded */, {10 * kK - 1, "9.99 KB"},
      {10 * kK, "10.0 KB"}, {100 * kK - 1, "99.9 KB"}, {100 * kK, "100 KB"}, {1000 * kK - 1, "999 KB"},
      {1000 * kK, "0.97 MB"}, {12900 * kK, "12.5 MB"}, {kK * kK * kK, "1.00 GB"},
      {kK * kK * kK * kK * 1500, "1500 TB"}, {~std::uint64_t{0}, "16777215 TB"}};
  for (const auto& [bytes, text] : cases) EXPECT_EQ(formatSize(bytes), text) << bytes;
}

}  // namespace
}  // namespace scourix
