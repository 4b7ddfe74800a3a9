#pragma once
// What the pages' boxes mean to the engine: a box and its 0/1 flag, the twelve category
// boxes of the options page, and the drive boxes of the disk page.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "engine/choices.h"
#include "ui/controls/check_tree_ctrl.h"

namespace scourix {

// A partial box counts as chosen, like a ticked one.
inline bool IsChosen(CheckState state) { return state >= Partial; }

inline std::int32_t FlagFromCheck(CheckState state) { return IsChosen(state) ? 1 : 0; }

// Only a flag of exactly 1 shows ticked.
inline CheckState CheckFromFlag(std::int32_t flag) { return flag == 1 ? Ticked : Unticked; }

// The twelve category boxes of the options page: the scan-settings flag that each box
// shows and sets, and the description the page shows after a click on it.
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

// The drive selection of the disk page, as the tree shows it and as the engine keeps it:
// copies the boxes into the drives' selected flags; `items` holds the drives' tree items
// by the drives' index. Drives without an item keep their flag; `boxOf` reads the box of
// an item.
void ReadBackDriveChecks(std::vector<DriveEntry>& drives, const std::vector<HTREEITEM>& items,
                         const std::function<CheckState(HTREEITEM)>& boxOf);

}  // namespace scourix
