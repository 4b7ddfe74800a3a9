#include "engine/size_text.h"

namespace scourix {

std::string formatSize(std::uint64_t bytes) {
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

}  // namespace scourix
