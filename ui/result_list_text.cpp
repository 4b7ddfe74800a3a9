#include "ui/result_list_text.h"

namespace scourix {

std::string ResultListCaption(int count) { return "结果列表[总数" + std::to_string(count) + "]"; }

std::string ResultLineText(const std::string& category, const std::string& path) {
  return "[" + category + "]" + path;
}

LineImages ResultLineImages(const FoundFile& file) {
  constexpr int kClosedFolder = 0;
  constexpr int kOpenFolder = 1;
  constexpr int kLock = 2;
  if (file.isProtected != 0) return {kLock, kLock};
  return {kClosedFolder, kOpenFolder};
}

std::string DeletionDoneText(int failed) {
  if (failed == 0) return "删除完毕";
  return "删除完毕，有 " + std::to_string(failed) + " 个文件无法删除";
}

}  // namespace scourix
