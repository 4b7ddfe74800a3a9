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

std::string SizeText(std::uint64_t bytes) {
  if (bytes < 1024) return std::to_string(bytes) + " 字节";
  static const char* const kUnits[] = {"KB", "MB", "GB", "TB"};
  constexpr int kLastUnit = 3;
  // Like Explorer, a unit serves below 1,000 of itself; from there on the next one does.
  int unit = 0;
  int shift = 10;
  while (unit < kLastUnit && (bytes >> shift) >= 1000) {
    ++unit;
    shift += 10;
  }
  // Hundredths of the unit, truncated; split so that no product overflows.
  const std::uint64_t whole = bytes >> shift;
  const std::uint64_t fraction = bytes & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t hundredths = whole * 100 + ((fraction * 100) >> shift);
  std::string number;
  if (hundredths < 1000) {
    const std::uint64_t cents = hundredths % 100;
    number = std::to_string(hundredths / 100) + (cents < 10 ? ".0" : ".") + std::to_string(cents);
  } else if (hundredths < 10000) {
    number = std::to_string(hundredths / 100) + "." + std::to_string(hundredths / 10 % 10);
  } else {
    number = std::to_string(whole);
  }
  return number + " " + kUnits[unit];
}

std::string ResultStatusText(int count, std::uint64_t bytes, int ticked, std::uint64_t tickedBytes) {
  return "共 " + std::to_string(count) + " 个文件，" + SizeText(bytes) + "；已选 " + std::to_string(ticked) +
         " 个，" + SizeText(tickedBytes);
}

std::string DeletionDoneText(int failed, std::uint64_t bytesFreed) {
  const std::string done = "删除完毕，释放 " + SizeText(bytesFreed);
  if (failed == 0) return done;
  return done + "，有 " + std::to_string(failed) + " 个文件无法删除";
}

}  // namespace scourix
