// The options page run in-process inside a main-window template: each box with its flag
// and description, and when the boxes reach the engine's scan settings.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/pages/options_page.h"

namespace scourix::test {
namespace {

using namespace std::string_literals;

// Every box with its flag and the description it shows after a click.
const std::tuple<int, Flag ScanSettings::*, const char*> kBoxes[] = {
    {IDC_OPT_TEMP, &ScanSettings::tempFiles, "*.tmp, *.??$,*.chk,*.lst"},
    {IDC_OPT_BACKUP, &ScanSettings::backupFiles, "*.bak, *.old"},
    {IDC_OPT_SETUP, &ScanSettings::setupTempFiles, "*.dir, *.---"},
    {IDC_OPT_HELP, &ScanSettings::helpTempFiles, "*.fts, *.gid, *.ftg"},
    {IDC_OPT_LOG_TXT, &ScanSettings::logTxtFiles, "*log.txt"}, {IDC_OPT_CPY, &ScanSettings::cpyFiles, "*.cpy"},
    {IDC_OPT_GARBAGE, &ScanSettings::garbageFiles, "*.~, *.-, *.dos"},
    {IDC_OPT_SYSTEM_LOG, &ScanSettings::systemLogFiles, "*.log, *log.prv, *log.dat"},
    {IDC_OPT_CPP_BUILDER, &ScanSettings::cppBuilderFiles, "*.ilc, *.ild, *.ilf, *.ils, *.tds"},
    {IDC_OPT_VISUAL_CPP, &ScanSettings::visualCppFiles, "*.bsc, *.ilk, *.res, *.pch"},
    {IDC_OPT_CUSTOM_RULES, &ScanSettings::customRules, "custom rule files"},
    {IDC_OPT_EMPTY, &ScanSettings::emptyFiles, "file length = 0"}};

TEST(OptionsPage, BoxesFlagsDescriptionsSelectionButtonsAndSave) {
  CleanEngine engine{systemPlatform()};
  Dialog owner{IDD_MAIN};
  OptionsPage page{engine};
  const auto boxes = [&] {
    std::string out;
    for (const auto& [id, flag, text] : kBoxes) out += std::to_string(SendMessageA(page.Item(id), BM_GETCHECK, 0, 0));
    return out;
  };
  const auto flags = [&] {
    std::string out;
    for (const auto& [id, flag, text] : kBoxes) out += std::to_string(engine.choices().settings.*flag);
    return out;
  };
  engine.choices().settings.backupFiles = 0;
  engine.choices().settings.cpyFiles = 5;  // only a flag of one shows ticked
  ASSERT_TRUE(owner.Create(nullptr));
  ASSERT_TRUE(page.Create(owner.hwnd()));
  MessageBoxAnswerer answer(IDOK);
  EXPECT_EQ(boxes(), "101110111111");
  EXPECT_EQ(WindowText(page.Item(IDC_OPT_DESCRIPTION)), "");
  for (int id : {IDC_OPT_BACKUP, IDC_OPT_CPY}) SendMessageA(page.Item(id), BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(flags(), "101115111111");  // not applied without a click
  for (const auto& [id, flag, text] : kBoxes) {  // a click applies every box and shows the description
    SendMessageA(page.Item(id), BM_CLICK, 0, 0);
    EXPECT_EQ(engine.choices().settings.*flag, 0) << text;
    SendMessageA(page.Item(id), BM_CLICK, 0, 0);
    EXPECT_EQ(std::to_string(engine.choices().settings.*flag) + WindowText(page.Item(IDC_OPT_DESCRIPTION)), "1"s + text);
  }
  ClickButton(page.hwnd(), IDC_OPT_SELECT_NONE);  // select none, all and defaults change only the boxes
  EXPECT_EQ(boxes() + flags(), "000000000000111111111111");
  for (const auto& [id, flag, text] : kBoxes) engine.choices().settings.*flag = 0;
  for (int button : {IDC_OPT_SELECT_ALL, IDC_OPT_DEFAULTS}) {
    ClickButton(page.hwnd(), IDC_OPT_SELECT_NONE);
    ClickButton(page.hwnd(), button);
    EXPECT_EQ(boxes() + flags(), "111111111111000000000000") << button;
  }
  EXPECT_EQ(answer.count(), 0);
  ClickButton(page.hwnd(), IDC_OPT_SAVE);  // save applies and confirms
  EXPECT_EQ(flags(), "111111111111");
  ASSERT_EQ(answer.count(), 1);
  EXPECT_EQ(answer.boxes()[0].text, "设置已保存");
  EXPECT_EQ(answer.boxes()[0].owner, owner.hwnd());  // a box belongs to the top window
  DestroyWindow(owner.hwnd());
}

}  // namespace
}  // namespace scourix::test
