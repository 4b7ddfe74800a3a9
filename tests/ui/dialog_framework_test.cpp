// The dialog framework: calls onto the user-interface thread. Modal owners, data exchange
// and Enter in a multi-line edit are checked through the rules page and the rule editor,
// Enter and Esc on the real windows (main_dialog_test.cpp).
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "tests/ui/ui_test_support.h"
#include "ui/framework/ui_thread.h"

namespace scourix::test {
namespace {

TEST(UiThreadCalls, RunOnTheUserInterfaceThreadWaitAndPassExceptionsBack) {
  std::atomic<DWORD> ranOn{0};
  std::atomic<bool> caught{false}, done{false};
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
  EXPECT_EQ(ranOn.load(), GetCurrentThreadId());
  EXPECT_TRUE(caught);
}

}  // namespace
}  // namespace scourix::test
