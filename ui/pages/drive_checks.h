#pragma once
// The drive selection of the disk page, as the tree shows it and as the engine keeps it.
#include <functional>
#include <vector>

#include "engine/found_file.h"
#include "ui/controls/check_tree_ctrl.h"

namespace scourix {

// Copies the boxes into the drives' selected flags. Drives without a tree item keep
// their flag; `boxOf` reads the box of an item.
void ReadBackDriveChecks(std::vector<DriveEntry>& drives,
                         const std::function<CheckState(TreeItemHandle)>& boxOf);

// The tree items stop existing with the tree: no drive may point at one afterwards.
void ForgetDriveItems(std::vector<DriveEntry>& drives);

}  // namespace scourix
