// The rule editor: its lists, captions and values, the empty-pattern refusal, and the
// keys of its multi-line description.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/ui/scripted_dialog.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/window.h"
#include "ui/rule_edit_dialog.h"

namespace scourix::test {
namespace {

using ScriptedEditor = Scripted<RuleEditDialog>;

ScanRule MakeRule(int enabled, const std::string& pattern, const std::string& description, int mode) {
  ScanRule rule;
  rule.enabled = enabled;
  rule.pattern = pattern;
  rule.description = description;
  rule.matchMode = mode;
  return rule;
}

int Selection(HWND editor, int id) {
  return static_cast<int>(SendDlgItemMessageA(editor, id, CB_GETCURSEL, 0, 0));
}

std::vector<std::string> Items(HWND editor, int id) {
  std::vector<std::string> items;
  const int count = static_cast<int>(SendDlgItemMessageA(editor, id, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[128] = {};
    SendDlgItemMessageA(editor, id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    items.emplace_back(text);
  }
  return items;
}

TEST(RuleEditorShow, AddingStartsWithANewRuleUnderTheCaptionAdd) {
  ScriptedEditor editor;
  editor.script = [&] {
    HWND hwnd = editor.hwnd();
    EXPECT_EQ(WindowText(hwnd), "增加");
    EXPECT_EQ(Items(hwnd, IDC_EDIT_ENABLED), (std::vector<std::string>{"启用", "灰化"}));
    EXPECT_EQ(Items(hwnd, IDC_EDIT_MODE), (std::vector<std::string>{"规则必须在文件名末尾", "只要包含规则字符串"}));
    EXPECT_EQ(Selection(hwnd, IDC_EDIT_ENABLED), 0);
    EXPECT_EQ(Selection(hwnd, IDC_EDIT_MODE), 0);
    EXPECT_EQ(WindowText(editor.Item(IDC_EDIT_PATTERN)), "");
    EXPECT_EQ(WindowText(editor.Item(IDC_EDIT_DESCRIPTION)), "");
  };
  EXPECT_EQ(editor.DoModal(), IDCANCEL);
  EXPECT_FALSE(editor.isModify());
}

TEST(RuleEditorShow, ModifyingShowsTheRuleUnderTheCaptionModify) {
  ScriptedEditor editor(MakeRule(0, "doc.txt", "first\r\nsecond", 1));
  editor.script = [&] {
    HWND hwnd = editor.hwnd();
    EXPECT_EQ(WindowText(hwnd), "修改");
    EXPECT_EQ(WindowText(editor.Item(IDC_EDIT_PATTERN)), "doc.txt");
    EXPECT_EQ(WindowText(editor.Item(IDC_EDIT_DESCRIPTION)), "first\r\nsecond");
    EXPECT_EQ(Selection(hwnd, IDC_EDIT_ENABLED), 1);  // "灰化"
    EXPECT_EQ(Selection(hwnd, IDC_EDIT_MODE), 1);
  };
  EXPECT_EQ(editor.DoModal(), IDCANCEL);
  EXPECT_TRUE(editor.isModify());
}

TEST(RuleEditorShow, AModeWithoutAnItemSelectsNothingAndIsStoredAsMinusOne) {
  ScriptedEditor editor(MakeRule(1, "a", "", 7));
  int shownMode = -2;
  editor.script = [&] {
    shownMode = Selection(editor.hwnd(), IDC_EDIT_MODE);
    ClickButton(editor.hwnd(), IDOK);
  };
  EXPECT_EQ(editor.DoModal(), IDOK);
  EXPECT_EQ(shownMode, -1);
  EXPECT_EQ(editor.rule(), MakeRule(1, "a", "", -1));
}

TEST(RuleEditorConfirm, OkTakesWhatWasEntered) {
  ScriptedEditor editor;
  editor.script = [&] {
    HWND hwnd = editor.hwnd();
    SetDlgItemTextA(hwnd, IDC_EDIT_PATTERN, ".pcf");
    SetDlgItemTextA(hwnd, IDC_EDIT_DESCRIPTION, "clean pcf, files");
    SendDlgItemMessageA(hwnd, IDC_EDIT_ENABLED, CB_SETCURSEL, 1, 0);
    SendDlgItemMessageA(hwnd, IDC_EDIT_MODE, CB_SETCURSEL, 1, 0);
    ClickButton(hwnd, IDOK);
  };
  EXPECT_EQ(editor.DoModal(), IDOK);
  EXPECT_EQ(editor.rule(), MakeRule(0, ".pcf", "clean pcf, files", 1));
}

TEST(RuleEditorConfirm, CancelKeepsTheRule) {
  const ScanRule original = MakeRule(1, "keep", "me", 0);
  ScriptedEditor editor(original);
  editor.script = [&] {
    SetDlgItemTextA(editor.hwnd(), IDC_EDIT_PATTERN, "changed");
    ClickButton(editor.hwnd(), IDCANCEL);
  };
  EXPECT_EQ(editor.DoModal(), IDCANCEL);
  EXPECT_EQ(editor.rule(), original);
}

TEST(RuleEditorConfirm, AnEmptyPatternIsRefusedAndTheEditorStaysOpen) {
  MessageBoxAnswerer answer(IDOK);
  ScriptedEditor editor;
  bool openAfterRefusal = false;
  std::string descriptionAfterRefusal;
  editor.closeAfterScript = false;
  editor.script = [&] {
    HWND hwnd = editor.hwnd();
    SetDlgItemTextA(hwnd, IDC_EDIT_DESCRIPTION, "kept");
    ClickButton(hwnd, IDOK);
    openAfterRefusal = editor.exists();
    descriptionAfterRefusal = WindowText(editor.Item(IDC_EDIT_DESCRIPTION));
    SetDlgItemTextA(hwnd, IDC_EDIT_PATTERN, "  ");  // spaces are a pattern: not trimmed
    ClickButton(hwnd, IDOK);
  };
  EXPECT_EQ(editor.DoModal(), IDOK);
  EXPECT_TRUE(openAfterRefusal);
  EXPECT_EQ(descriptionAfterRefusal, "kept");
  std::vector<MessageBoxAnswerer::Box> boxes;
  for (const auto& box : answer.boxes()) {
    if (!box.ownDialog) boxes.push_back(box);
  }
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "规则不能为空");
  EXPECT_EQ(boxes[0].caption, "提示");
  EXPECT_EQ(editor.rule().pattern, "  ");
  EXPECT_EQ(editor.rule().description, "kept");
}

TEST(RuleEditorKeys, EnterBreaksTheDescriptionLineAndConfirmsElsewhere) {
  ScriptedEditor editor;
  bool openAfterEnter = false;
  editor.closeAfterScript = false;
  editor.script = [&] {
    HWND description = editor.Item(IDC_EDIT_DESCRIPTION);
    SetFocus(description);
    SendMessageA(description, WM_CHAR, 'a', 1);
    PressKey(description, VK_RETURN);
    SendMessageA(description, WM_CHAR, 'b', 1);
    openAfterEnter = editor.exists();
    SetDlgItemTextA(editor.hwnd(), IDC_EDIT_PATTERN, "p");
    SetFocus(editor.Item(IDC_EDIT_PATTERN));
    PressKey(editor.Item(IDC_EDIT_PATTERN), VK_RETURN);
  };
  EXPECT_EQ(editor.DoModal(), IDOK);
  EXPECT_TRUE(openAfterEnter);
  EXPECT_EQ(editor.rule().description, "a\r\nb");
  EXPECT_EQ(editor.rule().pattern, "p");
}

}  // namespace
}  // namespace scourix::test
