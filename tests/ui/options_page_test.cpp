// The options page run in-process inside a main-window template: its boxes, the
// description, and when the boxes reach the engine's scan settings.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/pages/options_page.h"

namespace scourix::test {
namespace {

// Every box with the description it shows after a click.
const std::vector<std::pair<int, std::string>> kDescriptions = {
    {IDC_OPT_TEMP, "*.tmp, *.??$,*.chk,*.lst"},
    {IDC_OPT_BACKUP, "*.bak, *.old"},
    {IDC_OPT_SETUP, "*.dir, *.---"},
    {IDC_OPT_HELP, "*.fts, *.gid, *.ftg"},
    {IDC_OPT_LOG_TXT, "*log.txt"},
    {IDC_OPT_GARBAGE, "*.~, *.-, *.dos"},
    {IDC_OPT_SYSTEM_LOG, "*.log, *log.prv, *log.dat"},
    {IDC_OPT_CPY, "*.cpy"},
    {IDC_OPT_CPP_BUILDER, "*.ilc, *.ild, *.ilf, *.ils, *.tds"},
    {IDC_OPT_VISUAL_CPP, "*.bsc, *.ilk, *.res, *.pch"},
    {IDC_OPT_CUSTOM_RULES, "custom rule files"},
    {IDC_OPT_EMPTY, "file length = 0"},
};

class OptionsPageTest : public ::testing::Test {
 protected:
  ~OptionsPageTest() override {
    if (page.exists()) DestroyWindow(page.hwnd());
    if (owner.exists()) DestroyWindow(owner.hwnd());
  }

  void Open() {
    ASSERT_TRUE(owner.Create(nullptr));
    ASSERT_TRUE(page.Create(owner.hwnd()));
  }

  // A click as the user makes it: the box toggles, then the page hears of it.
  void Click(int id) { SendMessageA(page.Item(id), BM_CLICK, 0, 0); }
  int Box(int id) const { return static_cast<int>(SendMessageA(page.Item(id), BM_GETCHECK, 0, 0)); }
  void SetBox(int id, int state) { SendMessageA(page.Item(id), BM_SETCHECK, static_cast<WPARAM>(state), 0); }
  std::string Description() const { return WindowText(page.Item(IDC_OPT_DESCRIPTION)); }
  void SetAllSettings(int value) {
    for (const CategoryBox& box : kCategoryBoxes) engine.settings.*(box.flag) = value;
  }
  bool AllSettingsAre(int value) const {
    for (const CategoryBox& box : kCategoryBoxes) {
      if (engine.settings.*(box.flag) != value) return false;
    }
    return true;
  }

  CleanEngine engine{systemPlatform()};
  Dialog owner{IDD_MAIN};
  OptionsPage page{engine};
};

TEST_F(OptionsPageTest, DescriptionsClicksSelectionButtonsAndSave) {
  engine.settings.backupFiles = 0;
  Open();
  MessageBoxAnswerer answer(IDOK);
  {
    SCOPED_TRACE("the stored settings and no description at first");
    for (const auto& [id, text] : kDescriptions) EXPECT_EQ(Box(id), id == IDC_OPT_BACKUP ? BST_UNCHECKED : BST_CHECKED) << id;
    EXPECT_EQ(Description(), "");
  }
  {
    SCOPED_TRACE("each box shows its own description, ticked or unticked");
    for (const auto& [id, text] : kDescriptions) {
      for (int round = 0; round < 2; ++round) {
        Click(id);
        EXPECT_EQ(Description(), text) << id;
      }
    }
  }
  {
    SCOPED_TRACE("a click applies every box at once");
    SetBox(IDC_OPT_BACKUP, BST_CHECKED);  // changed without a click: not applied yet
    EXPECT_EQ(engine.settings.backupFiles, 0);
    Click(IDC_OPT_TEMP);
    EXPECT_EQ(engine.settings.tempFiles, 0);
    EXPECT_EQ(engine.settings.backupFiles, 1);
    Click(IDC_OPT_TEMP);
    EXPECT_TRUE(AllSettingsAre(1));
  }
  {
    SCOPED_TRACE("select none, all and defaults change only the boxes");
    ClickButton(page.hwnd(), IDC_OPT_SELECT_NONE);
    for (const auto& [id, text] : kDescriptions) EXPECT_EQ(Box(id), BST_UNCHECKED) << id;
    EXPECT_TRUE(AllSettingsAre(1));
    EXPECT_EQ(Description(), "*.tmp, *.??$,*.chk,*.lst");  // the buttons leave it
    SetAllSettings(0);
    for (int button : {IDC_OPT_SELECT_ALL, IDC_OPT_DEFAULTS}) {
      ClickButton(page.hwnd(), IDC_OPT_SELECT_NONE);
      ClickButton(page.hwnd(), button);
      for (const auto& [id, text] : kDescriptions) EXPECT_EQ(Box(id), BST_CHECKED) << button << " " << id;
      EXPECT_TRUE(AllSettingsAre(0)) << button;
    }
    EXPECT_EQ(answer.count(), 0);
  }
  {
    SCOPED_TRACE("save applies and confirms every time");
    ClickButton(page.hwnd(), IDC_OPT_SAVE);
    EXPECT_TRUE(AllSettingsAre(1));
    ClickButton(page.hwnd(), IDC_OPT_SAVE);
    ASSERT_EQ(answer.count(), 2);
    EXPECT_EQ(answer.boxes()[0].text, "设置已保存");
    EXPECT_EQ(answer.boxes()[0].caption, "提示");
    EXPECT_EQ(answer.boxes()[0].owner, GetAncestor(page.hwnd(), GA_ROOT));  // a box belongs to the top window
  }
}

TEST_F(OptionsPageTest, LoadShowsZeroAndValuesOutOfRangeAsEmptyBoxes) {
  Open();
  engine.settings.tempFiles = 0;
  engine.settings.cpyFiles = 5;
  engine.settings.helpTempFiles = -1;
  page.LoadFromSettings();
  EXPECT_EQ(Box(IDC_OPT_TEMP), BST_UNCHECKED);
  EXPECT_EQ(Box(IDC_OPT_CPY), BST_UNCHECKED);
  EXPECT_EQ(Box(IDC_OPT_HELP), BST_UNCHECKED);
  EXPECT_EQ(Box(IDC_OPT_BACKUP), BST_CHECKED);
  page.ApplyToSettings();
  EXPECT_EQ(engine.settings.cpyFiles, 0);  // what the box showed is what counts
  EXPECT_EQ(engine.settings.helpTempFiles, 0);
  EXPECT_EQ(engine.settings.backupFiles, 1);
}

}  // namespace
}  // namespace scourix::test
