// The table of the options page's boxes; no windows. The descriptions are checked
// through the page itself (options_page_test.cpp).
#include <gtest/gtest.h>

#include "res/resource.h"
#include "ui/pages/category_boxes.h"

namespace scourix {
namespace {

// Each flag read by name, so that a table row pointing at the wrong flag shows.
struct Expected {
  int id;
  const char* flagName;
  std::int32_t (*read)(const ScanSettings&);
};

const Expected kExpected[] = {
    {IDC_OPT_TEMP, "tempFiles", [](const ScanSettings& s) -> std::int32_t { return s.tempFiles; }},
    {IDC_OPT_BACKUP, "backupFiles", [](const ScanSettings& s) -> std::int32_t { return s.backupFiles; }},
    {IDC_OPT_SETUP, "setupTempFiles", [](const ScanSettings& s) -> std::int32_t { return s.setupTempFiles; }},
    {IDC_OPT_HELP, "helpTempFiles", [](const ScanSettings& s) -> std::int32_t { return s.helpTempFiles; }},
    {IDC_OPT_LOG_TXT, "logTxtFiles", [](const ScanSettings& s) -> std::int32_t { return s.logTxtFiles; }},
    {IDC_OPT_GARBAGE, "garbageFiles", [](const ScanSettings& s) -> std::int32_t { return s.garbageFiles; }},
    {IDC_OPT_SYSTEM_LOG, "systemLogFiles", [](const ScanSettings& s) -> std::int32_t { return s.systemLogFiles; }},
    {IDC_OPT_CPY, "cpyFiles", [](const ScanSettings& s) -> std::int32_t { return s.cpyFiles; }},
    {IDC_OPT_CPP_BUILDER, "cppBuilderFiles", [](const ScanSettings& s) -> std::int32_t { return s.cppBuilderFiles; }},
    {IDC_OPT_VISUAL_CPP, "visualCppFiles", [](const ScanSettings& s) -> std::int32_t { return s.visualCppFiles; }},
    {IDC_OPT_CUSTOM_RULES, "customRules", [](const ScanSettings& s) -> std::int32_t { return s.customRules; }},
    {IDC_OPT_EMPTY, "emptyFiles", [](const ScanSettings& s) -> std::int32_t { return s.emptyFiles; }},
};

TEST(CategoryBoxes, EachBoxSetsItsOwnFlagAndComesBack) {
  for (const Expected& expected : kExpected) {
    const int index = CategoryBoxIndex(expected.id);
    ASSERT_GE(index, 0) << expected.flagName;
    CategoryBoxStates boxes;
    boxes.fill(1);
    boxes[static_cast<std::size_t>(index)] = 0;
    ScanSettings settings;
    CopyBoxesToSettings(boxes, settings);
    for (const Expected& other : kExpected) {
      EXPECT_EQ(other.read(settings), other.id == expected.id ? 0 : 1) << expected.flagName << " " << other.flagName;
    }
    CategoryBoxStates back;
    back.fill(7);
    CopySettingsToBoxes(settings, back);
    EXPECT_EQ(back, boxes) << expected.flagName;
  }
  for (int button : {IDC_OPT_SAVE, IDC_OPT_DEFAULTS, IDC_OPT_DESCRIPTION}) EXPECT_EQ(CategoryBoxIndex(button), -1) << button;
}

}  // namespace
}  // namespace scourix
