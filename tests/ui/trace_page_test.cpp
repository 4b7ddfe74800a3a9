// The trace cleaning page on its own: the seven items, their descriptions, the flags
// behind the boxes, the rejected label edits, the progress mirroring and the start.
#include <gtest/gtest.h>

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "tests/core/fake_platform.h"
#include "tests/ui/scan_page_probe.h"
#include "tests/ui/ui_test_support.h"
#include "ui/options_page.h"
#include "ui/progress_mirror.h"
#include "ui/scan_busy_notice.h"
#include "ui/trace_clean_page.h"
#include "ui/trace_items.h"

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
  }
}

TEST(TraceItems, TheLookupIsExactAndCaseSensitive) {
  ASSERT_NE(FindTraceItem("Recycle Bin."), nullptr);
  EXPECT_EQ(FindTraceItem("Recycle Bin.")->flag, &TraceFlags::recycleBin);
  EXPECT_EQ(FindTraceItem("recycle bin."), nullptr);
  EXPECT_EQ(FindTraceItem("Recycle Bin"), nullptr);
  EXPECT_EQ(FindTraceItem(""), nullptr);
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
  HWND Bar() const { return page.Item(IDC_TRACE_PROGRESS); }
  HWND StartButton() const { return page.Item(IDC_TRACE_START); }
  std::string PathField() const { return WindowText(page.Item(IDC_TRACE_PATH)); }
  std::string DescriptionField() const { return WindowText(page.Item(IDC_TRACE_DESCRIPTION)); }
  std::vector<int> FlagValues() {
    std::vector<int> values;
    for (Flag* flag : FlagsInOrder(engine.traceFlags)) values.push_back(*flag);
    return values;
  }
  void Timer() { SendMessageA(page.hwnd(), WM_TIMER, kProgressTimerId, 0); }

  FakePlatform platform;
  CleanEngine engine{platform};
  OptionsPage options{engine};
  TraceCleanPage page{engine, options};
  PageHost host;
  TreeView tree;
};

TEST_F(TracePageTest, ShowsTheSevenItemsWithTheStoredFlags) {
  engine.traceFlags.internetCookies = 0;
  engine.traceFlags.recycleBin = 0;
  Open();
  EXPECT_EQ(TextsBelow(tree, TVI_ROOT), kItemTexts);
  const std::vector<HTREEITEM> items = Items();
  EXPECT_EQ(page.traceItems(), items);
  for (int i = 0; i < kTraceItemCount; ++i) {
    EXPECT_EQ(tree.GetChild(items[i]), nullptr);
    EXPECT_EQ(BoxOf(tree, items[i]), i == 2 || i == 4 ? Unticked : Ticked) << kItemTexts[i];
  }
}

TEST_F(TracePageTest, SelectingAnItemShowsItsDescriptionExactly) {
  Open();
  const std::vector<HTREEITEM> items = Items();
  for (int i = 0; i < kTraceItemCount; ++i) {
    tree.SelectItem(items[i]);
    EXPECT_EQ(DescriptionField(), kDescriptions[i]) << kItemTexts[i];
    EXPECT_EQ(page.descriptionText(), kDescriptions[i]);
  }
  tree.SelectItem(Item("Offline Web pages."));
  EXPECT_EQ(DescriptionField(), "The  will be clearing off line Pages.");

  // A text of none of the seven leaves the description as it is.
  HTREEITEM stranger = tree.InsertItem("Other", 0, 1);
  tree.SelectItem(stranger);
  EXPECT_EQ(DescriptionField(), "The  will be clearing off line Pages.");
}

TEST_F(TracePageTest, SelectNoneAndAllSetTheSevenFlagsAtOnce) {
  engine.traceFlags.offlinePages = 0;
  Open();
  ClickButton(page.hwnd(), IDC_TRACE_SELECT_NONE);
  EXPECT_EQ(FlagValues(), std::vector<int>(7, 0));
  PaintNow(host.hwnd());
  for (HTREEITEM item : Items()) EXPECT_EQ(BoxOf(tree, item), Unticked);
  ClickButton(page.hwnd(), IDC_TRACE_SELECT_ALL);
  EXPECT_EQ(FlagValues(), std::vector<int>(7, 1));
  PaintNow(host.hwnd());
  for (HTREEITEM item : Items()) EXPECT_EQ(BoxOf(tree, item), Ticked);
}

TEST_F(TracePageTest, ClickedBoxesReachTheFlagsWhenTheyAreRead) {
  Open();
  ClickBox(tree, Item("Recycle Bin."));
  PaintNow(host.hwnd());
  EXPECT_EQ(BoxOf(tree, Item("Recycle Bin.")), Unticked);
  EXPECT_EQ(BoxOf(tree, Item("Windows Temp files.")), Ticked);  // top-level items stand alone
  EXPECT_EQ(engine.traceFlags.recycleBin, 1);
  page.ReadTraceChecks();
  EXPECT_EQ(engine.traceFlags.recycleBin, 0);
  EXPECT_EQ(engine.traceFlags.windowsTemp, 1);
}

TEST_F(TracePageTest, DestroyingThePageReadsTheBoxesAndForgetsTheItems) {
  Open();
  ClickBox(tree, Item("Internet Cookies."));
  DestroyWindow(page.hwnd());
  EXPECT_EQ(engine.traceFlags.internetCookies, 0);
  EXPECT_TRUE(page.traceItems().empty());
  engine.traceFlags.internetCookies = 1;
  page.ReadTraceChecks();
  EXPECT_EQ(engine.traceFlags.internetCookies, 1);
}

