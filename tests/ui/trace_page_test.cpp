// The trace cleaning page on its own: the seven items, their descriptions, the flags
// behind the boxes and the rejected label edits. Its start is run end to end.
#include <gtest/gtest.h>

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "tests/core/fake_platform.h"
#include "tests/ui/scan_page_probe.h"
#include "tests/ui/ui_test_support.h"
#include "ui/pages/options_page.h"
#include "ui/pages/trace_clean_page.h"
#include "ui/pages/trace_items.h"
#include "ui/scan_end_text.h"

namespace scourix::test {
namespace {

const std::vector<std::string> kItemTexts = {
    "Temporary Internet files", "Internet explorer history.", "Internet Cookies.", "Offline Web pages.",
    "Recycle Bin.",             "Windows Temp files.",        "Windows Recent Documents."};

const std::vector<std::string> kDescriptions = {
    "\tThe Temporary Internet Files folder contains Web pages stored on your hard disk for quick viewing. "
    "Your personalized settings for Web pages will be left intact.\t",
    "The History folder contains links to page you've visited , for quick access to recently viewed pages.",
    "The Cookies will be cleaned. This are temporary files ,its safe to sweep them off.",
    "The  will be clearing off line Pages.",
    "The Recycle Bin contains files you have deleted from your computer. These files are not permanently "
    "removed until you empty the Recycle Bin.",
    "Programs sometimes store temporary information in a TEMP folder. Before a program closes, it usually "
    "deletes this information.You can safely delete temporary files that have not been modified in over a "
    "week.",
    "The Documents history will be cleaned. This are temporary history files ,its safe to sweep them off."};

const std::vector<std::string> kBrowserTexts = {"Google Chrome", "Microsoft Edge", "Mozilla Firefox", "360安全浏览器",
                                                "360极速浏览器", "QQ浏览器",       "2345浏览器"};

// The flags in their declaration order, which is the items' order.
std::vector<Flag*> FlagsInOrder(TraceFlags& flags) {
  return {&flags.tempInternetFiles, &flags.internetHistory, &flags.internetCookies,  &flags.offlinePages,
          &flags.recycleBin,        &flags.windowsTemp,     &flags.recentDocuments,  &flags.chromeCache,
          &flags.edgeCache,         &flags.firefoxCache,    &flags.safe360Cache,     &flags.speed360Cache,
          &flags.qqBrowserCache,    &flags.browser2345Cache};
}

TEST(TraceItems, TextsFlagsAndDescriptionsInTreeOrder) {
  const auto& items = TraceItems();
  TraceFlags flags;
  const std::vector<Flag*> ordered = FlagsInOrder(flags);
  for (int i = 0; i < kTraceItemCount; ++i) {
    EXPECT_EQ(items[i].text, kItemTexts[i]);
    EXPECT_EQ(items[i].description, kDescriptions[i]) << items[i].text;
    EXPECT_EQ(&(flags.*items[i].flag), ordered[i]) << items[i].text;
    EXPECT_EQ(FindTraceItem(kItemTexts[i]), &items[i]);
  }
  const std::vector<const TraceItem*> all = AllTraceItems();
  ASSERT_EQ(all.size(), ordered.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(all[i]->text, i < kItemTexts.size() ? kItemTexts[i] : kBrowserTexts[i - kItemTexts.size()]);
    EXPECT_EQ(&(flags.*all[i]->flag), ordered[i]) << all[i]->text;
    EXPECT_EQ(FindTraceItem(all[i]->text), all[i]);
  }
  for (const char* text : {"recycle bin.", "Recycle Bin", "", kBrowserGroupText}) {
    EXPECT_EQ(FindTraceItem(text), nullptr) << text;
  }
}

class TracePageTest : public testing::Test {
 protected:
  TracePageTest() { engine.setPacing(false); }
  ~TracePageTest() override {
    if (page.exists()) DestroyWindow(page.hwnd());
  }

  void Open() {
    ASSERT_TRUE(page.Create(host.hwnd()));
    page.Show(SW_SHOW);
    tree.Attach(page.Item(IDC_TRACE_TREE));
    PaintNow(host.hwnd());
  }
  std::vector<HTREEITEM> Items() const { return ItemsBelow(tree, TVI_ROOT); }
  HTREEITEM Item(const std::string& text) const { return FindItem(tree, TVI_ROOT, text); }
  std::string DescriptionField() const { return WindowText(page.Item(IDC_TRACE_DESCRIPTION)); }
  std::vector<int> FlagValues() {
    std::vector<int> values;
    for (Flag* flag : FlagsInOrder(engine.traceFlags)) values.push_back(*flag);
    return values;
  }

