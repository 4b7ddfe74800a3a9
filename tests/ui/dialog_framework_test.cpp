// The dialog framework: modal runs, data exchange, the key filter and the routing of
// queued messages, reflection, and calls onto the user-interface thread.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "res/resource.h"
#include "tests/ui/scripted_dialog.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/control_hooks.h"
#include "ui/framework/controls.h"
#include "ui/framework/data_exchange.h"
#include "ui/framework/key_filter.h"
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

TEST(DialogModal, ShowsMembersAndTakesThemBackOnOk) {
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
}

TEST(DialogModal, CancelAndTheCloseBoxKeepTheMembers) {
  ScriptedEditor editor;
  editor.script = [&] {
    SetDlgItemTextA(editor.hwnd(), IDC_EDIT_PATTERN, "changed");
    ClickButton(editor.hwnd(), IDCANCEL);
  };
  EXPECT_EQ(editor.DoModal(), IDCANCEL);
  EXPECT_EQ(editor.pattern, "initial");

  ScriptedEditor closed;  // the script posts WM_CLOSE when it has nothing to do
  EXPECT_EQ(closed.DoModal(), IDCANCEL);
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

TEST(DataExchangeCheck, ShowsValuesOutsideZeroToTwoAsUnticked) {
  Dialog owner(IDD_MAIN);
  ASSERT_TRUE(owner.Create(nullptr));
  Dialog page(IDD_OPTIONS_PAGE);
  ASSERT_TRUE(page.Create(owner.hwnd()));
  int states[] = {1, 0, 2, 5, -1};
  const int ids[] = {IDC_OPT_TEMP, IDC_OPT_BACKUP, IDC_OPT_SETUP, IDC_OPT_HELP, IDC_OPT_LOG_TXT};
  DataExchange show(page.hwnd(), false);
  for (int i = 0; i < 5; ++i) show.Check(ids[i], states[i]);
  DataExchange read(page.hwnd(), true);
  for (int i = 0; i < 5; ++i) read.Check(ids[i], states[i]);
  EXPECT_EQ(states[0], BST_CHECKED);
  EXPECT_EQ(states[1], BST_UNCHECKED);
  EXPECT_EQ(states[3], BST_UNCHECKED);
  EXPECT_EQ(states[4], BST_UNCHECKED);
}

TEST(KeyFilter, MatchesOnlyTheKeyDownOfEnterAndEsc) {
  MSG message{};
  message.message = WM_KEYDOWN;
  message.wParam = VK_RETURN;
  EXPECT_TRUE(IsEnterOrEscKeyDown(message));
  message.wParam = VK_ESCAPE;
  EXPECT_TRUE(IsEnterOrEscKeyDown(message));
  message.wParam = VK_SPACE;
  EXPECT_FALSE(IsEnterOrEscKeyDown(message));
  message.message = WM_KEYUP;
  message.wParam = VK_RETURN;
  EXPECT_FALSE(IsEnterOrEscKeyDown(message));
  message.message = WM_CHAR;
  EXPECT_FALSE(IsEnterOrEscKeyDown(message));
}

// Counts the OK and Cancel commands that reach a modeless dialog.
template <class Base>
class CommandCounter : public Base {
 public:
  explicit CommandCounter(int templateId) : Base(templateId) {}
  int ok = 0;
  int cancel = 0;

 protected:
  void OnOK() override { ++ok; }
  void OnCancel() override { ++cancel; }
};

TEST(KeyFilter, AFilteredDialogGetsNeitherEnterNorEsc) {
  CommandCounter<Dialog> plain(IDD_RESULT_LIST);
  CommandCounter<FilteredDialog> filtered(IDD_RESULT_LIST);
  ASSERT_TRUE(plain.Create(nullptr));
  ASSERT_TRUE(filtered.Create(nullptr));
  for (auto* dialog : {static_cast<Dialog*>(&plain), static_cast<Dialog*>(&filtered)}) {
    HWND button = dialog->Item(IDC_RESULT_VIEW);
    SetFocus(button);
    PressKey(button, VK_RETURN);
    PressKey(button, VK_ESCAPE);
  }
  EXPECT_EQ(plain.ok + plain.cancel, 2);  // the unfiltered dialog turns them into commands
  EXPECT_EQ(filtered.ok, 0);
  EXPECT_EQ(filtered.cancel, 0);
}

TEST(KeyFilter, APageInsideAWindowFiltersItsOwnControls) {
  CommandCounter<Dialog> owner(IDD_MAIN);
  ASSERT_TRUE(owner.Create(nullptr));
  CommandCounter<FilteredDialog> page(IDD_DISK_PAGE);
  ASSERT_TRUE(page.Create(owner.hwnd()));
  HWND button = page.Item(IDC_DISK_SELECT_ALL);
  MSG message{};
  message.hwnd = button;
  message.message = WM_KEYDOWN;
  message.wParam = VK_RETURN;
  EXPECT_TRUE(Dialog::RouteMessage(message));  // swallowed by the page
  message.wParam = 'A';
  EXPECT_TRUE(Dialog::RouteMessage(message));  // taken by the page's dialog navigation
  message.hwnd = nullptr;
  EXPECT_FALSE(Dialog::RouteMessage(message));  // a thread message belongs to no dialog
  PumpPending();
  EXPECT_EQ(page.ok + page.cancel + owner.ok + owner.cancel, 0);
}

// A button that consumes its own click notification.
class SelfHandledButton : public Button, public ControlHooks {
 public:
  int clicks = 0;
  bool Attach(HWND hwnd) override { return Button::Attach(hwnd) && Subclass(hwnd); }
  bool OnReflectedCommand(UINT code, LRESULT& result) override {
    if (code != BN_CLICKED) return false;
    ++clicks;
    result = 0;
    return true;
  }

 protected:
  void OnControlDestroyed() override { Detach(); }
};

class ReflectionHost : public Dialog {
 public:
  ReflectionHost() : Dialog(IDD_RESULT_LIST) {}
  SelfHandledButton view;
  int hostClicks = 0;

 protected:
  void DoDataExchange(DataExchange& exchange) override { exchange.Control(IDC_RESULT_VIEW, view); }
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) override {
    if (message == WM_COMMAND && (IsButtonClick(wParam, IDC_RESULT_VIEW) || IsButtonClick(wParam, IDC_RESULT_DELETE))) {
      ++hostClicks;
      return true;
    }
    return false;
  }
};

