// The rules page: the list and its mouse picks, the buttons, the editor runs, and the
// import and export through the file dialogs.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/clean_engine.h"
#include "platform/win32/win32_platform.h"
#include "res/resource.h"
#include "tests/core/temp_tree.h"
#include "tests/ui/rule_dialog_answerers.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/controls.h"
#include "ui/framework/window.h"
#include "ui/pages/rules_page.h"

namespace scourix::test {
namespace {

ScanRule MakeRule(int enabled, const std::string& pattern, const std::string& description, int mode) {
  ScanRule rule;
  rule.enabled = enabled;
  rule.pattern = pattern;
  rule.description = description;
  rule.matchMode = mode;
  return rule;
}

class RulesPageTest : public ::testing::Test {
 protected:
  RulesPageTest() : engine_(platform_) {}

  void Open(const std::vector<ScanRule>& rules) {
    for (const ScanRule& rule : rules) engine_.rules.append(rule);
    ASSERT_TRUE(host_.Create(nullptr));
    ASSERT_TRUE(page_.Create(host_.hwnd()));
    list_.Attach(page_.Item(IDC_RULES_LIST));
  }
  void OpenWithThreeRules() {
    Open({MakeRule(1, ".pcf", "clean pcf files", 0), MakeRule(0, "~", "greyed", 1), MakeRule(1, "doc.txt", "", 0)});
  }

