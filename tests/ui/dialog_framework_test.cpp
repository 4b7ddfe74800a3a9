// The dialog framework: modal runs with data exchange, and calls onto the user-interface
// thread. Enter and Esc are checked on the real windows (main_dialog_test.cpp).
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/controls.h"
#include "ui/framework/data_exchange.h"
#include "ui/framework/ui_thread.h"

namespace scourix::test {
namespace {

// The rule editor's template with bound members, as a plain dialog.
class EditorProbe : public Dialog {
 public:
  EditorProbe() : Dialog(IDD_RULE_EDIT) {}
  std::string pattern = "initial";
  std::string description;
  int enabledIndex = 1;
  int modeIndex = 0;
  int okCount = 0;

 protected:
  BOOL OnInitDialog() override {
    ComboBox enabled;
    enabled.Attach(Item(IDC_EDIT_ENABLED));
    enabled.AddString("启用");
    enabled.AddString("灰化");
    ComboBox mode;
    mode.Attach(Item(IDC_EDIT_MODE));
    mode.AddString("规则必须在文件名末尾");
    mode.AddString("只要包含规则字符串");
    return Dialog::OnInitDialog();
  }
  void DoDataExchange(DataExchange& exchange) override {
    exchange.Text(IDC_EDIT_PATTERN, pattern);
    exchange.Text(IDC_EDIT_DESCRIPTION, description);
    exchange.ComboIndex(IDC_EDIT_ENABLED, enabledIndex);
    exchange.ComboIndex(IDC_EDIT_MODE, modeIndex);
  }
  void OnOK() override {
    ++okCount;
    Dialog::OnOK();
  }
};

using ScriptedEditor = Scripted<EditorProbe>;

TEST(DialogModal, ShowsMembersTakesThemBackOnOkAndKeepsThemOnCancel) {
  ScriptedEditor editor;
  std::string shownPattern;
  int shownEnabled = -2;
  editor.script = [&] {
    shownPattern = WindowText(editor.Item(IDC_EDIT_PATTERN));
    shownEnabled = static_cast<int>(SendDlgItemMessageA(editor.hwnd(), IDC_EDIT_ENABLED, CB_GETCURSEL, 0, 0));
    SetDlgItemTextA(editor.hwnd(), IDC_EDIT_PATTERN, ".pcf");
    SendDlgItemMessageA(editor.hwnd(), IDC_EDIT_MODE, CB_SETCURSEL, 1, 0);
    ClickButton(editor.hwnd(), IDOK);
  };
  EXPECT_EQ(editor.DoModal(), IDOK);
  EXPECT_EQ(shownPattern, "initial");
  EXPECT_EQ(shownEnabled, 1);
  EXPECT_EQ(editor.pattern, ".pcf");
  EXPECT_EQ(editor.modeIndex, 1);
  EXPECT_EQ(editor.hwnd(), nullptr);  // the window is gone after the run

  editor.script = [&] { SetDlgItemTextA(editor.hwnd(), IDC_EDIT_PATTERN, "changed"); };  // then the close box
  EXPECT_EQ(editor.DoModal(), IDCANCEL);
  EXPECT_EQ(editor.pattern, ".pcf");
}

TEST(DialogModal, DisablesTheOwnerWhileItRuns) {
  Dialog owner(IDD_RESULT_LIST);
  ASSERT_TRUE(owner.Create(nullptr));
  ScriptedEditor editor;
  bool ownerEnabledDuringRun = true;
  HWND editorOwner = nullptr;
  RECT editorRect{};
  editor.script = [&] {
    ownerEnabledDuringRun = owner.IsEnabled();
    editorOwner = GetWindow(editor.hwnd(), GW_OWNER);
    editorRect = editor.WindowRect();
  };
  editor.DoModal(owner.Item(IDC_RESULT_TREE));  // a child: its top-level window owns the run
  EXPECT_FALSE(ownerEnabledDuringRun);
  EXPECT_EQ(editorOwner, owner.hwnd());
  EXPECT_TRUE(owner.IsEnabled());
  const RECT ownerRect = owner.WindowRect();  // the box stands centred on its owner
  EXPECT_NEAR(editorRect.left + editorRect.right, ownerRect.left + ownerRect.right, 2);
  EXPECT_NEAR(editorRect.top + editorRect.bottom, ownerRect.top + ownerRect.bottom, 2);
}

TEST(DialogModal, EnterInTheMultiLineEditAddsALineBreakInsteadOfClosing) {
  ScriptedEditor editor;
  std::string text;
  editor.script = [&] {
    HWND description = editor.Item(IDC_EDIT_DESCRIPTION);
    SetFocus(description);
    PressKey(description, VK_RETURN);
    PumpPending();
    text = WindowText(description);
    EXPECT_TRUE(editor.exists());
    EXPECT_EQ(editor.okCount, 0);
    SetFocus(editor.Item(IDC_EDIT_PATTERN));
    PressKey(editor.Item(IDC_EDIT_PATTERN), VK_RETURN);  // elsewhere Enter confirms
  };
  editor.closeAfterScript = false;
  EXPECT_EQ(editor.DoModal(), IDOK);
  EXPECT_EQ(text, "\r\n");
  EXPECT_EQ(editor.okCount, 1);
}

TEST(UiThreadCalls, RunOnTheUserInterfaceThreadWaitAndPassExceptionsBack) {
  bool ran = false;
  RunOnUiThread([&] { ran = true; });  // at once on the thread itself
  EXPECT_TRUE(ran);
  const DWORD uiThread = GetCurrentThreadId();
  std::atomic<DWORD> ranOn{0};
  std::atomic<bool> caught{false};
  std::atomic<bool> done{false};
  std::thread worker([&] {
    RunOnUiThread([&] { ranOn = GetCurrentThreadId(); });
    try {
      RunOnUiThread([] { throw std::runtime_error("from the window thread"); });
    } catch (const std::runtime_error&) {
      caught = true;
    }
    done = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_EQ(ranOn.load(), uiThread);
  EXPECT_TRUE(caught);
}

}  // namespace
}  // namespace scourix::test
