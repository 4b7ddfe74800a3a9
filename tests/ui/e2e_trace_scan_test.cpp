// The trace cleaner end to end under Wine: generated user profiles of the Windows XP and
// the Vista layout, browser caches and recycle folders on a drive of the test's own; the
// real main window collects the chosen traces, lists them and deletes the ticked ones,
// and of the recycle bin only the listed, ticked files go.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine/size_text.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "tests/ui/end_to_end.h"
#include "ui/module_directory.h"
#include "ui/pages/trace_items.h"

namespace scourix::test {
namespace {

class TraceScanEndToEnd : public EndToEnd {
 protected:
  void SetUp() override {
    EndToEnd::SetUp();
    if (IsSkipped()) return;
    // Two days on: Wine gives the files made now their creation time, which would lock
    // those in Temp as fresh.
    platform.clock = platform.now() + 2 * 86400;
    platform.catalogText = systemPlatform().builtInCatalog();  // its profile entries, for bob's WeChat
    for (const std::string& file : traces) MakeFile(alice + file);
    for (const char* kept : {"Cookies/desktop.ini", "Documents/letter.doc"}) MakeFile(alice + kept);
    for (const std::string& file : {std::string("Recycled/INFO2"), std::string("Recycled/Dc1.txt"), recycler}) MakeFile(file);
    MakeFile(alice + "Local Settings/Application Data/Google/Chrome/User Data/Default/Cache/f_1");
    // Vista and later: the old names are links to the new folders, never followed.
    for (const char* file : {"Local/Microsoft/Windows/INetCache/IE/page.htm", "Local/Microsoft/Windows/History/h.dat",
                             "Local/Microsoft/Windows/INetCookies/c.txt", "Local/Temp/t.tmp",
                             "Roaming/Microsoft/Windows/Recent/r.lnk", kJumpList})
      MakeFile(bob + file);
    for (const auto& [link, target] :
         {std::pair{"Local Settings", "Local"}, {"Application Data", "Roaming"},
          {"Cookies", "Local/Microsoft/Windows/INetCookies"}, {"Recent", "Roaming/Microsoft/Windows/Recent"}})
      MakeLink(std::string("profiles/bob/") + link, bob + target);
    // The caches beside what must never be listed: logins, history, bookmarks, settings.
    const std::string chrome = "Local/Google/Chrome/User Data/";
    for (const std::string& file : {chrome + "Default/Cache/Cache_Data/data_1", std::string(kChromeIndex),
                                    chrome + "Default/Code Cache/js/c1", chrome + "Default/GPUCache/g1",
                                    chrome + "Profile 2/Cache/p2", chrome + "ShaderCache/s1", std::string(kChromeCookies),
                                    chrome + "Default/Login Data", chrome + "Default/Local Storage/leveldb/000003.log",
                                    chrome + "Local State", std::string("Local/Microsoft/Edge/User Data/Default/History"),
                                    std::string("Local/Microsoft/Edge/User Data/Default/Cache/Cache_Data/e1"),
                                    std::string("Local/Tencent/QQBrowser/User Data/Default/Cache/q1"),
                                    std::string("Local/Mozilla/Firefox/Profiles/x.default/cache2/entries/F1"),
                                    std::string("Local/Mozilla/Firefox/Profiles/x.default/prefs.js"),
                                    std::string("Roaming/360se6/User Data/Default/GPUCache/s1"),
                                    std::string("Roaming/360se6/User Data/Default/Preferences")})
      MakeFile(bob + file);
    MakeLink(bob + "Local/Google/Chrome/User Data/Default/GPUCache/docs", alice + "Documents");
    for (const std::string& file : {bin, std::string("$Recycle.Bin/S-1-5-21-7/desktop.ini")}) MakeFile(file);  // the latter never listed
    MakeLink("$Recycle.Bin/S-1-5-21-7/$RLINK", alice + "Documents");
    MakeFile(bob + "Roaming/Tencent/WeChat/log/w.log");  // WeChat is there: the catalog shows it
    engine.setProfilesFolder(DrivePath("profiles"));
  }
  ResultLine Line(const std::string& label, const std::string& relative) const {
    return ResultLine{LineText(label, DrivePath(relative)), Ticked};
  }
  ResultLine Bob(const std::string& label, const std::string& relative) const { return Line(label, bob + relative); }
  // A folder lists its entries in the file system's order.
  static std::vector<ResultLine> Sorted(std::vector<ResultLine> lines) {
    std::sort(lines.begin(), lines.end(), [](const ResultLine& a, const ResultLine& b) { return a.text < b.text; });
    return lines;
  }
  void ClickItem(const std::string& text) { EndToEnd::ClickItem(main.tracePage().Item(IDC_TRACE_TREE), text); }

