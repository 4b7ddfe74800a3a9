#include "ui/pages/drive_checks.h"

#include "ui/pages/check_choice.h"

namespace scourix {

void ReadBackDriveChecks(std::vector<DriveEntry>& drives,
                         const std::function<CheckState(TreeItemHandle)>& boxOf) {
  for (DriveEntry& drive : drives) {
    if (drive.treeItem != 0) drive.selected = FlagFromCheck(boxOf(drive.treeItem));
  }
}

void ForgetDriveItems(std::vector<DriveEntry>& drives) {
  for (DriveEntry& drive : drives) drive.treeItem = 0;
}

}  // namespace scourix
