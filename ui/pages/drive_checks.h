#pragma once
// The drive selection of the disk page, as the tree shows it and as the engine keeps it.
#include <functional>
#include <vector>

#include "engine/choices.h"
#include "ui/controls/check_tree_ctrl.h"

namespace scourix {

// Copies the boxes into the drives' selected flags; `items` holds the drives' tree items
// by the drives' index. Drives without an item keep their flag; `boxOf` reads the box of
// an item.
void ReadBackDriveChecks(std::vector<DriveEntry>& drives, const std::vector<HTREEITEM>& items,
                         const std::function<CheckState(HTREEITEM)>& boxOf);

}  // namespace scourix
