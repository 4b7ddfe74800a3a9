// The rule editor: its lists and the empty-pattern refusal. Its captions and values are
// checked through the rules page (rules_page_test.cpp).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/window.h"
#include "ui/pages/rule_edit_dialog.h"

namespace scourix::test {
namespace {

using ScriptedEditor = Scripted<RuleEditDialog>;

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

TEST(RuleEditor, AnEmptyPatternIsRefusedThenOkTakesWhatWasEntered) {
  MessageBoxAnswerer answer(IDOK);
  ScriptedEditor editor;
  bool openAfterRefusal = false;
  editor.closeAfterScript = false;
  editor.script = [&] {
    HWND hwnd = editor.hwnd();
    EXPECT_EQ(Items(hwnd, IDC_EDIT_ENABLED), (std::vector<std::string>{"启用", "灰化"}));
    EXPECT_EQ(Items(hwnd, IDC_EDIT_MODE), (std::vector<std::string>{"规则必须在文件名末尾", "只要包含规则字符串"}));
    SetDlgItemTextA(hwnd, IDC_EDIT_DESCRIPTION, "clean pcf, files");
    SendDlgItemMessageA(hwnd, IDC_EDIT_ENABLED, CB_SETCURSEL, 1, 0);
    SendDlgItemMessageA(hwnd, IDC_EDIT_MODE, CB_SETCURSEL, 1, 0);
    ClickButton(hwnd, IDOK);
    openAfterRefusal = editor.exists();
    SetDlgItemTextA(hwnd, IDC_EDIT_PATTERN, "  ");  // spaces are a pattern: not trimmed
    ClickButton(hwnd, IDOK);
  };
  EXPECT_EQ(editor.DoModal(), IDOK);
  EXPECT_TRUE(openAfterRefusal);
  ASSERT_EQ(answer.count(), 1);
  EXPECT_EQ(answer.boxes()[0].text, "规则不能为空");
  EXPECT_EQ(answer.boxes()[0].caption, "提示");
  EXPECT_EQ(editor.rule().pattern, "  ");
  EXPECT_EQ(editor.rule().description, "clean pcf, files");
  EXPECT_EQ(editor.rule().enabled, 0);
  EXPECT_EQ(editor.rule().matchMode, 1);
}

}  // namespace
}  // namespace scourix::test
