#include "ui/result_list_text.h"

#include "engine/size_text.h"

namespace scourix {

std::string ResultListCaption(int count) { return "结果列表[总数" + std::to_string(count) + "]"; }

std::string ResultLineText(const std::string& category, const std::string& path) {
  return "[" + category + "]" + path;
}

std::string DeletionDoneText(int failed, int recycled, std::uint64_t bytesRecycled) {
  std::string text = "删除完毕";
  if (recycled != 0) text += "，已放入回收站 " + formatSize(bytesRecycled);
  if (failed != 0) text += "，有 " + std::to_string(failed) + " 个文件无法删除";
  return text;
}

}  // namespace scourix
