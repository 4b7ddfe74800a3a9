#include "autoclean/auto_clean_log.h"

#include <cstdio>
#include <ctime>

#include "engine/size_text.h"

namespace scourix {
namespace {

constexpr char kLineEnd[] = "\r\n";

std::string localTimeText(std::int64_t time) {
  const std::time_t t = static_cast<std::time_t>(time);
  const std::tm* fields = std::localtime(&t);
  char text[32] = "?";
  if (fields != nullptr) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", fields);
  return text;
}

}  // namespace

std::string autoCleanLogText(const AutoCleanReport& report) {
  std::string text = "scourix 自动清理，开始于 " + localTimeText(report.startTime) + kLineEnd;
  if (!report.problem.empty()) return text + "未清理：" + report.problem + kLineEnd;
  for (const CategoryTally& row : report.categories) {
    text += "[" + row.category + "] " + std::to_string(row.files) + " 个文件，" + formatSize(row.bytes) + kLineEnd;
  }
  const DeletionResult& deletion = report.deletion;
  text += "共释放 " + formatSize(deletion.bytesFreed) + kLineEnd;
  if (deletion.recycled != 0) {
    text += "已放入回收站 " + std::to_string(deletion.recycled) + " 个文件，" + formatSize(deletion.bytesRecycled) +
            kLineEnd;
  }
  if (deletion.binRefused != 0) {
    text += "无法放入回收站 " + std::to_string(deletion.binRefused) + " 个文件，未删除" + kLineEnd;
  }
  for (const DeletionFailure& failure : deletion.failures) {
    text += "无法删除 [" + failure.category + "] " + failure.path + "：" + failure.reason + kLineEnd;
  }
  return text;
}

bool writeAutoCleanLog(const std::string& path, const AutoCleanReport& report) {
  const std::string text = autoCleanLogText(report);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace scourix
