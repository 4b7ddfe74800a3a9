#pragma once
// The twelve category boxes of the options page: the scan-settings flag that each box
// shows and sets, and the description the page shows after a click on it.
#include <array>
#include <cstddef>

#include "engine/scan_settings.h"

namespace scourix {

struct CategoryBox {
  int id;                     // the check box's control id
  Flag ScanSettings::*flag;   // the flag it shows and sets
  const char* description;    // shown in the description frame after a click
};

constexpr std::size_t kCategoryBoxCount = 12;
using CategoryBoxStates = std::array<int, kCategoryBoxCount>;  // in table order

extern const std::array<CategoryBox, kCategoryBoxCount> kCategoryBoxes;

// The table index of the box with this control id; -1 for any other control.
int CategoryBoxIndex(int id);

void CopyBoxesToSettings(const CategoryBoxStates& boxes, ScanSettings& settings);
void CopySettingsToBoxes(const ScanSettings& settings, CategoryBoxStates& boxes);

}  // namespace scourix
