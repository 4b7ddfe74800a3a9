// The trace cleaner end to end under Wine: generated user profiles of the Windows XP and
// the Vista layout, browser caches and recycle folders on a drive of the test's own; the
// real main window collects the chosen traces, lists them and deletes the ticked ones,
// and the recycle bin is emptied only when nothing of it was kept.
#include <gtest/gtest.h>

#include <algorithm>
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
    MakeFile("profiles/alice/Local Settings/Application Data/Google/Chrome/User Data/Default/Cache/f_1");
    // Vista and later: the old names are links to the new folders, never followed.
    for (const char* file :
         {"Local/Microsoft/Windows/INetCache/IE/page.htm", "Local/Microsoft/Windows/History/h.dat",
          "Local/Microsoft/Windows/INetCookies/c.txt", "Local/Temp/t.tmp", "Roaming/Microsoft/Windows/Recent/r.lnk",
          "Roaming/Microsoft/Windows/Recent/AutomaticDestinations/1.automaticDestinations-ms",
          "Roaming/Microsoft/Windows/Recent/CustomDestinations/2.customDestinations-ms"}) {
      MakeFile(std::string("profiles/bob/AppData/") + file);
    }
    for (const auto& [link, target] : {std::pair{"Local Settings", "AppData/Local"}, {"Application Data", "AppData/Roaming"},
                                       {"Cookies", "AppData/Local/Microsoft/Windows/INetCookies"},
                                       {"Recent", "AppData/Roaming/Microsoft/Windows/Recent"}}) {
      MakeLink(std::string("profiles/bob/") + link, std::string("profiles/bob/") + target);
    }
    // The caches beside what must never be listed: logins, history, bookmarks, settings.
    for (const char* file :
         {"Local/Google/Chrome/User Data/Default/Cache/Cache_Data/data_1", "Local/Google/Chrome/User Data/Default/Cache/index",
          "Local/Google/Chrome/User Data/Default/Code Cache/js/c1", "Local/Google/Chrome/User Data/Default/GPUCache/g1",
          "Local/Google/Chrome/User Data/Profile 2/Cache/p2", "Local/Google/Chrome/User Data/ShaderCache/s1",
          "Local/Google/Chrome/User Data/Default/Cookies", "Local/Google/Chrome/User Data/Default/Login Data",
          "Local/Google/Chrome/User Data/Default/Local Storage/leveldb/000003.log", "Local/Google/Chrome/User Data/Local State",
          "Local/Microsoft/Edge/User Data/Default/Cache/Cache_Data/e1", "Local/Microsoft/Edge/User Data/Default/History",
          "Local/Mozilla/Firefox/Profiles/x.default/cache2/entries/F1", "Local/Mozilla/Firefox/Profiles/x.default/prefs.js",
          "Local/Tencent/QQBrowser/User Data/Default/Cache/q1", "Local/Tencent/QQBrowser/User Data/Default/Bookmarks",
          "Roaming/360se6/User Data/Default/GPUCache/s1", "Roaming/360se6/User Data/Default/Preferences"}) {
      MakeFile(std::string("profiles/bob/AppData/") + file);
    }
    MakeLink("profiles/bob/AppData/Local/Google/Chrome/User Data/Default/GPUCache/docs", "profiles/alice/Documents");
    MakeFile("$Recycle.Bin/S-1-5-21-7/$RX1.txt");
    MakeFile("$Recycle.Bin/S-1-5-21-7/desktop.ini");  // never listed
    MakeLink("$Recycle.Bin/S-1-5-21-7/$RLINK", "profiles/alice/Documents");
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
  // A folder lists its entries in the file system's order.
  static std::vector<ResultLine> Sorted(std::vector<ResultLine> lines) {
    std::sort(lines.begin(), lines.end(), [](const ResultLine& a, const ResultLine& b) { return a.text < b.text; });
    return lines;
  }
  std::string Bob(const std::string& label, const std::string& relative) const {
    return Line(label, "profiles\\bob\\AppData\\" + relative);
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

    EXPECT_EQ(ResultCaption(main), "结果列表[总数22]");
    const std::string chrome = "Local\\Google\\Chrome\\User Data\\";
    EXPECT_EQ(Sorted(ResultLines(main)),
              Sorted(Lines({{Bob("Temporary Internet Files", "Local\\Microsoft\\Windows\\INetCache\\IE\\page.htm"), Ticked},
                     {Bob("Internet History Files", "Local\\Microsoft\\Windows\\History\\h.dat"), Ticked},
                     {Bob("temp files", "Local\\Temp\\t.tmp"), Ticked},
                     {Bob("Internet Recent files", "Roaming\\Microsoft\\Windows\\Recent\\r.lnk"), Ticked},
                     {Line("Chrome cache", "profiles\\alice\\Local Settings\\Application Data\\Google\\Chrome\\User "
                                           "Data\\Default\\Cache\\f_1"), Ticked},
                     {Bob("Chrome cache", chrome + "Default\\Cache\\Cache_Data\\data_1"), Ticked},
                     {Bob("Chrome cache", chrome + "Default\\Code Cache\\js\\c1"), Ticked},
                     {Bob("Chrome cache", chrome + "Default\\GPUCache\\g1"), Ticked},
                     {Bob("Chrome cache", chrome + "Profile 2\\Cache\\p2"), Ticked},
                     {Bob("Chrome cache", chrome + "ShaderCache\\s1"), Ticked},
                     {Bob("Edge cache", "Local\\Microsoft\\Edge\\User Data\\Default\\Cache\\Cache_Data\\e1"), Ticked},
                     {Bob("Firefox cache", "Local\\Mozilla\\Firefox\\Profiles\\x.default\\cache2\\entries\\F1"), Ticked},
                     {Bob("QQ浏览器 cache", "Local\\Tencent\\QQBrowser\\User Data\\Default\\Cache\\q1"), Ticked},
                     {Bob("360安全浏览器 cache", "Roaming\\360se6\\User Data\\Default\\GPUCache\\s1"), Ticked},
                     {Line("Recycle Bin files", "$Recycle.Bin\\S-1-5-21-7\\$RX1.txt"), Ticked},
                     {Line("Temporary Internet Files",
                           "profiles\\alice\\Local Settings\\Temporary Internet Files\\page.htm"),
                      Ticked},
                     {Line("Internet History Files", "profiles\\alice\\Local Settings\\History\\visits.dat"), Ticked},
                     {Line("Offline files", "profiles\\alice\\Offlin~1\\offline.htm"), Ticked},
                     {Line("temp files", "profiles\\alice\\Local Settings\\Temp\\work.dat"), Ticked},
                     {Line("Internet Recent files", "profiles\\alice\\Recent\\report.lnk"), Ticked},
                     {Line("devices Recycled files", "Recycled\\Dc1.txt"), Ticked},
                     {Line("RECYCLER", recycler), Ticked}})));

    UntickLines(main, {Line("RECYCLER", recycler)});
    DeleteTicked(main, answer);
    ASSERT_EQ(answer.count(), 3);
    EXPECT_EQ(answer.boxes()[2].text, "删除完毕，释放 21 字节");
    EXPECT_EQ(ResultCaption(main), "结果列表[总数0]");
  });
  for (const char* gone : {"profiles\\alice\\Local Settings\\History\\visits.dat", "profiles\\alice\\Recent\\report.lnk",
                           "Recycled\\Dc1.txt", "profiles\\bob\\AppData\\Local\\Temp\\t.tmp"}) {
    EXPECT_FALSE(OnDisk(gone)) << gone;
  }
  for (const std::string& kept : {recycler, cookie, std::string("profiles\\alice\\Cookies\\desktop.ini"),
                                  std::string("Recycled\\INFO2"), std::string("profiles\\alice\\Documents\\letter.doc"),
                                  std::string("profiles\\bob\\AppData\\Local\\Google\\Chrome\\User Data\\Default\\Cookies")}) {
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
    ClickItem("浏览器缓存");
    ScanFrom(page, IDC_TRACE_START);
    EXPECT_EQ(Sorted(ResultLines(main)),
              Sorted(Lines({{Line("Internet Cookies", cookie), Ticked},
                            {Bob("Internet Cookies", "Local\\Microsoft\\Windows\\INetCookies\\c.txt"), Ticked},
                            {Line("devices Recycled files", "Recycled\\Dc1.txt"), Ticked},
                            {Line("RECYCLER", recycler), Ticked},
                            {Line("Recycle Bin files", "$Recycle.Bin\\S-1-5-21-7\\$RX1.txt"), Ticked}})));
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
