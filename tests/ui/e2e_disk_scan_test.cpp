// The disk cleaner end to end under Wine: a drive of the test's own holds a generated
// junk tree; the real main window scans it, lists the findings in the result window and
// deletes the ticked ones. Also: names the code page cannot write, long paths, and the
// real trees a clean with the defaults leaves alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "autoclean/auto_clean.h"
#include "res/resource.h"
#include "settings/config_file.h"
#include "tests/ui/end_to_end.h"
#include "ui/pages/trace_items.h"
#include "ui/result_list_text.h"

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
    MakeFile("c_dir/d_app.log", 1536);
    MakeFile("c_dir/e_empty.txt", 0);
    MakeFile("c_dir/f_errorlog.txt");
    MakeFile("g_setup.tmp", 2048);
    MakeFile("h_readme", 0);  // no "." in the name: never examined
    MakeFile("中文.bak");
    files.file("g_recent.tmp");  // accessed now: recent, left alone
  }

  ResultLine Line(const std::string& category, const std::string& relative, std::uint64_t size = 1) const {
    return {LineText(category, DrivePath(relative), size), Ticked};
  }
  std::vector<ResultLine> AllFindings() const {
    return {Line("back files", "a_notes.bak"), Line("system log files", "c_dir\\d_app.log", 1536),
            Line("empty files", "c_dir\\e_empty.txt", 0), Line("log.txt temp files", "c_dir\\f_errorlog.txt"),
            Line("temp files", "g_setup.tmp", 2048), Line("back files", "中文.bak")};
  }
};

