#include "ui/pages/check_choices.h"

#include "res/resource.h"

namespace scourix {

const std::array<CategoryBox, kCategoryBoxCount> kCategoryBoxes = {{
    {IDC_OPT_TEMP, &ScanSettings::tempFiles, "*.tmp, *.??$,*.chk,*.lst"},
    {IDC_OPT_BACKUP, &ScanSettings::backupFiles, "*.bak, *.old"},
    {IDC_OPT_SETUP, &ScanSettings::setupTempFiles, "*.dir, *.---"},
    {IDC_OPT_HELP, &ScanSettings::helpTempFiles, "*.fts, *.gid, *.ftg"},
    {IDC_OPT_LOG_TXT, &ScanSettings::logTxtFiles, "*log.txt"},
    {IDC_OPT_GARBAGE, &ScanSettings::garbageFiles, "*.~, *.-, *.dos"},
    {IDC_OPT_SYSTEM_LOG, &ScanSettings::systemLogFiles, "*.log, *log.prv, *log.dat"},
    {IDC_OPT_CPY, &ScanSettings::cpyFiles, "*.cpy"},
    {IDC_OPT_CPP_BUILDER, &ScanSettings::cppBuilderFiles, "*.ilc, *.ild, *.ilf, *.ils, *.tds"},
    {IDC_OPT_VISUAL_CPP, &ScanSettings::visualCppFiles, "*.bsc, *.ilk, *.res, *.pch"},
    {IDC_OPT_CUSTOM_RULES, &ScanSettings::customRules, "custom rule files"},
    {IDC_OPT_EMPTY, &ScanSettings::emptyFiles, "file length = 0"},
}};

int CategoryBoxIndex(int id) {
  for (std::size_t i = 0; i < kCategoryBoxes.size(); ++i) {
    if (kCategoryBoxes[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

void CopyBoxesToSettings(const CategoryBoxStates& boxes, ScanSettings& settings) {
  for (std::size_t i = 0; i < kCategoryBoxes.size(); ++i) settings.*(kCategoryBoxes[i].flag) = boxes[i];
}

void CopySettingsToBoxes(const ScanSettings& settings, CategoryBoxStates& boxes) {
  for (std::size_t i = 0; i < kCategoryBoxes.size(); ++i) boxes[i] = settings.*(kCategoryBoxes[i].flag);
}

void ReadBackDriveChecks(std::vector<DriveEntry>& drives, const std::vector<HTREEITEM>& items,
                         const std::function<CheckState(HTREEITEM)>& boxOf) {
  for (std::size_t i = 0; i < drives.size() && i < items.size(); ++i) {
    if (items[i] != nullptr) drives[i].selected = FlagFromCheck(boxOf(items[i]));
  }
}

}  // namespace scourix
