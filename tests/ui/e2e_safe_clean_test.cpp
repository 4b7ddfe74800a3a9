// A clean with the defaults never breaks a program: the test's drive holds copies of
// real trees (a part of Python's library with its site-packages, a Git checkout, a
// program folder) beside ordinary junk; a disk scan and "删除" take the junk only.
#include <gtest/gtest.h>

#include <algorithm>
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

class SafeClean : public EndToEnd {
 protected:
  // Every file of the drive and what it holds.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> out;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(files.root())) {
      if (entry.is_regular_file()) out[entry.path().string()] = TempTree::read(entry.path().string());
    }
    return out;
  }
};

TEST_F(SafeClean, ADefaultCleanTakesTheJunkAndLeavesEveryRealTreeAsItWas) {
  namespace fs = std::filesystem;
  for (const auto& entry : fs::recursive_directory_iterator(SCOURIX_REAL_TREES)) {
    const fs::path target = files.root() / fs::relative(entry.path(), SCOURIX_REAL_TREES);
    entry.is_directory() ? fs::create_directories(target) : fs::copy_file(entry.path(), target);
  }
  files.dir("Tools/Notepad");
  for (const char* program : {"notepad.exe", "shlwapi.dll"}) {
    ASSERT_TRUE(CopyFileA((std::string("C:\\windows\\system32\\") + program).c_str(),
                          files.path(std::string("Tools/Notepad/") + program).c_str(), FALSE));
  }
  for (const char* kept : {"Tools/Notepad/notepad.log", "Tools/Notepad/settings.bak", "Windows/setupact.log",
                           "Program Files/Vendor/update.log", "Python311/Lib/site-packages/pip-log.txt"}) {
    MakeFile(kept);
  }
  MakeFile("Users/ann/Documents/marker.txt", 0);
  const auto before = Snapshot();
  // Made after the snapshot: reading a file makes it recently used.
  const std::vector<std::string> junk = {"Users/ann/Documents/old.bak", "Users/ann/Desktop/report.log",
                                         "Users/ann/setup.tmp", "Users/ann/AppData/Local/Temp/lock.txt",
                                         "Windows/Temp/setup.tmp", "Windows/Logs/cbs.log"};
  for (const std::string& file : junk) MakeFile(file, file.find("lock") == std::string::npos ? 1 : 0);

  std::vector<std::string> unprotected;
  engine.setProtection(false);
  engine.scanDrive(drive.root());
  for (const auto& file : engine.foundFiles()) unprotected.push_back(ResultLineText(file->category, file->path));
  engine.setProtection(true);

  MessageBoxAnswerer answer;
  Run([&] {
    TickOnlyTheTestDrive(main);
    ScanFrom(main.diskPage().hwnd(), IDC_DISK_START);
    TreeView lines;
    lines.Attach(main.resultWindow().Item(IDC_RESULT_TREE));
    std::vector<std::string> texts;
    std::vector<std::string> unticked;
    for (const ResultLine& line : ResultLines(main)) {
      texts.push_back(line.text);
      if (line.box == Unticked) unticked.push_back(line.text);
      TVITEMA item{};
      item.mask = TVIF_IMAGE;
      item.hItem = FindItem(lines, TVI_ROOT, line.text);
      lines.Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      EXPECT_EQ(item.iImage, line.box == Unticked ? 2 : 0) << line.text;
    }
    EXPECT_EQ(texts, unprotected);
    std::sort(unticked.begin(), unticked.end());
    std::vector<std::string> expected;
    for (const auto& [category, file] :
         {std::pair{"empty files", "Python311\\Lib\\email\\mime\\__init__.py"},
          {"log.txt temp files", "Python311\\Lib\\site-packages\\pip-log.txt"},
          {"back files", "Projects\\tool\\notes.bak"}, {"system log files", "Projects\\tool\\res\\build.log"},
          {"system log files", "Tools\\Notepad\\notepad.log"}, {"back files", "Tools\\Notepad\\settings.bak"},
          {"system log files", "Windows\\setupact.log"}, {"system log files", "Program Files\\Vendor\\update.log"},
          {"empty files", "Users\\ann\\Documents\\marker.txt"}}) {
      expected.push_back(ResultLineText(category, DrivePath(file)));
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(unticked, expected);
    DeleteTicked(main, answer);
  });
  ASSERT_EQ(answer.count(), 3);
  EXPECT_EQ(answer.boxes()[2].text, "删除完毕");
  for (const std::string& file : junk) EXPECT_FALSE(OnDisk(file)) << file;
  EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace scourix::test