  FakePlatform platform;
  CleanEngine engine{platform};
  OptionsPage options{engine};
  TraceCleanPage page{engine, options};
  PageHost host;
  TreeView tree;
};

TEST_F(TracePageTest, ItemsDescriptionsBoxesAndFlags) {
  engine.traceFlags.internetCookies = 0;
  engine.traceFlags.recycleBin = 0;
  engine.traceFlags.edgeCache = 0;
  Open();
  std::vector<HTREEITEM> items = Items();
  const HTREEITEM group = items.back();
  {
    SCOPED_TRACE("the seven items, then the browsers' group, with the stored flags");
    std::vector<std::string> rootTexts = kItemTexts;
    rootTexts.push_back(kBrowserGroupText);
    EXPECT_EQ(TextsBelow(tree, TVI_ROOT), rootTexts);
    EXPECT_EQ(TextsBelow(tree, group), kBrowserTexts);
    EXPECT_EQ(BoxOf(tree, group), Partial);
    EXPECT_EQ(BoxOf(tree, ItemsBelow(tree, group)[1]), Unticked);
    items.pop_back();
    for (HTREEITEM browser : ItemsBelow(tree, group)) items.push_back(browser);
    EXPECT_EQ(page.traceItems(), items);
    for (int i = 0; i < kTraceItemCount; ++i) {
      EXPECT_EQ(BoxOf(tree, items[i]), i == 2 || i == 4 ? Unticked : Ticked) << kItemTexts[i];
    }
  }
  {
    SCOPED_TRACE("selecting an item shows its description exactly; a stranger leaves it");
    for (int i = 0; i < kTraceItemCount; ++i) {
      tree.SelectItem(items[i]);
      EXPECT_EQ(DescriptionField(), kDescriptions[i]) << kItemTexts[i];
    }
    tree.SelectItem(tree.InsertItem("Other", 0, 1));
    EXPECT_EQ(DescriptionField(), kDescriptions[6]);
  }
  {
    SCOPED_TRACE("label edits are not taken");
    SetFocus(tree.hwnd());
    auto edit = reinterpret_cast<HWND>(tree.Send(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(items[4])));
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, "Recycled things");
    tree.Send(TVM_ENDEDITLABELNOW, FALSE);
    EXPECT_EQ(tree.GetItemText(items[4]), "Recycle Bin.");
  }
  {
    SCOPED_TRACE("select all and none set the seven flags at once");
    ClickButton(page.hwnd(), IDC_TRACE_SELECT_ALL);
    EXPECT_EQ(FlagValues(), std::vector<int>(14, 1));
    PaintNow(host.hwnd());
    for (HTREEITEM item : items) EXPECT_EQ(BoxOf(tree, item), Ticked);
    ClickButton(page.hwnd(), IDC_TRACE_SELECT_NONE);
    EXPECT_EQ(FlagValues(), std::vector<int>(14, 0));
    PaintNow(host.hwnd());
    for (HTREEITEM item : items) EXPECT_EQ(BoxOf(tree, item), Unticked);
  }
  {
    SCOPED_TRACE("clicked boxes reach the flags when read, and when the page goes");
    ClickBox(tree, items[4]);
    PaintNow(host.hwnd());
    EXPECT_EQ(BoxOf(tree, items[4]), Ticked);
    EXPECT_EQ(BoxOf(tree, items[5]), Unticked);  // top-level items stand alone
    EXPECT_EQ(engine.traceFlags.recycleBin, 0);
    page.ReadTraceChecks();
    EXPECT_EQ(engine.traceFlags.recycleBin, 1);
    ClickBox(tree, items[2]);
    ClickBox(tree, group);
    DestroyWindow(page.hwnd());
    EXPECT_EQ(engine.traceFlags.internetCookies, 1);
    EXPECT_EQ(FlagValues(), (std::vector<int>{0, 0, 1, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_TRUE(page.traceItems().empty());
  }
}

TEST(ScanEndText, ATraceScanSaysHowManyFoldersItCouldNotList) {
  EXPECT_EQ(ScanEndText(ScanKind::Trace, 0), "扫描完毕");
  EXPECT_EQ(ScanEndText(ScanKind::Trace, 12), "扫描完毕，有 12 个位置无法读取");
  EXPECT_EQ(ScanEndText(ScanKind::Disk, 12), "扫描完毕");
}

}  // namespace
}  // namespace scourix::test
