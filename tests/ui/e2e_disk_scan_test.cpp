// The disk cleaner end to end under Wine: a drive of the test's own holds a generated
// junk tree; the real main window scans it, lists the findings in the result window and
// deletes the ticked ones. Also: options that were never saved, a start refused while a
// scan runs, and the drive and trace ticks across a restart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/ui/end_to_end.h"
#include "tests/ui/ui_test_support.h"
#include "ui/pages/scan_busy_notice.h"

namespace scourix::test {
namespace {

class DiskScanEndToEnd : public EndToEnd {
 protected:
  void SetUp() override {
    EndToEnd::SetUp();
    if (IsSkipped()) return;
    // Listed in name order by Wine; depth first.
    MakeFile("a_notes.bak");
    MakeFile("b_keep.txt");
    MakeFile("c_dir/d_app.log");
    MakeFile("c_dir/e_empty.txt", 0);
    MakeFile("c_dir/f_errorlog.txt");
    MakeFile("g_setup.tmp");
    MakeFile("h_readme", 0);  // no "." in the name: never examined
  }

  std::string Line(const std::string& category, const std::string& relative) const {
    return "[" + category + "]" + DrivePath(relative);
  }
  std::vector<ResultLine> AllTicked(const std::vector<std::string>& texts) const {
    std::vector<ResultLine> lines;
    for (const std::string& text : texts) lines.push_back({text, Ticked});
    return lines;
  }
  std::vector<std::string> AllFindings() const {
    return {Line("back files", "a_notes.bak"), Line("system log files", "c_dir\\d_app.log"),
            Line("empty files", "c_dir\\e_empty.txt"), Line("log.txt temp files", "c_dir\\f_errorlog.txt"),
            Line("temp files", "g_setup.tmp")};
  }
  std::int32_t Selected(const CleanEngine& which, const std::string& root) const {
    for (const DriveEntry& entry : which.drives) {
      if (entry.root == root) return entry.selected;
    }
    return -1;
  }
};

TEST_F(DiskScanEndToEnd, ScansTheTickedDriveRefusesASecondStartListsAndDeletesTheTickedLines) {
  ListingGate gate(DrivePath("c_dir\\"));
  platform.listingHook = [&](const std::string& dir) { return gate.Hold(dir); };
  MessageBoxAnswerer answer;
  Run([&] {
    OpenAtEnd opener(gate);
    DiskCleanPage& page = main.diskPage();
    HWND bar = page.Item(IDC_DISK_PROGRESS);
    HWND start = page.Item(IDC_DISK_START);
    {
      SCOPED_TRACE("the start reads the boxes; the timer follows the held walk");
      TickOnlyTheTestDrive(main);
      Press(page.hwnd(), IDC_DISK_START);
      EXPECT_FALSE(IsWindowEnabled(start));
      EXPECT_EQ(ProgressRangeHigh(bar), 200000);
      EXPECT_EQ(Selected(engine, "C:\\"), 0);
      EXPECT_EQ(Selected(engine, drive.root()), 1);
      ASSERT_TRUE(PumpUntil([&] { return gate.reached(); }));
      EXPECT_TRUE(PumpUntil([&] { return WindowText(page.Item(IDC_DISK_PATH)) == DrivePath("b_keep.txt"); }));
      EXPECT_EQ(ProgressPos(bar), 2);
    }
    {
      SCOPED_TRACE("a trace start meanwhile is refused with a notice");
      main.tabs().SelectPage(kTracePageIndex);
      TraceCleanPage& trace = main.tracePage();
      TreeView items;
      items.Attach(trace.Item(IDC_TRACE_TREE));
      ClickBox(items, FindItem(items, TVI_ROOT, "Internet Cookies."));
      Press(trace.hwnd(), IDC_TRACE_START);
      ASSERT_EQ(answer.count(), 1);
      EXPECT_EQ(answer.boxes()[0].text, kScanBusyText);
      EXPECT_EQ(answer.boxes()[0].owner, main.hwnd());
      EXPECT_TRUE(IsWindowEnabled(trace.Item(IDC_TRACE_START)));
      EXPECT_EQ(ProgressRangeHigh(trace.Item(IDC_TRACE_PROGRESS)), 100);
      EXPECT_EQ(engine.traceFlags.internetCookies, 1);
      EXPECT_EQ(engine.diskScanRunning, 1);
    }
    {
      SCOPED_TRACE("the scan ends with its box, the controls reset and every finding ticked");
      gate.Open();
      ASSERT_TRUE(PumpUntil([&] { return !engine.scanBusy(); }));
      engine.waitForScan();
      ASSERT_EQ(answer.count(), 2);
      EXPECT_EQ(answer.boxes()[1].text, "扫描完毕");
      EXPECT_EQ(answer.boxes()[1].owner, main.hwnd());
      EXPECT_EQ(ProgressPos(bar), 0);
      EXPECT_EQ(WindowText(page.Item(IDC_DISK_PATH)), "");
      EXPECT_TRUE(IsWindowEnabled(start));
      EXPECT_EQ(ResultCaption(main), "结果列表[总数5]");
      std::vector<ResultLine> lines = AllTicked(AllFindings());
      lines[2].box = Unticked;  // an empty file outside a temporary folder starts unticked
      EXPECT_EQ(ResultLines(main), lines);
    }
    {
      SCOPED_TRACE("the ticked lines are deleted");
      UntickLines(main, {Line("back files", "a_notes.bak")});
      DeleteTicked(main, answer);
      ASSERT_EQ(answer.count(), 4);
      EXPECT_EQ(answer.boxes()[2].text, "确实要删除么?");
      EXPECT_EQ(answer.boxes()[3].text, "删除完毕");
      EXPECT_EQ(ResultCaption(main), "结果列表[总数0]");
      EXPECT_TRUE(ResultLines(main).empty());
    }
  });
  for (const char* kept : {"a_notes.bak", "c_dir\\e_empty.txt", "b_keep.txt", "h_readme"}) EXPECT_TRUE(OnDisk(kept)) << kept;
  for (const char* gone : {"c_dir\\d_app.log", "c_dir\\f_errorlog.txt", "g_setup.tmp"}) EXPECT_FALSE(OnDisk(gone)) << gone;
  EXPECT_EQ(platform.recycleBinEmptied, 0);
}

TEST_F(DiskScanEndToEnd, UnsavedOptionBoxesGovernTheNextScanAndTicksSurviveARestart) {
  MessageBoxAnswerer answer;
  Run([&] {
    HWND options = main.optionsPage().hwnd();
    main.tabs().SelectPage(kOptionsPageIndex);
    Press(options, IDC_OPT_BACKUP);
    // Changed without a click, so only the start of the scan can carry it over.
    SendDlgItemMessageA(options, IDC_OPT_LOG_TXT, BM_SETCHECK, BST_UNCHECKED, 0);
    ASSERT_EQ(engine.settings.logTxtFiles, 1);
    main.tabs().SelectPage(kDiskPageIndex);
    TickOnlyTheTestDrive(main);
    ScanFrom(main.diskPage().hwnd(), IDC_DISK_START);
    EXPECT_EQ(engine.settings.backupFiles, 0);
    EXPECT_EQ(engine.settings.logTxtFiles, 0);
    EXPECT_EQ(ResultLines(main), (std::vector<ResultLine>{{Line("system log files", "c_dir\\d_app.log"), Ticked},
                                                          {Line("empty files", "c_dir\\e_empty.txt"), Unticked},
                                                          {Line("temp files", "g_setup.tmp"), Ticked}}));
    main.tabs().SelectPage(kTracePageIndex);
    TreeView items;
    items.Attach(main.tracePage().Item(IDC_TRACE_TREE));
    ClickBox(items, FindItem(items, TVI_ROOT, "Recycle Bin."));
  });
  ASSERT_EQ(answer.count(), 1);
  EXPECT_EQ(answer.boxes()[0].text, "扫描完毕");

  // The next run of the program: a new engine, a new window, the same file.
  CleanEngine restarted(platform);
  ScriptedMain again(restarted, configPath);
  Run(again, [&] {
    TreeView drives;
    drives.Attach(again.diskPage().Item(IDC_DISK_TREE));
    PaintNow(again.hwnd());
    HTREEITEM root = drives.GetRoot();
    EXPECT_EQ(BoxOf(drives, FindItem(drives, root, "C:\\")), Unticked);
    EXPECT_EQ(BoxOf(drives, FindItem(drives, root, drive.root())), Ticked);
    EXPECT_EQ(BoxOf(drives, root), Partial);
    TreeView items;
    items.Attach(again.tracePage().Item(IDC_TRACE_TREE));
    EXPECT_EQ(BoxOf(items, FindItem(items, TVI_ROOT, "Recycle Bin.")), Unticked);
    EXPECT_EQ(BoxOf(items, FindItem(items, TVI_ROOT, "Internet Cookies.")), Ticked);
    EXPECT_EQ(restarted.traceFlags.recycleBin, 0);
    EXPECT_EQ(restarted.settings.backupFiles, 0);
  });
  EXPECT_EQ(answer.count(), 1);
}

}  // namespace
}  // namespace scourix::test
