// The trace cleaning page on its own: the items and the browsers group and their
// descriptions. Its boxes, buttons and start are run end to end.
#include <gtest/gtest.h>

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "tests/core/fake_platform.h"
#include "tests/ui/ui_test_support.h"
#include "ui/pages/options_page.h"
#include "ui/pages/trace_clean_page.h"
#include "ui/pages/trace_items.h"

namespace scourix::test {
namespace {

TEST(TracePage, ItemsDescriptionsBoxesAndFlags) {
  FakePlatform platform;
  CleanEngine engine{platform};
  OptionsPage options{engine};
  TraceCleanPage page{engine, options};
  Dialog host{IDD_MAIN};
  TreeView tree;
  engine.choices().traceFlags.internetCookies = engine.choices().traceFlags.edgeCache = 0;
  ASSERT_TRUE(host.Create(nullptr));
  ASSERT_TRUE(page.Create(host.hwnd()));
  host.Show(SW_SHOW);
  page.Show(SW_SHOW);
  tree.Attach(page.Item(IDC_TRACE_TREE));
  std::vector<HTREEITEM> items = ItemsBelow(tree, TVI_ROOT);  // the items' texts are clicked end to end
  const HTREEITEM group = items.back();
  EXPECT_EQ(tree.GetItemText(group), kBrowserGroupText);
  items.pop_back();
  for (HTREEITEM browser : ItemsBelow(tree, group)) items.push_back(browser);
  EXPECT_EQ(page.traceItems(), items);
  PaintNow(host.hwnd());
  EXPECT_EQ((std::vector<CheckState>{BoxOf(tree, items[2]), BoxOf(tree, items[3]), BoxOf(tree, group)}),
            (std::vector<CheckState>{Unticked, Ticked, Partial}));  // Edge is off
  const std::vector<const TraceItem*> all = AllTraceItems();
  for (std::size_t i = 0; i < items.size(); ++i) {  // selecting an item shows its description
    tree.SelectItem(items[i]);
    EXPECT_EQ(WindowText(page.Item(IDC_TRACE_DESCRIPTION)), all[i]->description) << i;
  }
  ClickBox(tree, items[2]);  // clicked boxes reach the flags when the page goes
  DestroyWindow(page.hwnd());
  EXPECT_EQ(engine.choices().traceFlags.internetCookies, 1);
  DestroyWindow(host.hwnd());
}

}  // namespace
}  // namespace scourix::test
