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
  explicit ThrowingDialog(bool throwsInInit = false) : Dialog(IDD_MAIN), throwsInInit_(throwsInInit) {}

 protected:
  BOOL OnInitDialog() override {
    if (throwsInInit_) throw std::runtime_error("half built");
    return Dialog::OnInitDialog();
  }
  bool OnCommand(int id, UINT) override {
    if (id == kThrowingCommand) throw std::runtime_error("boom");
    return false;
  }

 public:
  static constexpr int kThrowingCommand = 0x7001;

 private:
  bool throwsInInit_;
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
  // A dialog whose initialisation failed does not stay half built.
  ThrowingDialog unfinished(true);
  EXPECT_FALSE(unfinished.Create(nullptr));
  EXPECT_EQ(unfinished.hwnd(), nullptr);
  ASSERT_EQ(answer.count(), 2);
  EXPECT_EQ(answer.boxes()[1].text, "操作未完成：half built");
}

}  // namespace
}  // namespace scourix::test
