// A clean with the defaults never breaks a program: the test's drive holds copies of
// real trees (a part of Python's library with its site-packages, a Git checkout, a
// program folder) beside ordinary junk; a disk scan and "删除" take the junk only.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "res/resource.h"
#include "tests/ui/end_to_end.h"
#include "ui/result_list_text.h"

namespace scourix::test {
namespace {

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
  const auto before = Snapshot(files.root());
  // Made after the snapshot: reading a file makes it recently used.
  const std::vector<std::string> junk = {"Users/ann/Documents/old.bak", "Users/ann/Desktop/report.log",
                                         "Users/ann/setup.tmp", "Users/ann/AppData/Local/Temp/lock.txt",
                                         "Windows/Temp/setup.tmp", "Windows/Logs/cbs.log"};
  for (const std::string& file : junk) MakeFile(file, file.find("lock") == std::string::npos ? 1 : 0);

  std::vector<std::string> unprotected, texts, unticked;  // protection changes the ticks only
  engine.setProtection(false);
  engine.scanDrive(DrivePath());
  for (const auto& file : engine.foundFiles()) unprotected.push_back(ResultLineText(file->category, file->path));
  engine.setProtection(true);

  MessageBoxAnswerer answer;
  Run([&] {
    TickOnlyTheTestDrive(main);
    ScanFrom(main.diskPage().hwnd(), IDC_DISK_START);
    TreeView tree;
    tree.Attach(main.resultWindow().Item(IDC_RESULT_TREE));
    for (const ResultLine& shown : ResultLines(main)) {
      texts.push_back(shown.text);
      if (shown.box == Unticked) unticked.push_back(shown.text);
      TVITEMA item{};
      item.mask = TVIF_IMAGE;
      item.hItem = FindItem(tree, TVI_ROOT, shown.text);
      tree.Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      EXPECT_EQ(item.iImage, shown.box == Unticked ? 2 : 0) << shown.text;  // the lock
    }
    EXPECT_EQ(texts, unprotected);
    auto line = [&](const char* category, const char* file) { return ResultLineText(category, DrivePath(file)); };
    // In the walk's order: Wine lists by name.
    const std::vector<std::string> expected = {
        line("system log files", "Program Files/Vendor/update.log"), line("back files", "Projects/tool/notes.bak"),
        line("system log files", "Projects/tool/res/build.log"), line("empty files", "Python311/Lib/email/mime/__init__.py"),
        line("log.txt temp files", "Python311/Lib/site-packages/pip-log.txt"), line("system log files", "Tools/Notepad/notepad.log"),
        line("back files", "Tools/Notepad/settings.bak"), line("empty files", "Users/ann/Documents/marker.txt"),
        line("system log files", "Windows/setupact.log")};
    EXPECT_EQ(unticked, expected);
    DeleteTicked(main, answer);
  });
  for (const std::string& file : junk) EXPECT_FALSE(OnDisk(file)) << file;
  EXPECT_EQ(Snapshot(files.root()), before);
}

}  // namespace
}  // namespace scourix::test
