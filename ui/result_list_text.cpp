#include "ui/result_list_text.h"

#include "engine/size_text.h"
#include "platform/win32/wide_text.h"

namespace scourix {

std::string ResultListCaption(int count) { return "结果列表[总数" + std::to_string(count) + "]"; }

std::wstring ResultLineWideText(const std::string& category, const ExactPath& path) {
  return L"[" + wideFromAnsi(category) + L"]" + plainTextOf(path);
}

std::string ResultStatusText(int count, std::uint64_t bytes, int ticked, std::uint64_t tickedBytes) {
  return "共 " + std::to_string(count) + " 个文件，" + formatSize(bytes) + "；已选 " + std::to_string(ticked) +
         " 个，" + formatSize(tickedBytes);
}

std::string DeletionDoneText(const DeletionResult& deletion) {
  std::string text = "删除完毕";
  if (deletion.recycled != 0) text += "，已放入回收站 " + formatSize(deletion.bytesRecycled);
  if (deletion.deleted != 0 || deletion.recycled == 0) text += "，释放 " + formatSize(deletion.bytesFreed);
  if (deletion.failed != 0) text += "，有 " + std::to_string(deletion.failed) + " 个文件无法删除";
  if (deletion.binRefused != 0) text += "（其中 " + std::to_string(deletion.binRefused) + " 个文件无法放入回收站，未删除）";
  return text;
}

LineImages ResultLineImages(const FoundFile& file) {
  constexpr int kClosedFolder = 0;
  constexpr int kOpenFolder = 1;
  constexpr int kLock = 2;
  if (file.isProtected != 0) return {kLock, kLock};
  return {kClosedFolder, kOpenFolder};
}

std::string ScanEndText(ScanKind kind, int unreadableLocations) {
  if (kind != ScanKind::Trace || unreadableLocations == 0) return "扫描完毕";
  return "扫描完毕，有 " + std::to_string(unreadableLocations) + " 个位置无法读取";
}

}  // namespace scourix