TEST_F(DiskScanEndToEnd, ScansTheTickedDriveListsAndDeletesTheTickedLines) {
  ListingGate gate(DrivePath("c_dir\\"));
  platform.listingHook = [&](const std::string& dir) { return gate.Hold(dir); };
  MessageBoxAnswerer answer;
  Run([&] {
    DiskCleanPage& page = main.diskPage();
    HWND bar = page.Item(IDC_DISK_PROGRESS);
    HWND start = page.Item(IDC_DISK_START);
    // The start reads the boxes, also an option box changed without a click and never saved;
    // the timer follows the held walk.
    SendDlgItemMessageA(main.optionsPage().hwnd(), IDC_OPT_LOG_TXT, BM_SETCHECK, BST_UNCHECKED, 0);
    TickOnlyTheTestDrive(main);
    // By keyboard: Tab goes from the tab strip through the drives to "开始扫描"; Ctrl+Tab and
    // Ctrl+Shift+Tab switch pages, and the focus goes along.
    SetFocus(main.tabs().hwnd());
    PressKey(GetFocus(), VK_TAB);
    PressKey(GetFocus(), VK_TAB);
    EXPECT_EQ(GetFocus(), start);
    PressKey(GetFocus(), VK_TAB, {VK_CONTROL});
    EXPECT_EQ(main.tabs().GetCurSel(), kTracePageIndex);
    EXPECT_EQ(GetFocus(), main.tracePage().Item(IDC_TRACE_TREE));
    PressKey(GetFocus(), VK_TAB, {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(main.tabs().GetCurSel(), kDiskPageIndex);
    Press(page.hwnd(), IDC_DISK_START);
    EXPECT_EQ(WindowText(start), "停止扫描");
    for (const DriveEntry& entry : engine.choices().drives) EXPECT_EQ(entry.selected, entry.root == DrivePath()) << entry.root;
    EXPECT_TRUE(PumpUntil([&] { return gate.reached(); }));
    EXPECT_TRUE(PumpUntil([&] { return WindowText(page.Item(IDC_DISK_PATH)) == DrivePath("b_keep.txt"); }));
    EXPECT_EQ(ProgressPos(bar), 2);
    // "停止扫描" ends the held walk: what it found is listed, locked (c_dir was still open).
    Press(page.hwnd(), IDC_DISK_START);
    gate.Open();
    ASSERT_TRUE(PumpUntil([&] { return !engine.scanBusy(); }));
    engine.waitForScan();
    PumpPending();
    ASSERT_EQ(answer.count(), 1);
    EXPECT_EQ(answer.boxes()[0].text + WindowText(start), "扫描已停止开始扫描");
    EXPECT_EQ(answer.boxes()[0].owner, main.hwnd());
    EXPECT_EQ(ResultLines(main), (std::vector<ResultLine>{{Line("back files", "a_notes.bak").text, Unticked}}));
    EXPECT_EQ(engine.findings().at(0).isProtected, 1);
    // A whole scan ends with its box, the controls reset and every finding ticked.
    ScanFrom(page.hwnd(), IDC_DISK_START);
    EXPECT_EQ(answer.boxes().back().text, "扫描完毕");
    EXPECT_EQ(ProgressPos(bar) + WindowText(page.Item(IDC_DISK_PATH)).size(), 0u);
    EXPECT_EQ(ResultCaption(main), "结果列表[总数5]");
    std::vector<ResultLine> lines = AllFindings();
    lines[2].box = Unticked;  // an empty file outside a temporary folder starts unticked
    lines.erase(lines.begin() + 3);  // the log.txt files, switched off
    EXPECT_EQ(ResultLines(main), lines);
    // F6 goes to the list, whose menu key orders it by size, the largest first.
    PressKey(GetFocus(), VK_F6);
    EXPECT_EQ(GetFocus(), main.resultWindow().Item(IDC_RESULT_TREE));
    main.resultWindow().SetMenuChooser([](HMENU, POINT) { return ID_RESULT_SORT_SIZE; });
    PressKey(GetFocus(), VK_APPS);
    EXPECT_EQ(ResultLines(main), (std::vector<ResultLine>{lines[3], lines[1], lines[0], lines[4], lines[2]}));
    // "不再列出此类文件" on a .bak line: every .bak line goes, and no later scan lists one.
    main.resultWindow().SetMenuChooser([](HMENU, POINT) { return ID_RESULT_EXCLUDE_TYPE; });
    TreeView tree;
    tree.Attach(GetFocus());
    tree.SelectItem(ItemsBelow(tree, TVI_ROOT)[2]);
    PressKey(GetFocus(), VK_APPS);
    EXPECT_EQ(ResultLines(main), (std::vector<ResultLine>{lines[3], lines[1], lines[2]}));
    // The ticked lines are deleted; the emptied list leaves the focus to the main window.
    DeleteTicked(main, answer);
    EXPECT_EQ(answer.boxes().back().text, "删除完毕，释放 3.50 KB");
    EXPECT_TRUE(ResultLines(main).empty());
    EXPECT_TRUE(IsChild(main.hwnd(), GetFocus()));
    main.tabs().SelectPage(kOptionsPageIndex);
    Press(main.optionsPage().hwnd(), IDC_OPT_RECYCLE);
  });
  for (const char* kept : {"a_notes.bak", "中文.bak", "c_dir\\e_empty.txt", "c_dir\\f_errorlog.txt", "b_keep.txt", "h_readme", "g_recent.tmp"})
    EXPECT_TRUE(OnDisk(kept)) << kept;
  for (const char* gone : {"c_dir\\d_app.log", "g_setup.tmp"}) EXPECT_FALSE(OnDisk(gone)) << gone;
  // The next run of the program reads the same file: the ticks and the options survive.
  CleanEngine restarted(platform);
  ScriptedMain again(restarted, configPath);
  Run(again, [&] {
    TreeView drives;
    drives.Attach(again.diskPage().Item(IDC_DISK_TREE));
    PaintNow(again.hwnd());
    EXPECT_EQ(BoxOf(drives, FindItem(drives, drives.GetRoot(), "C:\\")), Unticked);
    EXPECT_EQ(BoxOf(drives, FindItem(drives, drives.GetRoot(), DrivePath())), Ticked);
    EXPECT_EQ(IsDlgButtonChecked(again.optionsPage().hwnd(), IDC_OPT_RECYCLE), BST_CHECKED);
    ClickButton(again.tracePage().hwnd(), IDC_TRACE_SELECT_NONE);
  });
  // So does the exclusion: an unattended clean of the drive keeps every .bak file.
  CleanEngine unattended(platform);
  EXPECT_EQ(runAutoClean(unattended, {configPath}).exitCode, kAutoCleanDone);
  for (const char* kept : {"a_notes.bak", "中文.bak"}) EXPECT_TRUE(OnDisk(kept)) << kept;
}

// Names code page 936 cannot write and a path longer than the ordinary form reaches: the
// junk is found, shown with its true name, deleted and gone; the Chinese files beside it stay.
TEST_F(DiskScanEndToEnd, NamesTheCodePageCannotWriteAndLongPathsAreShownAndDeleted) {
  std::wstring deep = L"long\\";
  for (wchar_t letter : std::wstring(L"vwxyz")) deep += std::wstring(60, letter) + L"\\";
  const std::vector<std::wstring> junk = {L"\U0001F600.bak", deep + L"far.bak", L"한국어\\a.bak"};
  const std::vector<std::wstring> kept = {L"中文说明.txt", deep + L"中文.txt", L"한국어\\中文.txt"};
  for (const std::wstring& relative : {junk[0], junk[1], junk[2], kept[0], kept[1], kept[2]}) MakeExactFile(relative);
  MessageBoxAnswerer answer;
  Run([&] {
    TickOnlyTheTestDrive(main);
    ScanFrom(main.diskPage().hwnd(), IDC_DISK_START);
    const std::vector<std::wstring> texts = WideResultTexts(main);
    EXPECT_EQ(texts.size(), AllFindings().size() + junk.size());
    for (const std::wstring& relative : junk) {
      EXPECT_TRUE(std::find(texts.begin(), texts.end(), L"[back files]M:\\" + relative + L"  1 字节") != texts.end()) << relative;
    }
    DeleteTicked(main, answer);
    EXPECT_EQ(answer.boxes().back().text, "删除完毕，释放 3.50 KB");
  });
  for (const std::wstring& relative : junk) EXPECT_FALSE(OnDiskExact(relative));
  for (const std::wstring& relative : kept) EXPECT_TRUE(OnDiskExact(relative));
}

// A clean with the defaults never breaks a program: the drive holds copies of real trees
// (a part of Python's library with its site-packages, a Git checkout, a program folder)
// beside ordinary junk; a disk scan and "删除" take the junk only.
// Every file below the folder and what it holds.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> out;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) out[entry.path().string()] = TempTree::read(entry.path().string());
  }
  return out;
}

