// The rules page: the list, the buttons, the editor runs, and the import and export
// through the file dialogs; the rule editor on its own: Enter in its fields and the
// empty-pattern refusal.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/clean_engine.h"
#include "platform/win32/win32_platform.h"
#include "res/resource.h"
#include "tests/core/temp_tree.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/window.h"
#include "ui/pages/rule_dialogs.h"
#include "ui/pages/rules_page.h"

namespace scourix::test {
namespace {

using Rules = std::vector<ScanRule>;

class RulesPageTest : public ::testing::Test {
 protected:
  void Open(const Rules& rules) {
    for (const ScanRule& rule : rules) engine.choices().rules.append(rule);
    ASSERT_TRUE(host.Create(nullptr));
    ASSERT_TRUE(page.Create(host.hwnd()));
    list.Attach(page.Item(IDC_RULES_LIST));
  }
  void ClickRow(int row) const {
    RECT rect{};
    list.GetItemRect(row, rect, LVIR_LABEL);
    ClickAt(list.hwnd(), POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  }
  // Whether delete and modify are enabled, as "11", "00".
  std::string Buttons() const {
    return std::to_string(IsWindowEnabled(page.Item(IDC_RULES_DELETE))) +
           std::to_string(IsWindowEnabled(page.Item(IDC_RULES_MODIFY)));
  }
  void Press(int button) const { ClickButton(page.hwnd(), button); }
  // Every row shows the rule at its position, and the store holds these rules.
  void ExpectRules(const Rules& expected) const {
    EXPECT_EQ(engine.choices().rules.all(), expected);
    ASSERT_EQ(list.GetItemCount(), engine.choices().rules.count());
    for (int i = 0; i < engine.choices().rules.count(); ++i) {
      const ScanRule& rule = engine.choices().rules.at(i);
      EXPECT_EQ(list.GetItemText(i, 0) + "|" + list.GetItemText(i, 1) + "|" + list.GetItemText(i, 2),
                rule.pattern + "|" + rule.description + "|" + (rule.enabled ? "启用" : "灰化"));
    }
  }
  void UseFile(const std::string& path) {
    page.SetFileChooser([path](HWND, RuleFileAction) { return std::optional<std::string>(path); });
  }

  Win32Platform platform;
  CleanEngine engine{platform};
  Dialog host{IDD_MAIN};
  RulesPage page{engine};
  ListView list;
  MessageBoxAnswerer answer{IDOK};
  std::vector<std::string> shown;  // caption|pattern|description|enabled|mode|owned of each editor
};

// Reads what an editor shows, then sets the fields that are given.
std::function<void(HWND)> Editor(std::vector<std::string>& shown, HWND owner, const char* pattern = nullptr,
                                 int enabled = -2, int mode = -2) {
  return [&shown, owner, pattern, enabled, mode](HWND editor) {
    shown.push_back(WindowText(editor) + "|" + WindowText(GetDlgItem(editor, IDC_EDIT_PATTERN)) + "|" +
                    WindowText(GetDlgItem(editor, IDC_EDIT_DESCRIPTION)) + "|" +
                    std::to_string(SendDlgItemMessageA(editor, IDC_EDIT_ENABLED, CB_GETCURSEL, 0, 0)) + "|" +
                    std::to_string(SendDlgItemMessageA(editor, IDC_EDIT_MODE, CB_GETCURSEL, 0, 0)) + "|" +
                    std::to_string(GetWindow(editor, GW_OWNER) == owner));
    if (pattern != nullptr) SetDlgItemTextA(editor, IDC_EDIT_PATTERN, pattern);
    if (enabled != -2) SendDlgItemMessageA(editor, IDC_EDIT_ENABLED, CB_SETCURSEL, enabled, 0);
    if (mode != -2) SendDlgItemMessageA(editor, IDC_EDIT_MODE, CB_SETCURSEL, mode, 0);
  };
}

TEST_F(RulesPageTest, AddModifyDeleteAndClear) {
  Open({{1, ".pcf", "clean pcf files", 0}, {0, "~", "greyed", 1}, {-5, "a", "imported", 7}});
  EXPECT_EQ(list.GetItemText(2, 2), "启用");  // any nonzero state shows enabled
  EXPECT_EQ(Buttons(), "00");
  Press(IDC_RULES_MODIFY);  // without a pick: nothing
  Press(IDC_RULES_DELETE);
  EXPECT_EQ(answer.count(), 0);
  ClickRow(2);  // a mode without an item in the list is stored as -1
  Press(IDC_RULES_MODIFY);
  ClickRow(1);
  answer.fill = Editor(shown, host.hwnd(), ".pcf", -2, 1);  // an existing pattern is added without a question
  Press(IDC_RULES_ADD);
  answer.fill = Editor(shown, host.hwnd(), "tilde", 0);  // modify still edits the picked rule
  Press(IDC_RULES_MODIFY);
  EXPECT_EQ(shown, (std::vector<std::string>{"增加|||0|0|1", "修改|~|greyed|1|1|1"}));
  ExpectRules({{1, ".pcf", "clean pcf files", 0}, {1, "tilde", "greyed", 1}, {1, "a", "imported", -1}, {1, ".pcf", "", 1}});
  answer.QueueAnswers({IDNO, IDYES});  // delete asks: No keeps the rule, Yes removes it
  Press(IDC_RULES_DELETE);
  EXPECT_EQ(Buttons(), "11");
  Press(IDC_RULES_DELETE);
  ASSERT_EQ(answer.count(), 5);
  EXPECT_EQ(answer.boxes()[3].text, "确实要删除么?");
  EXPECT_EQ(answer.boxes()[3].owner, host.hwnd());
  ExpectRules({{1, ".pcf", "clean pcf files", 0}, {1, "a", "imported", -1}, {1, ".pcf", "", 1}});
  EXPECT_EQ(Buttons(), "00");
  ClickRow(0);  // the keys pick as a click does: a row selected, a row no longer selected
  SendMessageA(list.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(page.currentRule(), 1);
  list.SetItemState(1, 0, LVIS_SELECTED);
  EXPECT_EQ(page.currentRule(), -1);
  ClickRow(0);  // clear asks nothing
  Press(IDC_RULES_CLEAR);
  EXPECT_EQ(answer.count(), 5);
  ExpectRules({});
  EXPECT_EQ(page.currentRule(), -1);
}

TEST_F(RulesPageTest, ExportAndImportThroughTheFileDialogsAndTheirFailures) {
  TempTree folder;
  const std::string path = folder.path("rules.txt");
  TempTree::write(path, "old contents");
  Open({{1, ".pcf", "clean pcf files", 0}, {0, "~", "greyed", 1}, {1, "doc.txt", "", 0}});
  const Rules exported = engine.choices().rules.all();
  // The dialogs move the working folder to the chosen file's; the test puts it back.
  char workingFolder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, workingFolder);
  answer.fileName = path;
  Press(IDC_RULES_EXPORT);
  EXPECT_EQ(TempTree::read(path), ".pcf,clean pcf files,0,1\r\n~,greyed,1,0\r\ndoc.txt,,0,1\r\n");
  Press(IDC_RULES_CLEAR);
  Press(IDC_RULES_IMPORT);
  ExpectRules(exported);
  answer.fileName = "";  // Cancel
  Press(IDC_RULES_IMPORT);
  SetCurrentDirectoryA(workingFolder);
  ASSERT_EQ(answer.count(), 5);
  EXPECT_EQ(answer.boxes()[0].owner, host.hwnd());  // the save dialog
  EXPECT_EQ(answer.boxes()[1].text + answer.boxes()[3].text, "导出成功导入成功");
  ExpectRules(exported);

  TempTree::write(path, "~,first,0,1\r\ndoc.txt,second,1,0\r\n");  // a second import asks before each duplicate
  UseFile(path);
  answer.QueueAnswers({IDNO, IDYES});
  Press(IDC_RULES_IMPORT);
  UseFile(folder.path("missing\\rules.txt"));
  Press(IDC_RULES_EXPORT);
  engine.choices().rules.append({1, "unlisted", "", 0});  // a failed import still rebuilds the list
  UseFile(folder.path("absent.txt"));
  Press(IDC_RULES_IMPORT);
  std::vector<std::string> texts;
  for (int i = 5; i < answer.count(); ++i) texts.push_back(answer.boxes()[i].caption + "|" + answer.boxes()[i].text);
  EXPECT_EQ(texts, (std::vector<std::string>{"提醒|~ 规则已经存在，是否还要添加?",
                                             "提醒|doc.txt 规则已经存在，是否还要添加?", "提示|导入成功",
                                             "提示|导出文件发现异常", "提示|导入文件发现异常"}));
  Rules expected = exported;
  expected.push_back({0, "doc.txt", "second", 1});
  expected.push_back({1, "unlisted", "", 0});
  ExpectRules(expected);
  EXPECT_FALSE(TempTree::exists(folder.path("missing\\rules.txt")));
}

TEST(RuleEditor, AnEmptyPatternOrOneWithACommaIsRefusedThenOkTakesWhatWasEntered) {
  MessageBoxAnswerer answer(IDOK);
  Scripted<RuleEditDialog> editor;
  bool openAfterRefusal = false;
  editor.closeAfterScript = false;
  editor.script = [&] {
    HWND hwnd = editor.hwnd();
    EXPECT_EQ(GetFocus(), editor.Item(IDC_EDIT_PATTERN));  // it opens in its first field
    SetDlgItemTextA(hwnd, IDC_EDIT_DESCRIPTION, "clean pcf, files");
    SendDlgItemMessageA(hwnd, IDC_EDIT_ENABLED, CB_SETCURSEL, 1, 0);
    SendDlgItemMessageA(hwnd, IDC_EDIT_MODE, CB_SETCURSEL, 1, 0);
    SetFocus(editor.Item(IDC_EDIT_DESCRIPTION));  // Enter in the description adds a line break
    PressKey(editor.Item(IDC_EDIT_DESCRIPTION), VK_END);
    PressKey(editor.Item(IDC_EDIT_DESCRIPTION), VK_RETURN);
    ClickButton(hwnd, IDOK);
    SetDlgItemTextA(hwnd, IDC_EDIT_PATTERN, "a,b");  // read back from a rule file, another rule
    ClickButton(hwnd, IDOK);
    openAfterRefusal = editor.exists();
    SetDlgItemTextA(hwnd, IDC_EDIT_PATTERN, "  ");  // spaces are a pattern: not trimmed
    SetFocus(editor.Item(IDC_EDIT_PATTERN));
    PressKey(editor.Item(IDC_EDIT_PATTERN), VK_RETURN);  // elsewhere Enter confirms
  };
  EXPECT_EQ(editor.DoModal(), IDOK);
  EXPECT_TRUE(openAfterRefusal);
  ASSERT_EQ(answer.count(), 2);
  EXPECT_EQ(answer.boxes()[0].caption + "|" + answer.boxes()[0].text + "|" + answer.boxes()[1].text,
            "提示|规则不能为空|规则中不能含有逗号");
  EXPECT_EQ(editor.rule(), (ScanRule{0, "  ", "clean pcf, files\r\n", 1}));
}

}  // namespace
}  // namespace scourix::test
