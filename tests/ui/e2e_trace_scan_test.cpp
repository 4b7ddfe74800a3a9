// The trace cleaner end to end under Wine: generated user profiles and recycle folders on
// a drive of the test's own; the real main window collects the chosen traces, lists them
// and deletes the ticked ones, and the recycle bin is emptied only when nothing of it
// was kept.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "res/resource.h"
#include "tests/ui/end_to_end.h"
#include "tests/ui/ui_test_support.h"

namespace scourix::test {
namespace {

class TraceScanEndToEnd : public EndToEnd {
 protected:
  void SetUp() override {
    EndToEnd::SetUp();
    if (IsSkipped()) return;
    MakeFile("profiles/alice/Local Settings/Temporary Internet Files/page.htm");
    MakeFile("profiles/alice/Local Settings/History/visits.dat");
    MakeFile("profiles/alice/Cookies/alice@site.txt");
    MakeFile("profiles/alice/Cookies/desktop.ini");  // never listed
    MakeFile("profiles/alice/Offlin~1/offline.htm");
    MakeFile("profiles/alice/Local Settings/Temp/work.dat");
    MakeFile("profiles/alice/Recent/report.lnk");
    MakeFile("profiles/alice/Documents/letter.doc");  // no trace location
    MakeFile("Recycled/INFO2");                       // never listed
    MakeFile("Recycled/Dc1.txt");
    MakeFile("RECYCLER/S-1-5-21/Dc2.txt");
    engine.profilesFolderOverride = DrivePath("profiles");
  }

  std::string Line(const std::string& label, const std::string& relative) const {
    return "[" + label + "]" + DrivePath(relative);
  }
  std::vector<ResultLine> Lines(const std::vector<std::pair<std::string, CheckState>>& lines) const {
    std::vector<ResultLine> result;
    for (const auto& [text, box] : lines) result.push_back({text, box});
    return result;
  }
  void ClickItem(const std::string& text) {
    TreeView items;
    items.Attach(main.tracePage().Item(IDC_TRACE_TREE));
    HTREEITEM item = FindItem(items, TVI_ROOT, text);
    ASSERT_NE(item, nullptr) << text;
    ClickBox(items, item);
  }

  const std::string cookie = "profiles\\alice\\Cookies\\alice@site.txt";
  const std::string recycler = "RECYCLER\\S-1-5-21\\Dc2.txt";
};

TEST_F(TraceScanEndToEnd, CollectsTheChosenTracesAndKeepsTheBinWhenSomethingOfItIsKept) {
  MessageBoxAnswerer answer;
  Run([&] {
    TraceCleanPage& page = main.tracePage();
    HWND bar = page.Item(IDC_TRACE_PROGRESS);
    HWND start = page.Item(IDC_TRACE_START);
    main.tabs().SelectPage(kTracePageIndex);
    ClickItem("Internet Cookies.");
    Press(page.hwnd(), IDC_TRACE_START);
    EXPECT_FALSE(IsWindowEnabled(start));
    EXPECT_EQ(ProgressRangeHigh(bar), 15000);
    EXPECT_EQ(engine.traceFlags.internetCookies, 0);
    ASSERT_TRUE(PumpUntil([&] { return !engine.scanBusy(); }));
    engine.waitForScan();
    PumpPending();

    ASSERT_EQ(answer.count(), 1);
    EXPECT_EQ(answer.boxes()[0].text, "扫描完毕");
    EXPECT_EQ(answer.boxes()[0].owner, main.hwnd());
    EXPECT_EQ(ProgressPos(bar), 0);
    EXPECT_EQ(WindowText(page.Item(IDC_TRACE_PATH)), "");
    EXPECT_TRUE(IsWindowEnabled(start));

    EXPECT_EQ(ResultCaption(main), "结果列表[总数7]");
    EXPECT_EQ(ResultLines(main),
              Lines({{Line("Temporary Internet Files",
                           "profiles\\alice\\Local Settings\\Temporary Internet Files\\page.htm"),
                      Ticked},
                     {Line("Internet History Files", "profiles\\alice\\Local Settings\\History\\visits.dat"), Ticked},
                     {Line("Offline files", "profiles\\alice\\Offlin~1\\offline.htm"), Ticked},
                     {Line("temp files", "profiles\\alice\\Local Settings\\Temp\\work.dat"), Ticked},
                     {Line("Internet Recent files", "profiles\\alice\\Recent\\report.lnk"), Ticked},
                     {Line("devices Recycled files", "Recycled\\Dc1.txt"), Ticked},
                     {Line("RECYCLER", recycler), Ticked}}));

    UntickLines(main, {Line("RECYCLER", recycler)});
    DeleteTicked(main, answer);
    ASSERT_EQ(answer.count(), 3);
    EXPECT_EQ(answer.boxes()[2].text, "删除完毕");
    EXPECT_EQ(ResultCaption(main), "结果列表[总数0]");
  });
  for (const char* gone : {"profiles\\alice\\Local Settings\\History\\visits.dat", "profiles\\alice\\Recent\\report.lnk",
                           "Recycled\\Dc1.txt"}) {
    EXPECT_FALSE(OnDisk(gone)) << gone;
  }
  for (const std::string& kept : {recycler, cookie, std::string("profiles\\alice\\Cookies\\desktop.ini"),
                                  std::string("Recycled\\INFO2"), std::string("profiles\\alice\\Documents\\letter.doc")}) {
    EXPECT_TRUE(OnDisk(kept)) << kept;
  }
  // The user kept a file of the bin: emptying it would destroy that file.
  EXPECT_EQ(platform.recycleBinEmptied, 0);
  EXPECT_EQ(engine.recycleBinPending, 0);
}

TEST_F(TraceScanEndToEnd, DeletingEverythingOfAScanWithTheBinEmptiesIt) {
  MessageBoxAnswerer answer;
  Run([&] {
    main.tabs().SelectPage(kTracePageIndex);
    HWND page = main.tracePage().hwnd();
    Press(page, IDC_TRACE_SELECT_NONE);
    Press(page, IDC_TRACE_SELECT_ALL);
    ClickItem("Temporary Internet files");
    ClickItem("Internet explorer history.");
    ClickItem("Offline Web pages.");
    ClickItem("Windows Temp files.");
    ClickItem("Windows Recent Documents.");
    ScanFrom(page, IDC_TRACE_START);
    EXPECT_EQ(ResultLines(main), Lines({{Line("Internet Cookies", cookie), Ticked},
                                        {Line("devices Recycled files", "Recycled\\Dc1.txt"), Ticked},
                                        {Line("RECYCLER", recycler), Ticked}}));
    EXPECT_EQ(engine.recycleBinPending, 1);
    DeleteTicked(main, answer);
    EXPECT_EQ(ResultCaption(main), "结果列表[总数0]");
  });
  EXPECT_FALSE(OnDisk(cookie));
  EXPECT_FALSE(OnDisk(recycler));
  EXPECT_FALSE(OnDisk("Recycled\\Dc1.txt"));
  EXPECT_TRUE(OnDisk("profiles\\alice\\Recent\\report.lnk"));  // not chosen
  EXPECT_EQ(platform.recycleBinEmptied, 1);
  EXPECT_EQ(engine.recycleBinPending, 0);
}

}  // namespace
}  // namespace scourix::test