  POINT RowPoint(int row) const {
    RECT rect{};
    list_.GetItemRect(row, rect, LVIR_LABEL);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  // A point of the list below the last row.
  POINT EmptyPoint() const {
    const RECT client = list_.ClientRect();
    return POINT{client.right / 2, client.bottom - 4};
  }
  void Click(POINT point, WPARAM keys = 0) const {
    const LPARAM position = MAKELPARAM(point.x, point.y);
    SendMessageA(list_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON | keys, position);
    SendMessageA(list_.hwnd(), WM_LBUTTONUP, keys, position);
  }
  // What the system sends for a double click: a click, then the double click.
  void DoubleClick(POINT point, WPARAM keys = 0) const {
    Click(point, keys);
    const LPARAM position = MAKELPARAM(point.x, point.y);
    SendMessageA(list_.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON | keys, position);
    SendMessageA(list_.hwnd(), WM_LBUTTONUP, keys, position);
  }

  bool DeleteEnabled() const { return IsWindowEnabled(page_.Item(IDC_RULES_DELETE)) != FALSE; }
  bool ModifyEnabled() const { return IsWindowEnabled(page_.Item(IDC_RULES_MODIFY)) != FALSE; }
  void Press(int button) const { ClickButton(page_.hwnd(), button); }

  std::vector<std::string> Row(int row) const {
    return {list_.GetItemText(row, 0), list_.GetItemText(row, 1), list_.GetItemText(row, 2)};
  }
  std::vector<ScanRule> Rules() const { return engine_.rules.all(); }
  // Every row shows the rule at its position.
  void ExpectRowsMatchTheStore() const {
    ASSERT_EQ(list_.GetItemCount(), engine_.rules.count());
    for (int i = 0; i < engine_.rules.count(); ++i) {
      const ScanRule& rule = engine_.rules.at(i);
      EXPECT_EQ(Row(i), (std::vector<std::string>{rule.pattern, rule.description, rule.enabled ? "启用" : "灰化"}))
          << "row " << i;
    }
  }
  void UseFile(const std::string& path) {
    page_.SetFileChooser([path](HWND, RuleFileAction) { return std::optional<std::string>(path); });
  }

  Win32Platform platform_;
  CleanEngine engine_;
  Dialog host_{IDD_MAIN};
  RulesPage page_{engine_};
  ListView list_;
};

TEST_F(RulesPageTest, ListAndPicksAcrossClicks) {
  OpenWithThreeRules();
  {
    SCOPED_TRACE("rows, and no pick at first");
    EXPECT_EQ(Row(1), (std::vector<std::string>{"~", "greyed", "灰化"}));
    ExpectRowsMatchTheStore();
    EXPECT_EQ(page_.currentRule(), -1);
    EXPECT_FALSE(DeleteEnabled());
    EXPECT_FALSE(ModifyEnabled());
  }
  {
    SCOPED_TRACE("one row picks, empty space unpicks");
    Click(RowPoint(2));
    EXPECT_EQ(page_.currentRule(), 2);
    EXPECT_TRUE(DeleteEnabled());
    EXPECT_TRUE(ModifyEnabled());
    Click(EmptyPoint());
    EXPECT_EQ(page_.currentRule(), -1);
    EXPECT_FALSE(DeleteEnabled());
    EXPECT_FALSE(ModifyEnabled());
  }
  {
    SCOPED_TRACE("a refresh keeps the pick; any nonzero state shows enabled");
    Click(RowPoint(0));
    engine_.rules.append(MakeRule(-5, "x", "imported state", 3));
    page_.RefreshRuleList();
    ExpectRowsMatchTheStore();
    EXPECT_EQ(Row(3)[2], "启用");
    EXPECT_EQ(page_.currentRule(), 0);
    EXPECT_TRUE(ModifyEnabled());
  }
  RuleEditorAnswerer editor(IDCANCEL);
  {
    SCOPED_TRACE("a second row with Ctrl unpicks; a double click then adds");
    Click(RowPoint(0));
    Click(RowPoint(1), MK_CONTROL);
    EXPECT_EQ(list_.GetSelectedCount(), 2);
    EXPECT_EQ(page_.currentRule(), -1);
    EXPECT_FALSE(DeleteEnabled());
    DoubleClick(EmptyPoint(), MK_CONTROL);  // Ctrl keeps both rows selected
    ASSERT_EQ(editor.count(), 1);
    EXPECT_EQ(editor.shown()[0].caption, "增加");
    EXPECT_EQ(editor.shown()[0].pattern, "");
    EXPECT_EQ(editor.shown()[0].enableIndex, 0);
    EXPECT_EQ(editor.shown()[0].modeIndex, 0);
  }
  {
    SCOPED_TRACE("a double click on a row modifies it");
    DoubleClick(RowPoint(1));
    ASSERT_EQ(editor.count(), 2);
    const auto& shown = editor.shown()[1];
    EXPECT_EQ(shown.caption, "修改");
    EXPECT_EQ(shown.pattern, "~");
    EXPECT_EQ(shown.description, "greyed");
    EXPECT_EQ(shown.enableIndex, 1);
    EXPECT_EQ(shown.modeIndex, 1);
    EXPECT_EQ(shown.owner, host_.hwnd());
    EXPECT_EQ(page_.currentRule(), 1);
    EXPECT_EQ(engine_.rules.count(), 4);  // cancelled
  }
  {
    SCOPED_TRACE("Enter and Esc press nothing");
    for (HWND target : {page_.Item(IDC_RULES_ADD), list_.hwnd()}) {
      SetFocus(target);
      PressKey(target, VK_RETURN);
      PressKey(target, VK_ESCAPE);
    }
    EXPECT_EQ(editor.count(), 2);
    EXPECT_TRUE(page_.exists());
  }
}

TEST_F(RulesPageTest, AddModifyDeleteAndClear) {
  MessageBoxAnswerer answer(IDYES);
  OpenWithThreeRules();
  RuleEditorAnswerer editor(IDOK);
  {
    SCOPED_TRACE("modify and delete without a pick do nothing");
    Press(IDC_RULES_MODIFY);
    Press(IDC_RULES_DELETE);
    EXPECT_EQ(editor.count(), 0);
    EXPECT_EQ(answer.count(), 0);
  }
  Click(RowPoint(1));
  {
    SCOPED_TRACE("adding an existing pattern appends it and asks nothing");
    editor.SetFill([](HWND hwnd) {
      SetDlgItemTextA(hwnd, IDC_EDIT_PATTERN, ".pcf");
      SetDlgItemTextA(hwnd, IDC_EDIT_DESCRIPTION, "added");
      SendDlgItemMessageA(hwnd, IDC_EDIT_MODE, CB_SETCURSEL, 1, 0);
    });
    Press(IDC_RULES_ADD);
    EXPECT_EQ(answer.count(), 0);
    ASSERT_EQ(engine_.rules.count(), 4);
    EXPECT_EQ(engine_.rules.at(3), MakeRule(1, ".pcf", "added", 1));
    ExpectRowsMatchTheStore();
    EXPECT_TRUE(ModifyEnabled());
  }
  {
    SCOPED_TRACE("modify still edits the picked rule");
    editor.SetFill([](HWND hwnd) {
      SetDlgItemTextA(hwnd, IDC_EDIT_PATTERN, "tilde");
      SendDlgItemMessageA(hwnd, IDC_EDIT_ENABLED, CB_SETCURSEL, 0, 0);
    });
    Press(IDC_RULES_MODIFY);
    ASSERT_EQ(editor.count(), 2);
    EXPECT_EQ(editor.shown()[1].caption, "修改");
    EXPECT_EQ(engine_.rules.at(1), MakeRule(1, "tilde", "greyed", 1));
    ExpectRowsMatchTheStore();
  }
  {
    SCOPED_TRACE("delete: No keeps the row, Yes removes it");
    Click(RowPoint(1));
    answer.QueueAnswers({IDNO});
    Press(IDC_RULES_DELETE);
    ASSERT_EQ(answer.count(), 1);
    EXPECT_EQ(answer.boxes()[0].text, "确实要删除么?");
    EXPECT_EQ(answer.boxes()[0].caption, "提示");
    EXPECT_EQ(answer.boxes()[0].owner, host_.hwnd());
    EXPECT_EQ(engine_.rules.count(), 4);
    EXPECT_TRUE(DeleteEnabled());
    Press(IDC_RULES_DELETE);
    EXPECT_EQ(answer.count(), 2);
    EXPECT_EQ(Rules(), (std::vector<ScanRule>{MakeRule(1, ".pcf", "clean pcf files", 0), MakeRule(1, "doc.txt", "", 0),
                                              MakeRule(1, ".pcf", "added", 1)}));
    ExpectRowsMatchTheStore();
    EXPECT_EQ(page_.currentRule(), -1);
    EXPECT_FALSE(DeleteEnabled());
  }
  {
    SCOPED_TRACE("clear removes every rule without asking");
    Click(RowPoint(0));
    Press(IDC_RULES_CLEAR);
    EXPECT_EQ(answer.count(), 2);
    EXPECT_EQ(list_.GetItemCount(), 0);
    EXPECT_EQ(engine_.rules.count(), 0);
    EXPECT_EQ(page_.currentRule(), -1);
    EXPECT_FALSE(ModifyEnabled());
  }
}

TEST_F(RulesPageTest, AModeWithoutAnItemIsStoredAsMinusOne) {
  Open({MakeRule(1, "a", "imported", 7)});
  Click(RowPoint(0));
  RuleEditorAnswerer editor(IDOK);
  Press(IDC_RULES_MODIFY);
  ASSERT_EQ(editor.count(), 1);
  EXPECT_EQ(editor.shown()[0].modeIndex, -1);
  EXPECT_EQ(engine_.rules.at(0), MakeRule(1, "a", "imported", -1));
}

TEST_F(RulesPageTest, ExportImportAndTheirFailures) {
  MessageBoxAnswerer answer(IDOK);
  TempTree folder;
  const std::string path = folder.path("rules.txt");
  OpenWithThreeRules();
  const std::vector<ScanRule> exported = Rules();
  {
    SCOPED_TRACE("export then import gives the rules back");
    UseFile(path);
    Press(IDC_RULES_EXPORT);
    EXPECT_EQ(TempTree::read(path), ".pcf,clean pcf files,0,1\r\n~,greyed,1,0\r\ndoc.txt,,0,1\r\n");
    Press(IDC_RULES_CLEAR);
    Press(IDC_RULES_IMPORT);
    EXPECT_EQ(Rules(), exported);
    ExpectRowsMatchTheStore();
    ASSERT_EQ(answer.count(), 2);
    EXPECT_EQ(answer.boxes()[0].text, "导出成功");
    EXPECT_EQ(answer.boxes()[1].text, "导入成功");
    EXPECT_EQ(answer.boxes()[1].owner, host_.hwnd());
  }
  {
    SCOPED_TRACE("a second import asks before each duplicate");
    TempTree::write(path, "~,first,0,1\r\ndoc.txt,second,1,0\r\n");
    answer.QueueAnswers({IDNO, IDYES});
    Press(IDC_RULES_IMPORT);
    ASSERT_EQ(answer.count(), 5);
    EXPECT_EQ(answer.boxes()[2].text, "~ 规则已经存在，是否还要添加?");
    EXPECT_EQ(answer.boxes()[3].text, "doc.txt 规则已经存在，是否还要添加?");
    EXPECT_EQ(answer.boxes()[3].caption, "提醒");
    EXPECT_EQ(answer.boxes()[3].owner, host_.hwnd());
    EXPECT_EQ(answer.boxes()[4].text, "导入成功");
    std::vector<ScanRule> expected = exported;
    expected.push_back(MakeRule(0, "doc.txt", "second", 1));
    EXPECT_EQ(Rules(), expected);
    ExpectRowsMatchTheStore();
  }
  {
    SCOPED_TRACE("an export that cannot create its file is reported");
    const std::string missing = folder.path("missing\\rules.txt");
    UseFile(missing);
    Press(IDC_RULES_EXPORT);
    ASSERT_EQ(answer.count(), 6);
    EXPECT_EQ(answer.boxes()[5].text, "导出文件发现异常");
    EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
  }
  {
    SCOPED_TRACE("an import of a missing file is reported and still rebuilds the list");
    engine_.rules.append(MakeRule(1, "unlisted", "", 0));
    const std::vector<ScanRule> before = Rules();
    UseFile(folder.path("absent.txt"));
    Press(IDC_RULES_IMPORT);
    ASSERT_EQ(answer.count(), 7);
    EXPECT_EQ(answer.boxes()[6].text, "导入文件发现异常");
    EXPECT_EQ(answer.boxes()[6].caption, "提示");
    EXPECT_EQ(Rules(), before);
    ExpectRowsMatchTheStore();
  }
}

TEST_F(RulesPageTest, TheCommonFileDialogsChooseTheFiles) {
  MessageBoxAnswerer answer(IDOK);
  TempTree folder;
  const std::string source = folder.path("source.txt");
  const std::string target = folder.path("target.txt");
  TempTree::write(source, "abc,\r\n,x,1,1\r\n");
  TempTree::write(target, "old contents");
  Open({});
  // The dialogs move the working folder to the chosen file's; the test puts it back.
  char workingFolder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, workingFolder);
  {
    FileDialogAnswerer files(source);
    Press(IDC_RULES_IMPORT);
    EXPECT_EQ(files.count(), 1);
    EXPECT_EQ(files.owner(), host_.hwnd());
  }
  EXPECT_EQ(Rules(), (std::vector<ScanRule>{MakeRule(1, "abc", "", 0), MakeRule(1, "", "x", 1)}));
  {
    FileDialogAnswerer files(target);
    Press(IDC_RULES_EXPORT);
    EXPECT_EQ(files.count(), 1);
  }
  EXPECT_EQ(TempTree::read(target), "abc,,0,1\r\n,x,1,1\r\n");
  {
    FileDialogAnswerer files("");  // Cancel
    Press(IDC_RULES_IMPORT);
    EXPECT_EQ(files.count(), 1);
  }
  SetCurrentDirectoryA(workingFolder);
  EXPECT_EQ(engine_.rules.count(), 2);
  EXPECT_EQ(answer.count(), 2);
}

}  // namespace
}  // namespace scourix::test