TEST(Reflection, TheControlConsumesItsOwnNotificationBeforeTheDialog) {
  ReflectionHost host;
  ASSERT_TRUE(host.Create(nullptr));
  EXPECT_EQ(ControlHooks::FromHandle(host.view.hwnd()), &host.view);
  ClickButton(host.hwnd(), IDC_RESULT_VIEW);
  EXPECT_EQ(host.view.clicks, 1);
  EXPECT_EQ(host.hostClicks, 0);
  ClickButton(host.hwnd(), IDC_RESULT_DELETE);  // an ordinary button still reaches the host
  EXPECT_EQ(host.hostClicks, 1);
  DestroyWindow(host.hwnd());
  EXPECT_EQ(host.view.hwnd(), nullptr);  // the control let go of its window
}

TEST(UiThreadCalls, RunOnTheUserInterfaceThreadAndWait) {
  const DWORD uiThread = GetCurrentThreadId();
  std::atomic<DWORD> ranOn{0};
  std::atomic<bool> returned{false};
  std::thread worker([&] {
    RunOnUiThread([&] { ranOn = GetCurrentThreadId(); });
    returned = true;  // only after the call was carried out
  });
  EXPECT_TRUE(PumpUntil([&] { return ranOn.load() != 0; }));
  worker.join();
  EXPECT_EQ(ranOn.load(), uiThread);
  EXPECT_TRUE(returned);
  EXPECT_TRUE(UiThread::IsCurrent());
}

TEST(UiThreadCalls, RunAtOnceOnTheUserInterfaceThreadAndPassExceptionsBack) {
  bool ran = false;
  RunOnUiThread([&] { ran = true; });
  EXPECT_TRUE(ran);

  std::atomic<bool> caught{false};
  std::atomic<bool> done{false};
  std::thread worker([&] {
    try {
      RunOnUiThread([] { throw std::runtime_error("from the window thread"); });
    } catch (const std::runtime_error&) {
      caught = true;
    }
    done = true;
  });
  PumpUntil([&] { return done.load(); });
  worker.join();
  EXPECT_TRUE(caught);
}

}  // namespace
}  // namespace scourix::test
