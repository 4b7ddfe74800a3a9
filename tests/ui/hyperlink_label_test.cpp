// The link label: attaching, colours, hover capture, the click, and the fallback command.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/data_exchange.h"
#include "ui/framework/key_filter.h"
#include "ui/controls/hyperlink_label.h"

namespace scourix::test {
namespace {

TEST(LinkLogic, ColoursAndTheFallbackCommand) {
  LinkColours colours;
  colours.hover = RGB(1, 2, 3);
  EXPECT_EQ(colours.link, static_cast<COLORREF>(15597568));
  EXPECT_EQ(colours.visited, static_cast<COLORREF>(9116245));
  EXPECT_EQ(LinkTextColour(colours, false, false), colours.link);
  EXPECT_EQ(LinkTextColour(colours, false, true), colours.visited);
  EXPECT_EQ(LinkTextColour(colours, true, true), colours.hover);
  EXPECT_EQ(HtmlOpenCommand("\"C:\\b.exe\" -nohome \"%1\"", "http://x/"), "\"C:\\b.exe\" -nohome  http://x/");
  EXPECT_EQ(HtmlOpenCommand("C:\\b.exe", "http://x/"), "C:\\b.exe http://x/");
  const std::string longAddress(5000, 'a');  // no fixed buffer to overflow
  EXPECT_EQ(HtmlOpenCommand("b %1", longAddress).size(), 3 + longAddress.size());
}

// A label that does not really open anything.
class FakeLink : public HyperLinkLabel {
 public:
  INT_PTR openResult = 42;
  std::string opened;
  int openCount = 0;
  INT_PTR OpenTarget(const std::string& address, int) override {
    opened = address;
    ++openCount;
    return openResult;
  }
};

class LinkPage : public FilteredDialog {
 public:
  LinkPage() : FilteredDialog(IDD_DISK_PAGE) {}
  FakeLink link;

 protected:
  void DoDataExchange(DataExchange& exchange) override { exchange.Control(IDC_DISK_LINK, link); }
};

TEST(LinkLabel, TargetUnderlineTooltipHoverClickAndColour) {
  Dialog owner{IDD_MAIN};
  ASSERT_TRUE(owner.Create(nullptr));
  owner.Show(SW_SHOW);
  LinkPage page;
  ASSERT_TRUE(page.Create(owner.hwnd()));
  page.Show(SW_SHOW);
  FakeLink& link = page.link;
  {
    SCOPED_TRACE("attaching takes the text as target and underlines it");
    EXPECT_FALSE(link.target().empty());
    EXPECT_EQ(link.target(), link.GetText());
    EXPECT_TRUE(link.underlined());
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(link.Send(WM_GETFONT)), sizeof font, &font);
    EXPECT_NE(font.lfUnderline, 0);
    EXPECT_EQ(link.textColour(), RGB(0, 0, 238));
  }
  {
    SCOPED_TRACE("the tooltip follows the target");
    link.SetTarget("http://scourix.example.org/");
    char text[128] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = link.hwnd();
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageA(link.tooltip(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "http://scourix.example.org/");
  }
  {
    SCOPED_TRACE("hover captures the mouse until the pointer leaves");
    SendMessageA(link.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(GetCapture(), link.hwnd());
    EXPECT_EQ(link.textColour(), GetSysColor(COLOR_HIGHLIGHT));
    SendMessageA(link.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(-20, 3));
    EXPECT_FALSE(link.hovering());
    EXPECT_NE(GetCapture(), link.hwnd());
  }
  {
    SCOPED_TRACE("a click opens the target and marks it visited only on success");
    link.openResult = 2;  // ERROR_FILE_NOT_FOUND: a failure
    ClickButton(page.hwnd(), IDC_DISK_LINK);  // STN_CLICKED has the same code as BN_CLICKED
    EXPECT_EQ(link.openCount, 1);
    EXPECT_FALSE(link.visited());
    link.openResult = 42;
    ClickButton(page.hwnd(), IDC_DISK_LINK);
    EXPECT_EQ(link.opened, "http://scourix.example.org/");
    EXPECT_TRUE(link.visited());
    EXPECT_EQ(link.textColour(), RGB(85, 26, 139));
  }
  {
    SCOPED_TRACE("the colour request is answered by the label");
    HDC dc = CreateCompatibleDC(nullptr);
    const LRESULT brush = SendMessageA(page.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(link.hwnd()));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(GetTextColor(dc), RGB(85, 26, 139));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    DeleteDC(dc);
    link.SetUnderlined(false);
    EXPECT_FALSE(link.underlined());
  }
  DestroyWindow(owner.hwnd());
}

}  // namespace
}  // namespace scourix::test
