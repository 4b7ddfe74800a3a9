#include "ui/result_list_text.h"

#include "platform/win32/wide_text.h"

namespace scourix {

std::string ResultListCaption(int count) { return "结果列表[总数" + std::to_string(count) + "]"; }

std::string ResultLineText(const std::string& category, const std::string& path) {
  return "[" + category + "]" + path;
}

std::wstring ResultLineWideText(const std::string& category, const std::string& exactPath) {
  return L"[" + wideFromAnsi(category) + L"]" + wideFromUtf8(exactPath);
}

std::string DeletionDoneText(int failed) {
  if (failed == 0) return "删除完毕";
  return "删除完毕，有 " + std::to_string(failed) + " 个文件无法删除";
}

}  // namespace scourix
