// The trace cleaning page on its own: the seven items, their descriptions and the
// rejected label edits. Its boxes, buttons and start are run end to end.
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
  engine.traceFlags.internetCookies = 0;
  ASSERT_TRUE(host.Create(nullptr));
  ASSERT_TRUE(page.Create(host.hwnd()));
  host.Show(SW_SHOW);
  page.Show(SW_SHOW);
  tree.Attach(page.Item(IDC_TRACE_TREE));
  const std::vector<HTREEITEM> items = ItemsBelow(tree, TVI_ROOT);
  EXPECT_EQ(TextsBelow(tree, TVI_ROOT),
            (std::vector<std::string>{"Temporary Internet files", "Internet explorer history.", "Internet Cookies.",
                                      "Offline Web pages.", "Recycle Bin.", "Windows Temp files.",
                                      "Windows Recent Documents."}));
  EXPECT_EQ(page.traceItems(), items);
  PaintNow(host.hwnd());
  EXPECT_EQ(BoxOf(tree, items[2]), Unticked);
  EXPECT_EQ(BoxOf(tree, items[3]), Ticked);
  for (int i = 0; i < kTraceItemCount; ++i) {  // selecting an item shows its description
    tree.SelectItem(items[i]);
    EXPECT_EQ(WindowText(page.Item(IDC_TRACE_DESCRIPTION)), TraceItems()[i].description) << i;
  }
  tree.SelectItem(tree.InsertItem("Other", 0, 1));  // a stranger leaves it
  EXPECT_EQ(WindowText(page.Item(IDC_TRACE_DESCRIPTION)), TraceItems()[6].description);
  SetFocus(tree.hwnd());  // label edits are not taken
  auto edit = reinterpret_cast<HWND>(tree.Send(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(items[4])));
  SetWindowTextA(edit, "Recycled things");
  tree.Send(TVM_ENDEDITLABELNOW, FALSE);
  EXPECT_EQ(tree.GetItemText(items[4]), "Recycle Bin.");
  ClickBox(tree, items[2]);  // clicked boxes reach the flags when the page goes
  DestroyWindow(page.hwnd());
  EXPECT_EQ(engine.traceFlags.internetCookies, 1);
  EXPECT_TRUE(page.traceItems().empty());
  DestroyWindow(host.hwnd());
}

}  // namespace
}  // namespace scourix::test
