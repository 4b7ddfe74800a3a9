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

// The flags in their declaration order, which is the items' order.
std::vector<Flag*> FlagsInOrder(TraceFlags& flags) {
  return {&flags.tempInternetFiles, &flags.internetHistory, &flags.internetCookies, &flags.offlinePages,
          &flags.recycleBin,        &flags.windowsTemp,     &flags.recentDocuments};
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
  for (const char* text : {"recycle bin.", "Recycle Bin", ""}) EXPECT_EQ(FindTraceItem(text), nullptr) << text;
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
  Open();
  const std::vector<HTREEITEM> items = Items();
  {
    SCOPED_TRACE("the seven items with the stored flags");
    EXPECT_EQ(TextsBelow(tree, TVI_ROOT), kItemTexts);
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
    EXPECT_EQ(FlagValues(), std::vector<int>(7, 1));
    PaintNow(host.hwnd());
    for (HTREEITEM item : items) EXPECT_EQ(BoxOf(tree, item), Ticked);
    ClickButton(page.hwnd(), IDC_TRACE_SELECT_NONE);
    EXPECT_EQ(FlagValues(), std::vector<int>(7, 0));
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
    DestroyWindow(page.hwnd());
    EXPECT_EQ(engine.traceFlags.internetCookies, 1);
    EXPECT_TRUE(page.traceItems().empty());
  }
}

}  // namespace
}  // namespace scourix::test
