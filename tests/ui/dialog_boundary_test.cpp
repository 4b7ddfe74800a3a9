// The framework's boundary: an exception a handler throws stops at the dialog procedure,
// which tells the user in a box, instead of unwinding through the system's code.
#include <gtest/gtest.h>

#include <stdexcept>

#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/dialog.h"

namespace scourix::test {
namespace {

class ThrowingDialog : public Dialog {
 public:
  ThrowingDialog() : Dialog(IDD_MAIN) {}

 protected:
  bool OnCommand(int id, UINT) override {
    if (id == kThrowingCommand) throw std::runtime_error("boom");
    return false;
  }

 public:
  static constexpr int kThrowingCommand = 0x7001;
};

TEST(DialogBoundary, AnExceptionOfAHandlerIsReportedNotPassedOn) {
  ThrowingDialog dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  MessageBoxAnswerer answer(IDOK);
  SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(ThrowingDialog::kThrowingCommand, BN_CLICKED), 0);
  ASSERT_EQ(answer.count(), 1);
  EXPECT_EQ(answer.boxes()[0].text, "操作未完成：boom");
  EXPECT_TRUE(IsWindow(dialog.hwnd()));
  DestroyWindow(dialog.hwnd());
}

}  // namespace
}  // namespace scourix::test
