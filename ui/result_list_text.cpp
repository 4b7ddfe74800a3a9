#include "ui/result_list_text.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

#include "engine/size_text.h"
#include "platform/win32/wide_text.h"

namespace scourix {

std::string ResultListCaption(int count) { return "结果列表[总数" + std::to_string(count) + "]"; }

std::wstring ResultLineWideText(const std::string& category, const ExactPath& path, std::uint64_t size) {
  return L"[" + wideFromAnsi(category) + L"]" + plainTextOf(path) + L"  " + wideFromAnsi(formatSize(size));
}

std::vector<int> ResultLineOrder(int count, const std::function<const FoundFile&(int)>& fileAt, LineOrder order) {
  std::vector<int> lines(static_cast<std::size_t>(count));
  std::iota(lines.begin(), lines.end(), 0);
  if (order == LineOrder::Size) {
    std::stable_sort(lines.begin(), lines.end(), [&](int a, int b) { return fileAt(a).size > fileAt(b).size; });
  } else if (order == LineOrder::Category) {
    std::unordered_map<std::string, int> firstMet;
    std::vector<int> rank(lines.size());
    for (int i = 0; i < count; ++i) {
      rank[i] = firstMet.emplace(fileAt(i).category(), static_cast<int>(firstMet.size())).first->second;
    }
    std::stable_sort(lines.begin(), lines.end(), [&](int a, int b) { return rank[a] < rank[b]; });
  }
  return lines;
}

std::string ResultStatusText(int count, std::uint64_t bytes, int ticked, std::uint64_t tickedBytes) {
  return "共 " + std::to_string(count) + " 个文件，" + formatSize(bytes) + "；已选 " + std::to_string(ticked) +
         " 个，" + formatSize(tickedBytes);
}

std::string DeletionQuestionText(int ticked, std::uint64_t tickedBytes, bool toRecycleBin, int forSystemCleanup) {
  std::string text = "确实要删除么?\n\n已选 " + std::to_string(ticked) + " 个文件，共 " + formatSize(tickedBytes) + "，" +
                     (toRecycleBin ? "将放入回收站。" : "将彻底删除，无法还原。");
  if (forSystemCleanup != 0) text += "\n另有 " + std::to_string(forSystemCleanup) + " 个文件须由 Windows 的磁盘清理删除。";
  return text;
}

std::string DeletionDoneText(const DeletionResult& deletion) {
  std::string text = "删除完毕";
  if (deletion.recycled != 0) text += "，已放入回收站 " + formatSize(deletion.bytesRecycled);
  if (deletion.deleted != 0 || deletion.recycled == 0) text += "，释放 " + formatSize(deletion.bytesFreed);
  if (deletion.failed != 0) text += "，有 " + std::to_string(deletion.failed) + " 个文件无法删除";
  if (deletion.binRefused != 0) text += "（其中 " + std::to_string(deletion.binRefused) + " 个文件无法放入回收站，未删除）";
  if (!deletion.inUse.empty()) text += "，跳过 " + std::to_string(deletion.inUse.size()) + " 个正在使用的文件";
  if (!deletion.systemCleanup.empty()) {
    text += "，" + std::to_string(deletion.systemCleanup.size()) + " 个文件须由 Windows 的磁盘清理删除";
  }
  return text;
}

std::string DiskCleanupQuestionText(const DeletionResult& deletion) {
  return DeletionDoneText(deletion) + "。\n\n是否打开 Windows 的磁盘清理？";
}

std::string LaunchFailedText(const std::string& path) { return "无法打开：" + path; }

LineImages ResultLineImages(const FoundFile& file) {
  constexpr int kClosedFolder = 0;
  constexpr int kOpenFolder = 1;
  constexpr int kLock = 2;
  if (file.isProtected != 0) return {kLock, kLock};
  return {kClosedFolder, kOpenFolder};
}

std::string ScanEndText(ScanKind kind, int unreadableLocations, bool stopped) {
  const std::string text = stopped ? "扫描已停止" : "扫描完毕";
  if (kind != ScanKind::Trace || unreadableLocations == 0) return text;
  return text + "，有 " + std::to_string(unreadableLocations) + " 个位置无法读取";
}

}  // namespace scourix
