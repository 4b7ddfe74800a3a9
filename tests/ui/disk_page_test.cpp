// The disk cleaning page on its own: the drive tree and its boxes, the selection buttons,
// the support block, the progress mirroring, the start of a scan and its refusal.
#include <gtest/gtest.h>

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "tests/core/fake_platform.h"
#include "tests/ui/scan_page_probe.h"
#include "tests/ui/ui_test_support.h"
#include "ui/check_choice.h"
#include "ui/disk_clean_page.h"
#include "ui/drive_checks.h"
#include "ui/framework/control_hooks.h"
#include "ui/options_page.h"
#include "ui/progress_mirror.h"
#include "ui/scan_busy_notice.h"

namespace scourix::test {
namespace {

DriveEntry StoredDrive(const std::string& root, std::int32_t selected) {
  DriveEntry drive;
  drive.root = drive.displayName = root;
  drive.selected = selected;
  return drive;
}

TEST(DriveChecks, PartialAndTickedBoxesSelectADrive) {
  std::vector<DriveEntry> drives = {StoredDrive("C:\\", 0), StoredDrive("D:\\", 0), StoredDrive("E:\\", 1),
                                    StoredDrive("F:\\", 1), StoredDrive("G:\\", 1)};
  const CheckState boxes[] = {Ticked, Partial, Unticked, NoBox};
  for (int i = 0; i < 4; ++i) drives[i].treeItem = static_cast<TreeItemHandle>(i + 1);
  ReadBackDriveChecks(drives, [&](TreeItemHandle item) { return boxes[item - 1]; });
  EXPECT_EQ(drives[0].selected, 1);
  EXPECT_EQ(drives[1].selected, 1);
  EXPECT_EQ(drives[2].selected, 0);
  EXPECT_EQ(drives[3].selected, 0);
  EXPECT_EQ(drives[4].selected, 1);  // no tree item: keeps its flag

  ForgetDriveItems(drives);
  for (const DriveEntry& drive : drives) EXPECT_EQ(drive.treeItem, 0u);
}

TEST(DriveChecks, OnlyAFlagOfOneShowsTicked) {
  EXPECT_EQ(CheckFromFlag(1), Ticked);
  EXPECT_EQ(CheckFromFlag(0), Unticked);
  EXPECT_EQ(CheckFromFlag(2), Unticked);
  EXPECT_EQ(FlagFromCheck(Partial), 1);
  EXPECT_EQ(FlagFromCheck(NoBox), 0);
}

class DiskPageTest : public testing::Test {
 protected:
  DiskPageTest() {
    for (const char* root : {"C:\\", "D:\\", "E:\\"}) platform.driveTypes[root] = kDriveFixed;
    engine.setPacing(false);
  }
  ~DiskPageTest() override {
    if (page.exists()) DestroyWindow(page.hwnd());
  }

  void Open() {
    ASSERT_TRUE(page.Create(host.hwnd()));
    page.Show(SW_SHOW);
    tree.Attach(page.Item(IDC_DISK_TREE));
    PaintNow(host.hwnd());
  }
  HTREEITEM Root() const { return tree.GetRoot(); }
  std::vector<HTREEITEM> Drives() const { return ItemsBelow(tree, Root()); }
  HTREEITEM Drive(const std::string& root) const { return FindItem(tree, Root(), root); }
  HWND Bar() const { return page.Item(IDC_DISK_PROGRESS); }
  HWND StartButton() const { return page.Item(IDC_DISK_START); }
  std::string PathField() const { return WindowText(page.Item(IDC_DISK_PATH)); }
  std::int32_t Selected(const std::string& root) const {
    for (const DriveEntry& drive : engine.drives) {
      if (drive.root == root) return drive.selected;
    }
    ADD_FAILURE() << "no drive " << root;
    return -1;
  }
  void Timer() { SendMessageA(page.hwnd(), WM_TIMER, kProgressTimerId, 0); }