  static constexpr const char* kJumpList =
      "Roaming/Microsoft/Windows/Recent/AutomaticDestinations/1.automaticDestinations-ms";
  static constexpr const char* kChromeIndex = "Local/Google/Chrome/User Data/Default/Cache/index";
  static constexpr const char* kChromeCookies = "Local/Google/Chrome/User Data/Default/Cookies";
  const std::string alice = "profiles/alice/";
  const std::string bob = "profiles/bob/AppData/";
  const std::vector<std::string> traces = {"Local Settings/Temporary Internet Files/page.htm",
                                           "Local Settings/History/visits.dat", "Cookies/alice@site.txt",
                                           "Offlin~1/offline.htm", "Local Settings/Temp/work.dat",
                                           "Recent/report.lnk"};
  const std::string recycler = "RECYCLER/S-1-5-21/Dc2.txt";
  const std::string bin = "$Recycle.Bin/S-1-5-21-7/$RX1.txt";
};

TEST_F(TraceScanEndToEnd, CollectsTheChosenTracesAndDeletesOnlyWhatIsTickedOfTheBin) {
  MessageBoxAnswerer answer;
  Run([&] {
    TraceCleanPage& page = main.tracePage();
    main.tabs().SelectPage(kTracePageIndex);
    Press(page.hwnd(), IDC_TRACE_SELECT_NONE);
    Press(page.hwnd(), IDC_TRACE_SELECT_ALL);
    ClickItem("Internet Cookies.");
    Press(page.hwnd(), IDC_TRACE_START);
    EXPECT_EQ(WindowText(page.Item(IDC_TRACE_START)), "停止扫描");
    EXPECT_EQ(engine.choices().traceFlags.internetCookies, 0);
    ASSERT_TRUE(PumpUntil([&] { return !engine.scanBusy(); }));
    engine.waitForScan();
    PumpPending();
    ASSERT_EQ(answer.count(), 2);  // "全选" asked before it ticked the optional items
    EXPECT_EQ(answer.boxes()[1].text, "扫描完毕");
    // What was found beside each item, and the catalog's items for this machine.
    TreeView tree;
    tree.Attach(page.Item(IDC_TRACE_TREE));
    const std::vector<std::string> texts = TextsBelow(tree, TVI_ROOT);
    EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 8),
              (std::vector<std::string>{"Temporary Internet files 2 字节", "Internet explorer history. 2 字节", "Internet Cookies.",
                                        "Offline Web pages. 1 字节", "Recycle Bin. 3 字节", "Windows Temp files. 2 字节",
                                        "Windows Recent Documents. 2 字节", "浏览器缓存 10 字节"}));
    EXPECT_EQ(tree.GetItemText(page.traceItems()[kTraceItemCount]), "Google Chrome 6 字节");
    EXPECT_NE(page.CatalogTreeItem("WeChat Caches and Logs"), nullptr);
    EXPECT_EQ(page.CatalogTreeItem("NetEase Cloud Music Cache"), nullptr);
    EXPECT_EQ(ProgressPos(page.Item(IDC_TRACE_PROGRESS)), 0);
    EXPECT_EQ(WindowText(page.Item(IDC_TRACE_START)), "开始扫描");
    const std::string chrome = "Local/Google/Chrome/User Data/";
    const std::string alicesChrome = alice + "Local Settings/Application Data/Google/Chrome/User Data/";
    EXPECT_EQ(Sorted(ResultLines(main)),
              Sorted({Bob("Temporary Internet Files", "Local/Microsoft/Windows/INetCache/IE/page.htm"),
                      Bob("Internet History Files", "Local/Microsoft/Windows/History/h.dat"),
                      Bob("temp files", "Local/Temp/t.tmp"),
                      Bob("Internet Recent files", "Roaming/Microsoft/Windows/Recent/r.lnk"),
                      Line("Chrome cache", alicesChrome + "Default/Cache/f_1"),
                      Bob("Chrome cache", chrome + "Default/Cache/Cache_Data/data_1"),
                      Bob("Chrome cache", chrome + "Default/Code Cache/js/c1"), Bob("Chrome cache", chrome + "Default/GPUCache/g1"),
                      Bob("Chrome cache", chrome + "Profile 2/Cache/p2"), Bob("Chrome cache", chrome + "ShaderCache/s1"),
                      Bob("Firefox cache", "Local/Mozilla/Firefox/Profiles/x.default/cache2/entries/F1"),
                      Bob("360安全浏览器 cache", "Roaming/360se6/User Data/Default/GPUCache/s1"),
                      Bob("Edge cache", "Local/Microsoft/Edge/User Data/Default/Cache/Cache_Data/e1"),
                      Bob("QQ浏览器 cache", "Local/Tencent/QQBrowser/User Data/Default/Cache/q1"),
                      Line("Recycle Bin files", bin), Line("Temporary Internet Files", alice + traces[0]),
                      Line("Internet History Files", alice + traces[1]), Line("Offline files", alice + traces[3]),
                      Line("temp files", alice + traces[4]), Line("Internet Recent files", alice + traces[5]),
                      Line("devices Recycled files", "Recycled/Dc1.txt"), Line("RECYCLER", recycler),
                      Bob("微信", "Roaming/Tencent/WeChat/log/w.log")}));
    UntickLines(main, {Line("RECYCLER", recycler).text});
    DeleteTicked(main, answer);  // a file of the bin was kept
    EXPECT_EQ(answer.boxes().back().text, "删除完毕，释放 22 字节");

    Press(page.hwnd(), IDC_TRACE_SELECT_NONE);  // now only the cookies and the bin, all deleted
    ClickItem("Internet Cookies.");
    ClickBox(tree, page.traceItems()[4]);  // "Recycle Bin." with its size
    ScanFrom(page.hwnd(), IDC_TRACE_START);
    EXPECT_EQ(Sorted(ResultLines(main)),
              Sorted({Line("Internet Cookies", alice + traces[2]),
                      Bob("Internet Cookies", "Local/Microsoft/Windows/INetCookies/c.txt"), Line("RECYCLER", recycler)}));
    DeleteTicked(main, answer);
  });
  for (const std::string& trace : traces) EXPECT_FALSE(OnDisk(alice + trace)) << trace;
  for (const std::string& gone : {std::string("Recycled/Dc1.txt"), recycler, bin, bob + "Local/Temp/t.tmp"})
    EXPECT_FALSE(OnDisk(gone)) << gone;
  for (const std::string& kept : {alice + "Cookies/desktop.ini", alice + "Documents/letter.doc",
                                  std::string("Recycled/INFO2"), bob + kJumpList, bob + kChromeIndex, bob + kChromeCookies})
    EXPECT_TRUE(OnDisk(kept)) << kept;
}

