// The link label's fallback command, built from the registered browser's command line.
#include <gtest/gtest.h>

#include "ui/controls/hyperlink_label.h"

namespace scourix::test {
namespace {

TEST(LinkLogic, TheFallbackCommand) {
  EXPECT_EQ(HtmlOpenCommand("\"C:\\b.exe\" -nohome \"%1\"", "http://x/"), "\"C:\\b.exe\" -nohome  http://x/");
  EXPECT_EQ(HtmlOpenCommand("C:\\b.exe", "http://x/"), "C:\\b.exe http://x/");
  EXPECT_EQ(HtmlOpenCommand("b %1", std::string(5000, 'a')).size(), 5003u);  // no fixed buffer to overflow
}

}  // namespace
}  // namespace scourix::test
