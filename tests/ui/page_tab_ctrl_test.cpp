// The tab control that hosts the pages.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/data_exchange.h"
#include "ui/framework/key_filter.h"
#include "ui/controls/page_tab_ctrl.h"

namespace scourix::test {
namespace {

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

TEST_F(PageTabTest, AddingSwitchingAndResizing) {
  {
    SCOPED_TRACE("the first page is current and the only visible one; bad pages are refused");
    FilteredDialog unmade(IDD_RULES_PAGE);
    EXPECT_FALSE(tabs().AddPage("", &trace));
    EXPECT_FALSE(tabs().AddPage("自定义规则", nullptr));
    EXPECT_FALSE(tabs().AddPage("自定义规则", &unmade));
    EXPECT_EQ(tabs().GetItemCount(), 3);
    EXPECT_EQ(tabs().pageCount(), 3);
    EXPECT_EQ(tabs().GetCurSel(), 0);
    EXPECT_TRUE(disk.IsVisible());
    EXPECT_EQ(VisiblePages(), 1);
  }
  {
    SCOPED_TRACE("clicking a tab hides the old page and shows the new");
    ClickTab(2);
    EXPECT_EQ(tabs().GetCurSel(), 2);
    EXPECT_TRUE(options.IsVisible());
    EXPECT_EQ(VisiblePages(), 1);
    ClickTab(1);
    EXPECT_TRUE(trace.IsVisible());
    EXPECT_EQ(VisiblePages(), 1);
  }
  {
    SCOPED_TRACE("SelectPage shows only the chosen page; no such tab changes nothing");
    tabs().SelectPage(2);
    EXPECT_EQ(tabs().GetCurSel(), 2);
    EXPECT_TRUE(options.IsVisible());
    tabs().SelectPage(7);
    EXPECT_EQ(tabs().GetCurSel(), 2);
    EXPECT_TRUE(options.IsVisible());
    EXPECT_EQ(VisiblePages(), 1);
  }
  {
    SCOPED_TRACE("resizing moves every page to the display area");
    const RECT before = tabs().WindowRect();
    tabs().Move(0, 0, before.right - before.left + 40, before.bottom - before.top + 30);
    RECT row{};
    tabs().GetItemRect(0, row);
    const RECT client = tabs().ClientRect();
    const RECT expected{client.left + 5, client.top + 5 + row.bottom - row.top, client.right - 5, client.bottom - 5};
    for (const FilteredDialog* page : {&disk, &trace, &options}) {
      RECT rect = page->WindowRect();
      MapWindowPoints(nullptr, tabs().hwnd(), reinterpret_cast<POINT*>(&rect), 2);
      EXPECT_TRUE(EqualRect(&rect, &expected)) << rect.left << "," << rect.top << "," << rect.right << ","
                                               << rect.bottom;
    }
  }
}

}  // namespace
}  // namespace scourix::test
