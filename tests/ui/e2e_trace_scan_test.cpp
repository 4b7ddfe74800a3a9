// The trace cleaner end to end under Wine: generated user profiles and recycle folders on
// a drive of the test's own; the real main window collects the chosen traces, lists them
// and deletes the ticked ones, and the recycle bin is emptied only when nothing of it
// was kept.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/ui/end_to_end.h"

namespace scourix::test {
namespace {

class TraceScanEndToEnd : public EndToEnd {
 protected:
  void SetUp() override {
    EndToEnd::SetUp();
    if (IsSkipped()) return;
    for (const std::string& trace : traces) MakeFile(alice + trace);
    for (const char* kept : {"Cookies/desktop.ini", "Documents/letter.doc"}) MakeFile(alice + kept);
    MakeFile("Recycled/INFO2");
    MakeFile("Recycled/Dc1.txt");
    MakeFile(recycler);
    engine.profilesFolderOverride = DrivePath("profiles");
  }
  ResultLine Line(const std::string& label, const std::string& relative) const {
    return ResultLine{"[" + label + "]" + DrivePath(relative), Ticked};
  }
  void ClickItem(const std::string& text) { EndToEnd::ClickItem(main.tracePage().Item(IDC_TRACE_TREE), text); }

  const std::string alice = "profiles/alice/";
  const std::vector<std::string> traces = {"Local Settings/Temporary Internet Files/page.htm",
                                           "Local Settings/History/visits.dat", "Cookies/alice@site.txt",
                                           "Offlin~1/offline.htm", "Local Settings/Temp/work.dat",
                                           "Recent/report.lnk"};
  const std::string recycler = "RECYCLER/S-1-5-21/Dc2.txt";
};

TEST_F(TraceScanEndToEnd, CollectsTheChosenTracesAndEmptiesTheBinOnlyWhenNothingOfItIsKept) {
  MessageBoxAnswerer answer;
  Run([&] {
    TraceCleanPage& page = main.tracePage();
    main.tabs().SelectPage(kTracePageIndex);
    Press(page.hwnd(), IDC_TRACE_SELECT_NONE);
    Press(page.hwnd(), IDC_TRACE_SELECT_ALL);
    ClickItem("Internet Cookies.");
    Press(page.hwnd(), IDC_TRACE_START);
    EXPECT_FALSE(IsWindowEnabled(page.Item(IDC_TRACE_START)));
    EXPECT_EQ(ProgressRangeHigh(page.Item(IDC_TRACE_PROGRESS)), 15000);
    EXPECT_EQ(engine.traceFlags.internetCookies, 0);
    ASSERT_TRUE(PumpUntil([&] { return !engine.scanBusy(); }));
    engine.waitForScan();
    ASSERT_EQ(answer.count(), 1);
    EXPECT_EQ(answer.boxes()[0].text, "扫描完毕");
    EXPECT_EQ(answer.boxes()[0].owner, main.hwnd());
    EXPECT_EQ(ProgressPos(page.Item(IDC_TRACE_PROGRESS)), 0);
    EXPECT_EQ(WindowText(page.Item(IDC_TRACE_PATH)), "");
    EXPECT_TRUE(IsWindowEnabled(page.Item(IDC_TRACE_START)));
    EXPECT_EQ(ResultCaption(main), "结果列表[总数7]");
    EXPECT_EQ(ResultLines(main),
              (std::vector<ResultLine>{Line("Temporary Internet Files", alice + traces[0]),
                                       Line("Internet History Files", alice + traces[1]),
                                       Line("Offline files", alice + traces[3]), Line("temp files", alice + traces[4]),
                                       Line("Internet Recent files", alice + traces[5]),
                                       Line("devices Recycled files", "Recycled/Dc1.txt"),
                                       Line("RECYCLER", recycler)}));
    UntickLines(main, {Line("RECYCLER", recycler).text});
    DeleteTicked(main, answer);  // a file of the bin was kept: emptying it would destroy that file
    EXPECT_EQ(answer.boxes().back().text, "删除完毕");
    EXPECT_EQ(ResultCaption(main), "结果列表[总数0]");
    EXPECT_EQ(platform.recycleBinEmptied, 0);

    Press(page.hwnd(), IDC_TRACE_SELECT_NONE);  // now only the cookies and the bin, all deleted
    ClickItem("Internet Cookies.");
    ClickItem("Recycle Bin.");
    ScanFrom(page.hwnd(), IDC_TRACE_START);
    EXPECT_EQ(ResultLines(main), (std::vector<ResultLine>{Line("Internet Cookies", alice + traces[2]),
                                                          Line("RECYCLER", recycler)}));
    DeleteTicked(main, answer);
  });
  for (const std::string& trace : traces) EXPECT_FALSE(OnDisk(alice + trace)) << trace;
  for (const std::string& gone : {std::string("Recycled/Dc1.txt"), recycler}) EXPECT_FALSE(OnDisk(gone)) << gone;
  for (const std::string& kept : {alice + "Cookies/desktop.ini", alice + "Documents/letter.doc",
                                  std::string("Recycled/INFO2")}) {
    EXPECT_TRUE(OnDisk(kept)) << kept;
  }
  EXPECT_EQ(platform.recycleBinEmptied, 1);
  EXPECT_EQ(engine.recycleBinPending, 0);
}

}  // namespace
}  // namespace scourix::test
