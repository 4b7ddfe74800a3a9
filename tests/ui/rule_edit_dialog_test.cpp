// The rule editor on its own: Enter in its fields and the empty-pattern refusal. Its
// captions and values are checked through the rules page.
#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/window.h"
#include "ui/pages/rule_edit_dialog.h"

namespace scourix::test {
namespace {

TEST(RuleEditor, AnEmptyPatternIsRefusedThenOkTakesWhatWasEntered) {
  MessageBoxAnswerer answer(IDOK);
  Scripted<RuleEditDialog> editor;
  bool openAfterRefusal = false;
  editor.closeAfterScript = false;
  editor.script = [&] {
    HWND hwnd = editor.hwnd();
    SetDlgItemTextA(hwnd, IDC_EDIT_DESCRIPTION, "clean pcf, files");
    SendDlgItemMessageA(hwnd, IDC_EDIT_ENABLED, CB_SETCURSEL, 1, 0);
    SendDlgItemMessageA(hwnd, IDC_EDIT_MODE, CB_SETCURSEL, 1, 0);
    SetFocus(editor.Item(IDC_EDIT_DESCRIPTION));  // Enter in the description adds a line break
    PressKey(editor.Item(IDC_EDIT_DESCRIPTION), VK_END);
    PressKey(editor.Item(IDC_EDIT_DESCRIPTION), VK_RETURN);
    ClickButton(hwnd, IDOK);
    openAfterRefusal = editor.exists();
    SetDlgItemTextA(hwnd, IDC_EDIT_PATTERN, "  ");  // spaces are a pattern: not trimmed
    SetFocus(editor.Item(IDC_EDIT_PATTERN));
    PressKey(editor.Item(IDC_EDIT_PATTERN), VK_RETURN);  // elsewhere Enter confirms
  };
  EXPECT_EQ(editor.DoModal(), IDOK);
  EXPECT_TRUE(openAfterRefusal);
  ASSERT_EQ(answer.count(), 1);
  EXPECT_EQ(answer.boxes()[0].caption + "|" + answer.boxes()[0].text, "提示|规则不能为空");
  EXPECT_EQ(editor.rule(), (ScanRule{0, "  ", "clean pcf, files\r\n", 1}));
}

}  // namespace
}  // namespace scourix::test
