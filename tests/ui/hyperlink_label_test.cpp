// The support link from the keyboard: Tab reaches it, it shows the focus as it shows the
// mouse over it, and Space opens it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/controls/hyperlink_label.h"
#include "ui/framework/dialog.h"

namespace scourix::test {
namespace {

class RecordingLink : public HyperLinkLabel {
 public:
  INT_PTR OpenTarget(const std::string& address, int) override {
    opened.push_back(address);
    return 33;
  }
  std::vector<std::string> opened;
};

TEST(HyperLink, TheKeyboardReachesAndOpensIt) {
  Dialog host{IDD_MAIN};
  ASSERT_TRUE(host.Create(nullptr));
  HWND label = CreateWindowA("STATIC", "www.example.com", WS_CHILD | WS_VISIBLE, 0, 0, 120, 16, host.hwnd(),
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  RecordingLink link;
  ASSERT_TRUE(link.Attach(label));
  EXPECT_NE(GetWindowLongA(label, GWL_STYLE) & WS_TABSTOP, 0);
  const COLORREF unfocused = link.textColour();
  SetFocus(label);
  EXPECT_EQ(GetFocus(), label);
  EXPECT_NE(link.textColour(), unfocused);
  PressKey(label, VK_SPACE);
  EXPECT_EQ(link.opened, std::vector<std::string>{"www.example.com"});
  DestroyWindow(host.hwnd());
}

}  // namespace
}  // namespace scourix::test
