#include "ui/scan_end_text.h"

namespace scourix {

std::string ScanEndText(ScanKind kind, int unreadableLocations) {
  if (kind != ScanKind::Trace || unreadableLocations == 0) return "扫描完毕";
  return "扫描完毕，有 " + std::to_string(unreadableLocations) + " 个位置无法读取";
}

}  // namespace scourix