using SafeClean = EndToEnd;

TEST_F(SafeClean, ADefaultCleanTakesTheJunkAndLeavesEveryRealTreeAsItWas) {
  for (const auto& entry : std::filesystem::recursive_directory_iterator(SCOURIX_REAL_TREES)) {
    const auto target = files.root() / std::filesystem::relative(entry.path(), SCOURIX_REAL_TREES);
    if (entry.is_directory()) std::filesystem::create_directories(target);
    else std::filesystem::copy_file(entry.path(), target);
  }
  files.dir("Tools/Notepad");
  for (const std::string program : {"notepad.exe", "shlwapi.dll"})
    ASSERT_TRUE(CopyFileA(("C:\\windows\\system32\\" + program).c_str(), files.path("Tools/Notepad/" + program).c_str(), 0));
  for (const char* kept : {"Tools/Notepad/notepad.log", "Tools/Notepad/settings.bak", "Windows/setupact.log",
                           "Program Files/Vendor/update.log", "Python311/Lib/site-packages/pip-log.txt"})
    MakeFile(kept);
  MakeFile("Users/ann/Documents/marker.txt", 0);
  // A profile's program state and own files whose names look like junk.
  const std::string chrome = "Users/ann/AppData/Local/Google/Chrome/User Data/", code = "Users/ann/AppData/Roaming/Code/",
                    webCache = "Users/ann/AppData/Local/Microsoft/Windows/WebCache/";
  const std::vector<std::string> stores = {chrome + "Default/IndexedDB/https_a.leveldb/", chrome + "Default/Local Storage/leveldb/",
                                           code + "Local Storage/leveldb/"};
  std::vector<std::string> state = {chrome + "Default/Bookmarks.bak", webCache + "V01.log", "Users/ann/Documents/毕业论文.docx.bak"};
  // The snapshot reads them: V01.chk, a temporary file in recent use, is not listed.
  std::vector<std::string> markers = {webCache + "V01.chk", chrome + "Local State", chrome + "Default/Preferences", code + "Local State"};
  for (const std::string& store : stores) {
    state.push_back(store + "000003.log");
    markers.insert(markers.end(), {store + "CURRENT", store + "MANIFEST-000001", store + "LOG"});
  }
  for (const std::string& file : state) MakeFile(file);
  for (const std::string& file : markers) MakeFile(file);
  const auto before = Snapshot(files.root());
  // Made after the snapshot: reading a file makes it recently used.
  const std::vector<std::string> junk = {"Users/ann/setup.tmp", "Users/ann/AppData/Local/Temp/lock.txt",
                                         chrome + "Default/Cache/Cache_Data/f_000001.tmp", code + "Cache/Cache_Data/a.tmp",
                                         "Windows/Temp/setup.tmp", "Windows/Logs/cbs.log"};
  for (const std::string& file : junk) MakeFile(file, file.find("lock") == std::string::npos ? 1 : 0);

  std::vector<std::string> unprotected, texts, unticked;  // protection changes the ticks only
  engine.setProtection(false);
  engine.scanFolder(DrivePath());
  for (const auto& file : engine.findings()) unprotected.push_back(LineText(file.category(), file.path(), file.size));
  engine.setProtection(true);

  MessageBoxAnswerer answer;
  Run([&] {
    TickOnlyTheTestDrive(main);
    ScanFrom(main.diskPage().hwnd(), IDC_DISK_START);
    TreeView tree;
    tree.Attach(main.resultWindow().Item(IDC_RESULT_TREE));
    for (const ResultLine& shown : ResultLines(main)) {
      texts.push_back(shown.text);
      if (shown.box == Unticked) unticked.push_back(shown.text.substr(0, shown.text.rfind("  ")));
      TVITEMA item{};
      item.mask = TVIF_IMAGE;
      item.hItem = FindItem(tree, TVI_ROOT, shown.text);
      tree.Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      EXPECT_EQ(item.iImage, shown.box == Unticked ? 2 : 0) << shown.text;  // the lock
    }
    EXPECT_EQ(texts, unprotected);
    auto line = [&](const std::string& category, const char* file) { return "[" + category + "]" + DrivePath(file); };
    // In the walk's order: Wine lists by name.
    const std::vector<std::string> expected = {
        line("system log files", "Program Files/Vendor/update.log"), line("back files", "Projects/tool/notes.bak"),
        line("system log files", "Projects/tool/res/build.log"), line("empty files", "Python311/Lib/email/mime/__init__.py"),
        line("log.txt temp files", "Python311/Lib/site-packages/pip-log.txt"), line("system log files", "Tools/Notepad/notepad.log"),
        line("back files", "Tools/Notepad/settings.bak"), line("empty files", "Users/ann/Documents/marker.txt"),
        line("system log files", "Windows/setupact.log")};
    std::vector<std::string> locked = unticked;
    for (const std::string& file : state) {
      const std::string category = file.substr(file.size() - 4) == ".bak" ? "back files" : "system log files";
      locked.erase(std::remove(locked.begin(), locked.end(), line(category, file.c_str())), locked.end());
    }
    EXPECT_EQ(locked, expected);
    EXPECT_EQ(unticked.size(), expected.size() + state.size());
    DeleteTicked(main, answer);
  });
  for (const std::string& file : junk) EXPECT_FALSE(OnDisk(file)) << file;
  EXPECT_EQ(Snapshot(files.root()), before);
  // The unattended clean, with the settings the window saved (no trace item), likewise.
  for (const std::string& file : junk) MakeFile(file, file.find("lock") == std::string::npos ? 1 : 0);
  CleanEngine unattended(platform);
  ASSERT_EQ(loadConfig(unattended.choices(), unattended.platform(), configPath).status, ConfigStatus::Loaded);
  for (const TraceItem* item : AllTraceItems()) unattended.choices().traceFlags.*item->flag = 0;
  ASSERT_TRUE(saveConfig(unattended.choices(), unattended.platform(), configPath).saved);
  EXPECT_EQ(runAutoClean(unattended, {configPath}).exitCode, kAutoCleanDone);
  for (const std::string& file : junk) EXPECT_FALSE(OnDisk(file)) << file;
  EXPECT_EQ(Snapshot(files.root()), before);
}

}  // namespace
}  // namespace scourix::test
