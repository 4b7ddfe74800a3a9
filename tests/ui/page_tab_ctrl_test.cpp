// The tab control that hosts the pages.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/data_exchange.h"
#include "ui/framework/key_filter.h"
#include "ui/page_tab_ctrl.h"

namespace scourix::test {
namespace {

TEST(PageArea, IsTheClientAreaLessFivePixelsAndTheTabRow) {
  const RECT area = PageArea(RECT{0, 0, 400, 300}, 20);
  EXPECT_EQ(area.left, 5);
  EXPECT_EQ(area.top, 25);
  EXPECT_EQ(area.right, 395);
  EXPECT_EQ(area.bottom, 295);
}

class TabHost : public Dialog {
 public:
  TabHost() : Dialog(IDD_MAIN) {}
  PageTabCtrl tabs;

 protected:
  void DoDataExchange(DataExchange& exchange) override { exchange.Control(IDC_MAIN_TABS, tabs); }
};

class PageTabTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Create(nullptr));
    host.Show(SW_SHOW);
    for (FilteredDialog* page : {&disk, &trace, &options}) ASSERT_TRUE(page->Create(host.hwnd()));
    ASSERT_TRUE(tabs().AddPage("清理磁盘", &disk));
    ASSERT_TRUE(tabs().AddPage("清理临时文件", &trace));
    ASSERT_TRUE(tabs().AddPage("选项设置", &options));
  }
  void TearDown() override { DestroyWindow(host.hwnd()); }
  PageTabCtrl& tabs() { return host.tabs; }
  int VisiblePages() const {
    int count = 0;
    for (const FilteredDialog* page : {&disk, &trace, &options}) count += page->IsVisible() ? 1 : 0;
    return count;
  }
  void ClickTab(int index) {
    RECT rect{};
    tabs().GetItemRect(index, rect);
    ClickAt(tabs().hwnd(), POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    PumpPending();
  }

  TabHost host;
  FilteredDialog disk{IDD_DISK_PAGE};
  FilteredDialog trace{IDD_TRACE_PAGE};
  FilteredDialog options{IDD_OPTIONS_PAGE};
};

TEST_F(PageTabTest, TheFirstPageIsCurrentAndTheOnlyVisibleOne) {
  EXPECT_EQ(tabs().GetItemCount(), 3);
  EXPECT_EQ(tabs().GetItemText(1), "清理临时文件");
  EXPECT_EQ(tabs().GetCurSel(), 0);
  EXPECT_TRUE(disk.IsVisible());
  EXPECT_EQ(VisiblePages(), 1);
  EXPECT_EQ(GetParent(trace.hwnd()), tabs().hwnd());
}

TEST_F(PageTabTest, RefusesAMissingCaptionOrPage) {
  FilteredDialog unmade(IDD_RULES_PAGE);
  EXPECT_FALSE(tabs().AddPage("", &trace));
  EXPECT_FALSE(tabs().AddPage("自定义规则", nullptr));
  EXPECT_FALSE(tabs().AddPage("自定义规则", &unmade));
  EXPECT_EQ(tabs().GetItemCount(), 3);
  EXPECT_EQ(tabs().pageCount(), 3);
}

TEST_F(PageTabTest, ClickingATabHidesTheOldPageAndShowsTheNew) {
  ClickTab(2);
  EXPECT_EQ(tabs().GetCurSel(), 2);
  EXPECT_TRUE(options.IsVisible());
  EXPECT_EQ(VisiblePages(), 1);
  ClickTab(1);
  EXPECT_TRUE(trace.IsVisible());
  EXPECT_EQ(VisiblePages(), 1);
}

TEST_F(PageTabTest, TheControlHandlesItsOwnSelectionNotifications) {
  EXPECT_EQ(SendNotify(tabs().hwnd(), TCN_SELCHANGING), 0);
  EXPECT_FALSE(disk.IsVisible());  // hidden before the change
  tabs().SetCurSel(1);
  EXPECT_EQ(SendNotify(tabs().hwnd(), TCN_SELCHANGE), 0);
  EXPECT_TRUE(trace.IsVisible());
  EXPECT_EQ(VisiblePages(), 1);
}

TEST_F(PageTabTest, SelectPageShowsOnlyTheChosenPage) {
  tabs().SelectPage(2);
  EXPECT_EQ(tabs().GetCurSel(), 2);
  EXPECT_TRUE(options.IsVisible());
  EXPECT_EQ(VisiblePages(), 1);
  tabs().SelectPage(2);  // the current tab: nothing changes
  EXPECT_TRUE(options.IsVisible());
  tabs().SelectPage(7);  // no such tab: the current page stays
  EXPECT_EQ(tabs().GetCurSel(), 2);
  EXPECT_TRUE(options.IsVisible());
  EXPECT_EQ(VisiblePages(), 1);
}

TEST_F(PageTabTest, ResizingMovesEveryPageToTheDisplayArea) {
  const RECT before = tabs().WindowRect();
  tabs().Move(0, 0, before.right - before.left + 40, before.bottom - before.top + 30);
  RECT row{};
  tabs().GetItemRect(0, row);
  const RECT expected = PageArea(tabs().ClientRect(), row.bottom - row.top);
  for (const FilteredDialog* page : {&disk, &trace, &options}) {
    RECT rect = page->WindowRect();
    MapWindowPoints(nullptr, tabs().hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, expected.left);
    EXPECT_EQ(rect.top, expected.top);
    EXPECT_EQ(rect.right, expected.right);
    EXPECT_EQ(rect.bottom, expected.bottom);
  }
}

}  // namespace
}  // namespace scourix::test
