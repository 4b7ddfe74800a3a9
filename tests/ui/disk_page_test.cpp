// The disk cleaning page on its own: the drive tree and its boxes, the selection buttons,
// the progress mirroring, the start of a scan and its refusal.
#include <gtest/gtest.h>

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "tests/core/fake_platform.h"
#include "tests/ui/scan_page_probe.h"
#include "tests/ui/ui_test_support.h"
#include "ui/pages/check_choice.h"
#include "ui/pages/disk_clean_page.h"
#include "ui/pages/drive_checks.h"
#include "ui/pages/options_page.h"
#include "ui/pages/progress_mirror.h"
#include "ui/pages/scan_busy_notice.h"

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
  EXPECT_EQ(CheckFromFlag(2), Unticked);  // only a flag of one shows ticked
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

TEST_F(DiskPageTest, TheDriveTreeItsBoxesAndTheSelectionButtons) {
  engine.drives.push_back(StoredDrive("D:\\", 0));
  engine.drives.push_back(StoredDrive("Q:\\", 1));  // gone since: dropped
  Open();
  {
    SCOPED_TRACE("the fixed drives under my computer with the stored choices; the root sums up");
    ASSERT_NE(Root(), nullptr);
    EXPECT_EQ(tree.GetItemText(Root()), "我的电脑");
    EXPECT_EQ(TextsBelow(tree, Root()), (std::vector<std::string>{"D:\\", "C:\\", "E:\\"}));
    ASSERT_EQ(engine.driveCount(), 3);
    EXPECT_EQ(engine.drives[1].treeItem, reinterpret_cast<TreeItemHandle>(Drive("C:\\")));
    EXPECT_EQ(BoxOf(tree, Drive("D:\\")), Unticked);
    EXPECT_EQ(BoxOf(tree, Drive("C:\\")), Ticked);  // new drives come selected
    EXPECT_EQ(BoxOf(tree, Root()), Partial);
  }
  {
    SCOPED_TRACE("clicks and space reach the root, and the flags only when read");
    ClickBox(tree, Drive("C:\\"));
    tree.SelectItem(Drive("E:\\"));
    SetFocus(tree.hwnd());
    PressKey(tree.hwnd(), VK_SPACE);
    PaintNow(host.hwnd());
    EXPECT_EQ(BoxOf(tree, Drive("E:\\")), Unticked);
    EXPECT_EQ(BoxOf(tree, Root()), Unticked);
    EXPECT_EQ(Selected("C:\\"), 1);
    page.ReadDriveChecks();
    EXPECT_EQ(Selected("C:\\"), 0);
    EXPECT_EQ(Selected("E:\\"), 0);
    ClickBox(tree, Root());
    PaintNow(host.hwnd());
    for (HTREEITEM drive : Drives()) EXPECT_EQ(BoxOf(tree, drive), Ticked);
    EXPECT_EQ(Selected("D:\\"), 0);
  }
  {
    SCOPED_TRACE("select none and all change the flags at once");
    ClickButton(page.hwnd(), IDC_DISK_SELECT_NONE);
    for (const DriveEntry& drive : engine.drives) EXPECT_EQ(drive.selected, 0) << drive.root;
    PaintNow(host.hwnd());
    EXPECT_EQ(BoxOf(tree, Root()), Unticked);
    for (HTREEITEM drive : Drives()) EXPECT_EQ(BoxOf(tree, drive), Unticked);
    ClickButton(page.hwnd(), IDC_DISK_SELECT_ALL);
    for (const DriveEntry& drive : engine.drives) EXPECT_EQ(drive.selected, 1) << drive.root;
    PaintNow(host.hwnd());
    EXPECT_EQ(BoxOf(tree, Root()), Ticked);
  }
  {
    SCOPED_TRACE("the drives forget the items of a destroyed tree");
    DestroyWindow(page.hwnd());
    for (const DriveEntry& drive : engine.drives) EXPECT_EQ(drive.treeItem, 0u) << drive.root;
  }
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

TEST_F(DiskPageTest, StartScansTheTickedDrivesAndTheEndOfTheScanResetsTheControls) {
  platform.memoryDirs["C:\\"] = {fileEntry("a.bak"), fileEntry("b.txt")};
  Open();
  ClickButton(page.hwnd(), IDC_DISK_SELECT_NONE);
  ClickBox(tree, Drive("C:\\"));  // in the tree only, until the start reads it
  SendMessageA(StartButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(Selected("C:\\"), 1);
  EXPECT_EQ(ProgressRangeHigh(Bar()), 200000);
  EXPECT_FALSE(IsWindowEnabled(StartButton()));
  engine.waitForScan();
  EXPECT_EQ(platform.listedDirs, std::vector<std::string>{"C:\\"});
  ASSERT_EQ(engine.foundCount(), 1);
  EXPECT_EQ(engine.foundFile(0).path, "C:\\a.bak");

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

}  // namespace
}  // namespace scourix::test