  FakePlatform platform;
  CleanEngine engine{platform};
  OptionsPage options{engine};
  DiskCleanPage page{engine, options};
  PageHost host;
  TreeView tree;
};

TEST_F(DiskPageTest, ShowsTheFixedDrivesUnderMyComputerWithTheStoredChoices) {
  engine.drives.push_back(StoredDrive("D:\\", 0));
  engine.drives.push_back(StoredDrive("Q:\\", 1));  // gone since: dropped
  Open();
  ASSERT_NE(Root(), nullptr);
  EXPECT_EQ(tree.GetItemText(Root()), "我的电脑");
  EXPECT_EQ(tree.GetNextSibling(Root()), nullptr);
  EXPECT_NE(tree.GetItemState(Root(), TVIS_EXPANDED) & TVIS_EXPANDED, 0u);
  EXPECT_EQ(TextsBelow(tree, Root()), (std::vector<std::string>{"D:\\", "C:\\", "E:\\"}));
  const std::vector<HTREEITEM> drives = Drives();
  ASSERT_EQ(engine.driveCount(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(engine.drives[i].treeItem, reinterpret_cast<TreeItemHandle>(drives[i]));
  EXPECT_EQ(BoxOf(tree, drives[0]), Unticked);
  EXPECT_EQ(BoxOf(tree, drives[1]), Ticked);
  EXPECT_EQ(BoxOf(tree, drives[2]), Ticked);
  EXPECT_EQ(BoxOf(tree, Root()), Partial);
  EXPECT_NE(tree.GetImageList(TVSIL_STATE), nullptr);
  EXPECT_NE(tree.GetImageList(TVSIL_NORMAL), nullptr);
}

TEST_F(DiskPageTest, TheRootBoxSumsUpTheDrives) {
  Open();
  EXPECT_EQ(BoxOf(tree, Root()), Ticked);  // new drives come selected
  ClickBox(tree, Drive("D:\\"));
  PaintNow(host.hwnd());
  EXPECT_EQ(BoxOf(tree, Drive("D:\\")), Unticked);
  EXPECT_EQ(BoxOf(tree, Root()), Partial);
  ClickBox(tree, Drive("C:\\"));
  ClickBox(tree, Drive("E:\\"));
  PaintNow(host.hwnd());
  EXPECT_EQ(BoxOf(tree, Root()), Unticked);
  // Clicks reach the flags only when the page reads its boxes.
  EXPECT_EQ(Selected("C:\\"), 1);
  page.ReadDriveChecks();
  EXPECT_EQ(Selected("C:\\"), 0);
  EXPECT_EQ(Selected("D:\\"), 0);
  EXPECT_EQ(Selected("E:\\"), 0);
}

TEST_F(DiskPageTest, ClickingTheRootBoxTicksEveryDrive) {
  Open();
  ClickButton(page.hwnd(), IDC_DISK_SELECT_NONE);
  ClickBox(tree, Root());
  PaintNow(host.hwnd());
  for (HTREEITEM drive : Drives()) EXPECT_EQ(BoxOf(tree, drive), Ticked);
  EXPECT_EQ(Selected("D:\\"), 0);
  page.ReadDriveChecks();
  for (const DriveEntry& drive : engine.drives) EXPECT_EQ(drive.selected, 1) << drive.root;
}

TEST_F(DiskPageTest, SpaceTogglesTheSelectedDrive) {
  Open();
  tree.SelectItem(Drive("E:\\"));
  SetFocus(tree.hwnd());
  PressKey(tree.hwnd(), VK_SPACE);
  EXPECT_EQ(BoxOf(tree, Drive("E:\\")), Unticked);
  EXPECT_EQ(BoxOf(tree, Root()), Partial);
}

TEST_F(DiskPageTest, SelectAllAndNoneChangeTheFlagsAtOnce) {
  engine.drives.push_back(StoredDrive("C:\\", 0));
  Open();
  ClickButton(page.hwnd(), IDC_DISK_SELECT_ALL);
  for (const DriveEntry& drive : engine.drives) EXPECT_EQ(drive.selected, 1) << drive.root;
  PaintNow(host.hwnd());
  EXPECT_EQ(BoxOf(tree, Root()), Ticked);
  for (HTREEITEM drive : Drives()) EXPECT_EQ(BoxOf(tree, drive), Ticked);

  ClickButton(page.hwnd(), IDC_DISK_SELECT_NONE);
  for (const DriveEntry& drive : engine.drives) EXPECT_EQ(drive.selected, 0) << drive.root;
  PaintNow(host.hwnd());
  EXPECT_EQ(BoxOf(tree, Root()), Unticked);
  for (HTREEITEM drive : Drives()) EXPECT_EQ(BoxOf(tree, drive), Unticked);
}

TEST_F(DiskPageTest, WithoutFixedDrivesOnlyTheUntickedRootShowsAndAScanEndsAtOnce) {
  platform.driveTypes.clear();
  Open();
  ASSERT_NE(Root(), nullptr);
  EXPECT_TRUE(Drives().empty());
  EXPECT_EQ(BoxOf(tree, Root()), Unticked);
  SendMessageA(StartButton(), BM_CLICK, 0, 0);
  engine.waitForScan();
  EXPECT_FALSE(engine.scanBusy());
  EXPECT_EQ(engine.foundCount(), 0);
  EXPECT_TRUE(platform.listedDirs.empty());
}

TEST_F(DiskPageTest, TheSupportBlockShowsTheSiteAndTheAddress) {
  Open();
  EXPECT_EQ(WindowText(page.Item(IDC_DISK_LINK)), "www.scourix.com");
  auto* link = dynamic_cast<HyperLinkLabel*>(ControlHooks::FromHandle(page.Item(IDC_DISK_LINK)));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->target(), "http://www.scourix.com");
  EXPECT_TRUE(link->underlined());
  HWND email = page.Item(IDC_DISK_EMAIL);
  EXPECT_EQ(WindowText(email), "support@scourix.com");
  EXPECT_NE(GetWindowLongPtrA(email, GWL_STYLE) & ES_READONLY, 0);
}

TEST_F(DiskPageTest, TheTimerMirrorsOnlyARunningDiskScan) {
  Open();
  engine.setCurrentPath("C:\\work\\a.tmp");
  engine.progressPos = 42;
  Timer();
  engine.traceScanRunning = 1;  // another kind of scan is no business of this page
  Timer();
  EXPECT_EQ(PathField(), "");
  EXPECT_EQ(ProgressPos(Bar()), 0);

  engine.traceScanRunning = 0;
  engine.diskScanRunning = 1;
  Timer();
  EXPECT_EQ(PathField(), "C:\\work\\a.tmp");
  EXPECT_EQ(page.pathText(), "C:\\work\\a.tmp");
  EXPECT_EQ(ProgressPos(Bar()), 42);

  engine.diskScanRunning = 0;
  engine.setCurrentPath("C:\\work\\b.tmp");
  engine.progressPos = 50;
  Timer();
  EXPECT_EQ(PathField(), "C:\\work\\a.tmp");
  EXPECT_EQ(ProgressPos(Bar()), 42);
}

TEST_F(DiskPageTest, StartReadsTheBoxesPreparesTheBarAndScansTheTickedDrives) {
  platform.memoryDirs["C:\\"] = {fileEntry("a.bak"), fileEntry("b.txt")};
  Open();
  ClickButton(page.hwnd(), IDC_DISK_SELECT_NONE);
  ClickBox(tree, Drive("C:\\"));  // in the tree only, until the start reads it
  ASSERT_EQ(Selected("C:\\"), 0);
  SendMessageA(StartButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(Selected("C:\\"), 1);
  EXPECT_EQ(ProgressRangeHigh(Bar()), 200000);
  EXPECT_EQ(ProgressPos(Bar()), 0);
  EXPECT_FALSE(IsWindowEnabled(StartButton()));
  engine.waitForScan();
  EXPECT_EQ(platform.listedDirs, std::vector<std::string>{"C:\\"});
  ASSERT_EQ(engine.foundCount(), 1);
  EXPECT_EQ(engine.foundFile(0).path, "C:\\a.bak");
  EXPECT_EQ(engine.progressMax, 200000);
}

TEST_F(DiskPageTest, TheEndOfAScanFillsThenEmptiesTheControls) {
  Open();
  ClickButton(page.hwnd(), IDC_DISK_SELECT_NONE);
  SendMessageA(StartButton(), BM_CLICK, 0, 0);
  engine.waitForScan();
  engine.diskScanRunning = 1;
  engine.setCurrentPath("C:\\last.tmp");
  Timer();
  engine.diskScanRunning = 0;
  ASSERT_EQ(PathField(), "C:\\last.tmp");

  page.ShowFullProgress(200000);
  EXPECT_EQ(ProgressPos(Bar()), 200000);
  page.EnableStartButton();
  EXPECT_TRUE(IsWindowEnabled(StartButton()));
  page.ResetProgress();
  EXPECT_EQ(ProgressPos(Bar()), 0);
  EXPECT_EQ(PathField(), "");
  EXPECT_EQ(page.pathText(), "");
}

TEST_F(DiskPageTest, AStartWhileAScanRunsIsRefusedAndChangesNothing) {
  ListingGate gate(memoryRoot(platform, "[profiles]"));
  platform.listingHook = [&](const std::string& dir) { return gate.Hold(dir); };
  engine.profilesFolderOverride = "[profiles]";
  Open();
  ClickBox(tree, Drive("C:\\"));
  ASSERT_TRUE(engine.startTraceScan());
  ASSERT_TRUE(PumpUntil([&] { return gate.reached(); }));

  MessageBoxAnswerer answer;
  SendMessageA(StartButton(), BM_CLICK, 0, 0);
  ASSERT_EQ(answer.count(), 1);
  EXPECT_EQ(answer.boxes()[0].caption, "提示");
  EXPECT_EQ(answer.boxes()[0].text, kScanBusyText);
  EXPECT_EQ(answer.boxes()[0].owner, host.hwnd());
  EXPECT_TRUE(IsWindowEnabled(StartButton()));
  EXPECT_EQ(ProgressRangeHigh(Bar()), 100);  // the control's own range, untouched
  EXPECT_EQ(Selected("C:\\"), 1);            // the boxes were not read
  EXPECT_EQ(engine.progressMax, 15000);      // the running scan keeps its counter

  Timer();  // the trace scan's path is not this page's
  EXPECT_EQ(PathField(), "");
  gate.Open();
  engine.waitForScan();
}

TEST_F(DiskPageTest, EnterAndEscStartNothingAndCloseNothing) {
  Open();
  for (HWND target : {tree.hwnd(), StartButton(), page.Item(IDC_DISK_SELECT_ALL)}) {
    SetFocus(target);
    PressKey(target, VK_RETURN);
    PressKey(target, VK_ESCAPE);
  }
  EXPECT_FALSE(engine.scanBusy());
  EXPECT_EQ(ProgressRangeHigh(Bar()), 100);
  EXPECT_TRUE(page.exists());
  EXPECT_TRUE(page.IsVisible());
}

TEST_F(DiskPageTest, TheDrivesForgetTheItemsOfADestroyedTree) {
  Open();
  ClickBox(tree, Drive("D:\\"));
  DestroyWindow(page.hwnd());
  for (const DriveEntry& drive : engine.drives) EXPECT_EQ(drive.treeItem, 0u) << drive.root;
  page.ReadDriveChecks();  // nothing left to read: the flags stay
  EXPECT_EQ(Selected("D:\\"), 1);
}

}  // namespace
}  // namespace scourix::test
