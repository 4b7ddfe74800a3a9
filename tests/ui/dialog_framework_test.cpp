// The dialog framework: modal runs and their owners, and calls onto the user-interface
// thread. Data exchange and Enter in a multi-line edit are checked through the rule
// editor, Enter and Esc on the real windows (main_dialog_test.cpp).
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/ui_thread.h"
#include "ui/framework/window.h"
#include "ui/pages/rule_edit_dialog.h"

namespace scourix::test {
namespace {

TEST(DialogModal, DisablesTheOwnerWhileItRuns) {
  Dialog owner(IDD_RESULT_LIST);
  ASSERT_TRUE(owner.Create(nullptr));
  Scripted<RuleEditDialog> editor;
  bool ownerEnabledDuringRun = true;
  HWND editorOwner = nullptr;
  editor.script = [&] {
    ownerEnabledDuringRun = owner.IsEnabled();
    editorOwner = GetWindow(editor.hwnd(), GW_OWNER);
  };
  editor.DoModal(owner.Item(IDC_RESULT_TREE));  // a child: its top-level window owns the run
  EXPECT_FALSE(ownerEnabledDuringRun);
  EXPECT_EQ(editorOwner, owner.hwnd());
  EXPECT_TRUE(owner.IsEnabled());
  DestroyWindow(owner.hwnd());
}

TEST(UiThreadCalls, RunOnTheUserInterfaceThreadWaitAndPassExceptionsBack) {
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
