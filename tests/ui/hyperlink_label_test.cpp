// The link label: attaching, colours, hover capture, the click, and the fallback command.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/data_exchange.h"
#include "ui/framework/key_filter.h"
#include "ui/hyperlink_label.h"

namespace scourix::test {
namespace {

TEST(LinkTextColour, HoverWinsThenVisitedThenLink) {
  LinkColours colours;
  colours.hover = RGB(1, 2, 3);
  EXPECT_EQ(colours.link, static_cast<COLORREF>(15597568));
  EXPECT_EQ(colours.visited, static_cast<COLORREF>(9116245));
  EXPECT_EQ(LinkTextColour(colours, false, false), colours.link);
  EXPECT_EQ(LinkTextColour(colours, false, true), colours.visited);
  EXPECT_EQ(LinkTextColour(colours, true, true), colours.hover);
}

TEST(HtmlOpenCommand, CutsAtThePlaceholderAndAppendsTheAddress) {
  EXPECT_EQ(HtmlOpenCommand("\"C:\\b.exe\" -nohome \"%1\"", "http://x/"), "\"C:\\b.exe\" -nohome  http://x/");
  EXPECT_EQ(HtmlOpenCommand("C:\\b.exe %1 -x", "http://x/"), "C:\\b.exe  http://x/");
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

class LinkTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.Create(nullptr));
    owner.Show(SW_SHOW);
  }
  void TearDown() override { DestroyWindow(owner.hwnd()); }
  HFONT LinkFont(HyperLinkLabel& link) { return reinterpret_cast<HFONT>(link.Send(WM_GETFONT)); }
  bool Underlined(HyperLinkLabel& link) {
    LOGFONTA font{};
    GetObjectA(LinkFont(link), sizeof font, &font);
    return font.lfUnderline != 0;
  }
  LRESULT MouseMove(HyperLinkLabel& link, int x, int y) {
    return SendMessageA(link.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  }

  Dialog owner{IDD_MAIN};
};

TEST_F(LinkTest, AttachingTakesTheTextAsTargetAndSetsUpTheLabel) {
  LinkPage page;
  ASSERT_TRUE(page.Create(owner.hwnd()));
  EXPECT_FALSE(page.link.target().empty());
  EXPECT_EQ(page.link.target(), page.link.GetText());
  EXPECT_NE(page.link.Style() & SS_NOTIFY, 0);
  EXPECT_TRUE(Underlined(page.link));
  EXPECT_NE(page.link.tooltip(), nullptr);
  EXPECT_EQ(SendMessageA(page.link.tooltip(), TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(page.link.textColour(), RGB(0, 0, 238));
  page.link.SetUnderlined(false);
  EXPECT_FALSE(Underlined(page.link));
}

// A page whose link control has no text of its own.
class EmptyTextLinkPage : public LinkPage {
 protected:
  BOOL OnInitDialog() override {
    SetDlgItemTextA(hwnd(), IDC_DISK_LINK, "");
    return LinkPage::OnInitDialog();
  }
};

TEST_F(LinkTest, AnEmptyLabelShowsItsTargetAndATargetKeepsTheText) {
  EmptyTextLinkPage empty;
  empty.link.SetTarget("http://x.example.org/");
  ASSERT_TRUE(empty.Create(owner.hwnd()));
  EXPECT_EQ(empty.link.GetText(), "http://x.example.org/");

  LinkPage page;
  page.link.SetTarget("http://scourix.example.org/");
  ASSERT_TRUE(page.Create(owner.hwnd()));
  EXPECT_EQ(page.link.target(), "http://scourix.example.org/");
  EXPECT_FALSE(page.link.GetText().empty());  // the resource's text stays
  EXPECT_NE(page.link.GetText(), page.link.target());
}

TEST_F(LinkTest, TheTooltipFollowsTheTarget) {
  LinkPage page;
  ASSERT_TRUE(page.Create(owner.hwnd()));
  page.link.SetTarget("http://other.example.org/");
  char text[128] = {};
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = page.link.hwnd();
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageA(page.link.tooltip(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, "http://other.example.org/");
}

TEST_F(LinkTest, HoverCapturesTheMouseUntilThePointerLeaves) {
  LinkPage page;
  ASSERT_TRUE(page.Create(owner.hwnd()));
  page.Show(SW_SHOW);
  MouseMove(page.link, 2, 2);
  EXPECT_TRUE(page.link.hovering());
  EXPECT_EQ(GetCapture(), page.link.hwnd());
  EXPECT_EQ(page.link.textColour(), GetSysColor(COLOR_HIGHLIGHT));
  MouseMove(page.link, 3, 3);  // still inside
  EXPECT_TRUE(page.link.hovering());
  MouseMove(page.link, -20, 3);
  EXPECT_FALSE(page.link.hovering());
  EXPECT_NE(GetCapture(), page.link.hwnd());
  EXPECT_EQ(page.link.textColour(), RGB(0, 0, 238));
}

TEST_F(LinkTest, AClickOpensTheTargetAndMarksItVisitedOnSuccess) {
  LinkPage page;
  ASSERT_TRUE(page.Create(owner.hwnd()));
  page.link.SetTarget("http://scourix.example.org/");
  page.link.openResult = 2;  // ERROR_FILE_NOT_FOUND: a failure
  ClickButton(page.hwnd(), IDC_DISK_LINK);  // STN_CLICKED has the same code as BN_CLICKED
  EXPECT_EQ(page.link.openCount, 1);
  EXPECT_FALSE(page.link.visited());
  EXPECT_EQ(page.link.textColour(), RGB(0, 0, 238));
  page.link.openResult = 42;
  ClickButton(page.hwnd(), IDC_DISK_LINK);
  EXPECT_EQ(page.link.opened, "http://scourix.example.org/");
  EXPECT_TRUE(page.link.visited());
  EXPECT_EQ(page.link.textColour(), RGB(85, 26, 139));
}

TEST_F(LinkTest, TheColourRequestIsAnsweredByTheLabel) {
  LinkPage page;
  ASSERT_TRUE(page.Create(owner.hwnd()));
  HDC dc = CreateCompatibleDC(nullptr);
  const LRESULT brush = SendMessageA(page.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(page.link.hwnd()));
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 238));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  DeleteDC(dc);
}

}  // namespace
}  // namespace scourix::test
