#include "autoclean/auto_clean_log.h"

#include <ctime>

#include "engine/size_text.h"
#include "platform/platform.h"

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
  if (!deletion.inUse.empty()) {
    text += "正在使用 " + std::to_string(deletion.inUse.size()) + " 个文件，已跳过" + kLineEnd;
  }
  if (!deletion.systemCleanup.empty()) {
    text += std::to_string(deletion.systemCleanup.size()) + " 个文件须由 Windows 的磁盘清理删除，未删除" + kLineEnd;
  }
  for (const DeletionFailure& failure : deletion.failures) {
    text += "无法删除 [" + failure.category + "] " + failure.path + "：" + failure.reason + kLineEnd;
  }
  return text;
}

AutoCleanLog::~AutoCleanLog() {
  if (file_ != nullptr) std::fclose(file_);
}

bool AutoCleanLog::open(Platform& platform, const std::string& path) {
  file_ = std::fopen(path.c_str(), "ab");
  if (file_ == nullptr) return false;
  if (std::fseek(file_, 0, SEEK_END) != 0) return true;
  const long size = std::ftell(file_);
  if (size < 0 || static_cast<std::uint64_t>(size) < kAutoCleanLogLimit) return true;
  std::fclose(file_);
  // Another run that holds the log keeps it from moving: it then grows a little longer.
  platform.replaceFile(path, path + ".1");
  file_ = std::fopen(path.c_str(), "ab");
  return file_ != nullptr;
}

bool AutoCleanLog::append(const AutoCleanReport& report) {
  const std::string text = autoCleanLogText(report);
  const bool written = std::fwrite(text.data(), 1, text.size(), file_) == text.size();
  return std::fflush(file_) == 0 && written;
}

int runLoggedAutoClean(CleanEngine& engine, const AutoCleanRun& run, const std::string& logPath) {
  AutoCleanLog log;
  if (!log.open(engine.platform(), logPath)) return kAutoCleanNoLog;
  const AutoCleanReport report = runAutoClean(engine, run);
  return log.append(report) ? report.exitCode : kAutoCleanNoLog;
}

}  // namespace scourix
