#include "engine/size_text.h"

#include <cstdio>

namespace scourix {

std::string formatSize(std::uint64_t bytes) {
  if (bytes < 1024) return std::to_string(bytes) + " 字节";
  static const char* const kUnits[] = {"KB", "MB", "GB", "TB", "PB"};
  // Hundredths of the unit, cut (not rounded) to three significant digits like Explorer.
  std::uint64_t scaled = bytes * 100 / 1024;
  std::size_t unit = 0;
  while (scaled >= 100000 && unit + 1 < sizeof kUnits / sizeof *kUnits) {
    scaled /= 1024;
    ++unit;
  }
  char text[32];
  if (scaled >= 10000) {
    std::snprintf(text, sizeof text, "%llu %s", static_cast<unsigned long long>(scaled / 100), kUnits[unit]);
  } else if (scaled >= 1000) {
    std::snprintf(text, sizeof text, "%llu.%llu %s", static_cast<unsigned long long>(scaled / 100),
                  static_cast<unsigned long long>(scaled / 10 % 10), kUnits[unit]);
  } else {
    std::snprintf(text, sizeof text, "%llu.%02llu %s", static_cast<unsigned long long>(scaled / 100),
                  static_cast<unsigned long long>(scaled % 100), kUnits[unit]);
  }
  return text;
}

}  // namespace scourix
