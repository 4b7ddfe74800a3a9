#pragma once
// The frame of the end-to-end tests under Wine: drive M: of the test's own over a fresh
// folder, the real main window run modally with a configuration file of its own, and
// readers of the result list window.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/clean_engine.h"
#include "tests/core/fake_platform.h"
#include "tests/core/temp_tree.h"
#include "tests/ui/ui_test_support.h"
#include "ui/main_dialog.h"

namespace scourix::test {

// The real file system and drives; files are moved to the recycle bin for real (under
// Wine it is the trash below the tests' XDG_DATA_HOME), and a listing can be held by a gate.
class EndToEndPlatform : public FakePlatform {
 public:
  int driveType(const std::string& root) override { return systemPlatform().driveType(root); }
  std::vector<RecycleAnswer> recycleFiles(const std::vector<ExactPath>& paths) override {
    return systemPlatform().recycleFiles(paths);
  }
};

using ScriptedMain = Scripted<MainDialog>;

struct ResultLine {
  std::string text;
  CheckState box;
  bool operator==(const ResultLine& other) const { return text == other.text && box == other.box; }
};
// A line's text: "[category]path" and the file's size.
std::string LineText(const std::string& category, const std::string& path, std::uint64_t size = 1);
inline std::ostream& operator<<(std::ostream& out, const ResultLine& line) {
  return out << '"' << line.text << "\" box " << static_cast<int>(line.box);
}

class EndToEnd : public testing::Test {
 protected:
  EndToEnd();
  ~EndToEnd() override;
  void SetUp() override;

  // One run of the program: the main window until the script has run.
  void Run(ScriptedMain& window, const std::function<void()>& script);
  void Run(const std::function<void()>& script) { Run(main, script); }

  // A path below the drive's root, "M:\".
  std::string DrivePath(const std::string& relative = "") const;
  // Makes a file on the drive; an old access time keeps a temp file from being recent.
  std::string MakeFile(const std::string& relative, std::size_t size = 1);
  bool OnDisk(const std::string& relative) const {
    return GetFileAttributesA(DrivePath(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  // The same for a name exactly as given ("report ", "x.", Korean letters), through "\\?\"
  // ('\\' between the names), with its folders.
  static void MakeExactFile(const std::wstring& relative, std::size_t size = 1);
  static bool OnDiskExact(const std::wstring& relative) {
    return GetFileAttributesW((L"\\\\?\\M:\\" + relative).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  // Runs a program (a Unix one too, under Wine) and returns its exit code; one that is not
  // done within waitMs is ended. kNotRun when it did not start or was ended. With `output`
  // the program writes its output there.
  static constexpr DWORD kNotRun = 99;
  static DWORD RunCommand(std::string command, DWORD waitMs, HANDLE output = nullptr);
  // What a program writes to its output and error streams.
  std::string CommandOutput(const std::string& command);
  // Wine's recycle bin is the XDG trash: a test may move files there only when it is the
  // tests' own (below build/), never the developer's.
  static bool TrashIsTheTests();
  // Makes a link on the drive to a folder of the drive, as Wine lists it: a directory and
  // reparse point.
  void MakeLink(const std::string& relative, const std::string& targetRelative);

  // Presses a button as the user does (it must be enabled and shown).
  static void Press(HWND dialog, int id);
  // Presses "开始扫描" of the page and pumps until the scan has ended.
  void ScanFrom(HWND page, int startId);
  // Leaves only the test's drive ticked on the disk page.
  void TickOnlyTheTestDrive(ScriptedMain& window);
  // Clicks the box of the top-level item with this text in a tree.
  static void ClickItem(HWND tree, const std::string& text);

  std::vector<ResultLine> ResultLines(ScriptedMain& window);
  // The lines' texts as the wide tree shows them.
  std::vector<std::wstring> WideResultTexts(ScriptedMain& window);
  std::string ResultCaption(ScriptedMain& window) { return WindowText(window.resultWindow().hwnd()); }
  // Clicks the boxes of the lines with these texts.
  void UntickLines(ScriptedMain& window, const std::vector<std::string>& texts);
  // "删除" in the result window, answered with Yes.
  void DeleteTicked(ScriptedMain& window, MessageBoxAnswerer& answer);

  TempTree files;     // the drive's content
  TempTree settings;  // the configuration file
  bool driveReady = false;
  std::string configPath = settings.path("data.dsfw");
  EndToEndPlatform platform;
  CleanEngine engine{platform};
  ScriptedMain main{engine, configPath};
};

}  // namespace scourix::test
