// The link label's fallback command, built from the registered browser's command line.
#include <gtest/gtest.h>

#include "ui/controls/hyperlink_label.h"

namespace scourix::test {
namespace {

TEST(LinkLogic, TheFallbackCommand) {
  EXPECT_EQ(HtmlOpenCommand("\"C:\\b.exe\" -nohome \"%1\"", "http://x/"), "\"C:\\b.exe\" -nohome  http://x/");
  EXPECT_EQ(HtmlOpenCommand("C:\\b.exe", "http://x/"), "C:\\b.exe http://x/");
  const std::string longAddress(5000, 'a');  // no fixed buffer to overflow
  EXPECT_EQ(HtmlOpenCommand("b %1", longAddress).size(), 3 + longAddress.size());
}

}  // namespace
}  // namespace scourix::test