TEST_F(TracePageTest, LabelEditsAreNotTaken) {
  Open();
  HTREEITEM item = Item("Recycle Bin.");
  SetFocus(tree.hwnd());
  auto edit = reinterpret_cast<HWND>(tree.Send(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item)));
  ASSERT_NE(edit, nullptr);
  SetWindowTextA(edit, "Recycled things");
  tree.Send(TVM_ENDEDITLABELNOW, FALSE);
  EXPECT_EQ(tree.GetItemText(item), "Recycle Bin.");
  tree.SelectItem(item);
  EXPECT_EQ(DescriptionField(), kDescriptions[4]);
}

TEST_F(TracePageTest, TheTimerMirrorsOnlyARunningTraceScan) {
  Open();
  engine.setCurrentPath("C:\\Documents and Settings\\a\\Cookies\\c.txt");
  engine.progressPos = 17;
  engine.diskScanRunning = 1;
  Timer();
  EXPECT_EQ(PathField(), "");
  EXPECT_EQ(ProgressPos(Bar()), 0);
  engine.diskScanRunning = 0;
  engine.traceScanRunning = 1;
  Timer();
  EXPECT_EQ(PathField(), "C:\\Documents and Settings\\a\\Cookies\\c.txt");
  EXPECT_EQ(page.pathText(), PathField());
  EXPECT_EQ(ProgressPos(Bar()), 17);
  engine.traceScanRunning = 0;
}

TEST_F(TracePageTest, StartReadsTheBoxesAndPreparesTheBar) {
  Open();
  ClickButton(page.hwnd(), IDC_TRACE_SELECT_NONE);
  ClickBox(tree, Item("Windows Temp files."));
  SendMessageA(StartButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(FlagValues(), (std::vector<int>{0, 0, 0, 0, 0, 1, 0}));
  EXPECT_EQ(ProgressRangeHigh(Bar()), 15000);
  EXPECT_EQ(ProgressPos(Bar()), 0);
  EXPECT_FALSE(IsWindowEnabled(StartButton()));
  engine.waitForScan();
  EXPECT_EQ(engine.progressMax, 15000);
  EXPECT_EQ(engine.foundCount(), 0);
}

TEST_F(TracePageTest, TheEndOfAScanFillsThenEmptiesTheControls) {
  Open();
  ClickButton(page.hwnd(), IDC_TRACE_SELECT_NONE);
  SendMessageA(StartButton(), BM_CLICK, 0, 0);
  engine.waitForScan();
  engine.traceScanRunning = 1;
  engine.setCurrentPath("C:\\RECYCLER\\x.dat");
  Timer();
  engine.traceScanRunning = 0;
  page.ShowFullProgress(15000);
  EXPECT_EQ(ProgressPos(Bar()), 15000);
  page.EnableStartButton();
  EXPECT_TRUE(IsWindowEnabled(StartButton()));
  page.ResetProgress();
  EXPECT_EQ(ProgressPos(Bar()), 0);
  EXPECT_EQ(PathField(), "");
  EXPECT_EQ(page.pathText(), "");
}

TEST_F(TracePageTest, AStartDuringADiskScanIsRefusedAndChangesNothing) {
  ListingGate gate("C:\\");
  platform.listingHook = [&](const std::string& dir) { return gate.Hold(dir); };
  platform.memoryDirs["C:\\"] = {};
  DriveEntry drive;
  drive.root = drive.displayName = "C:\\";
  engine.drives.push_back(drive);
  Open();
  ClickBox(tree, Item("Internet Cookies."));
  ASSERT_TRUE(engine.startDiskScan());
  ASSERT_TRUE(PumpUntil([&] { return gate.reached(); }));
  engine.setCurrentPath("C:\\scanned.tmp");

  MessageBoxAnswerer answer;
  SendMessageA(StartButton(), BM_CLICK, 0, 0);
  ASSERT_EQ(answer.count(), 1);
  EXPECT_EQ(answer.boxes()[0].caption, "提示");
  EXPECT_EQ(answer.boxes()[0].text, kScanBusyText);
  EXPECT_TRUE(IsWindowEnabled(StartButton()));
  EXPECT_EQ(ProgressRangeHigh(Bar()), 100);
  EXPECT_EQ(engine.traceFlags.internetCookies, 1);  // the boxes were not read
  EXPECT_EQ(engine.progressMax, 200000);

  Timer();  // the disk scan's progress is not this page's
  EXPECT_EQ(PathField(), "");
  EXPECT_EQ(ProgressPos(Bar()), 0);
  gate.Open();
  engine.waitForScan();
}

TEST_F(TracePageTest, EnterAndEscStartNothingAndCloseNothing) {
  Open();
  for (HWND target : {tree.hwnd(), StartButton(), page.Item(IDC_TRACE_SELECT_NONE)}) {
    SetFocus(target);
    PressKey(target, VK_RETURN);
    PressKey(target, VK_ESCAPE);
  }
  EXPECT_FALSE(engine.scanBusy());
  EXPECT_EQ(ProgressRangeHigh(Bar()), 100);
  EXPECT_EQ(FlagValues(), std::vector<int>(7, 1));
  EXPECT_TRUE(page.IsVisible());
}

}  // namespace
}  // namespace scourix::test
