#include "ui/pages/drive_checks.h"

#include "ui/pages/check_choice.h"

namespace scourix {

void ReadBackDriveChecks(std::vector<DriveEntry>& drives, const std::vector<HTREEITEM>& items,
                         const std::function<CheckState(HTREEITEM)>& boxOf) {
  for (std::size_t i = 0; i < drives.size() && i < items.size(); ++i) {
    if (items[i] != nullptr) drives[i].selected = FlagFromCheck(boxOf(items[i]));
  }
}

}  // namespace scourix