// Names as the file system spells them: "report " and "x." beside "report" and "x" in Temp, a
// Korean shortcut in Recent (the code page writes it "??"). Each is listed as itself, also by
// the command line, and deletion takes exactly the ticked ones. The shell, which takes
// "report " for "report" and "?" for a wildcard, never gets a name it would read as another:
// such a file stays out of the recycle bin, and the unticked ones never move.
TEST_F(TraceScanEndToEnd, EveryNameIsListedAndDeletedAsTheFileSystemSpellsIt) {
  if (!TrashIsTheTests()) GTEST_SKIP() << "Wine's recycle bin is not the tests' own trash (XDG_DATA_HOME below build/)";
  const std::wstring temp = L"profiles\\alice\\Local Settings\\Temp\\";
  const std::wstring recent = L"profiles\\alice\\Recent\\";
  struct Odd {
    std::wstring name;
    std::wstring label;
    std::size_t size;
    bool shellTakes;
  };
  const std::vector<Odd> odd = {{temp + L"report ", L"temp files", 16, false},
                                {temp + L"x.", L"temp files", 32, false},
                                {recent + L"한국.txt.lnk", L"Internet Recent files", 4, true}};
  const std::pair<const char*, std::string> unticked[] = {{"temp files", alice + "Local Settings/Temp/report"},
                                                          {"temp files", alice + "Local Settings/Temp/x"},
                                                          {"Internet Recent files", alice + "Recent/ab.txt"}};
  for (const auto& [label, file] : unticked) MakeFile(file);
  MakeFile(alice + "Recent/desktop.ini");  // never listed
  for (const Odd& file : odd) MakeExactFile(file.name, file.size);
  const std::string listed =
      CommandOutput("\"" + GetModuleDirectory() + "..\\scourix-cli.exe\" trace --utf8 --profiles M:\\profiles");
  for (const Odd& file : odd) {
    const std::wstring path = L"M:\\" + file.name;
    EXPECT_NE(listed.find("\t" + utf8FromWide(path.data(), path.size()) + "\r\n"), std::string::npos) << listed;
  }
  MessageBoxAnswerer answer;
  Run([&] {
    main.tabs().SelectPage(kTracePageIndex);
    Press(main.tracePage().hwnd(), IDC_TRACE_SELECT_NONE);
    ClickItem("Windows Temp files.");
    ClickItem("Windows Recent Documents.");
    for (bool recycle : {false, true}) {
      SCOPED_TRACE(recycle);
      if (recycle) {
        for (const Odd& file : odd) MakeExactFile(file.name, file.size);
        main.tabs().SelectPage(kOptionsPageIndex);
        Press(main.optionsPage().hwnd(), IDC_OPT_RECYCLE);
        main.tabs().SelectPage(kTracePageIndex);
      }
      ScanFrom(main.tracePage().hwnd(), IDC_TRACE_START);
      const std::vector<std::wstring> texts = WideResultTexts(main);
      for (const Odd& file : odd) {
        const std::wstring line = L"[" + file.label + L"]M:\\" + file.name + L"  " + wideFromAnsi(formatSize(file.size));
        EXPECT_NE(std::find(texts.begin(), texts.end(), line), texts.end()) << file.size;
      }
      for (const auto& [label, file] : unticked) UntickLines(main, {Line(label, file).text});
      DeleteTicked(main, answer);
      // The first time also the other traces of both profiles go (four files of one byte).
      EXPECT_EQ(answer.boxes().back().text, recycle ? "删除完毕，已放入回收站 4 字节，有 2 个文件无法删除（其中 2 个文件无法放入回收站，未删除）"
                                                  : "删除完毕，释放 56 字节");
      for (const Odd& file : odd) EXPECT_EQ(OnDiskExact(file.name), recycle && !file.shellTakes) << file.size;
      for (const auto& [label, file] : unticked) EXPECT_TRUE(OnDisk(file)) << file;
      EXPECT_TRUE(OnDisk(alice + "Recent/desktop.ini"));
    }
  });
}

}  // namespace
}  // namespace scourix::test
