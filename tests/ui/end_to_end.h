#pragma once
// The frame of the end-to-end tests under Wine: a drive letter of the test's own over a
// fresh folder, the real main window run modally with a configuration file of its own,
// and readers of the result list window.
#include <gtest/gtest.h>

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "engine/clean_engine.h"
#include "tests/core/fake_platform.h"
#include "tests/core/temp_tree.h"
#include "tests/ui/scan_page_probe.h"
#include "tests/ui/ui_test_support.h"
#include "tests/ui/wine_drive.h"
#include "ui/main_dialog.h"

namespace scourix::test {

// The real file system and drives; the recycle bin is only counted when emptied (under
// Wine it is the Unix user's trash), files are moved to it for real, and a listing can be
// held by a gate.
class EndToEndPlatform : public FakePlatform {
 public:
  int driveType(const std::string& root) override { return systemPlatform().driveType(root); }
  std::vector<std::string> recycleFiles(const std::vector<std::string>& paths) override {
    return systemPlatform().recycleFiles(paths);
  }
};

using ScriptedMain = Scripted<MainDialog>;

struct ResultLine {
  std::string text;
  CheckState box;
  bool operator==(const ResultLine& other) const { return text == other.text && box == other.box; }
};
std::ostream& operator<<(std::ostream& out, const ResultLine& line);

class EndToEnd : public testing::Test {
 protected:
  static constexpr char kLetter = 'M';

  EndToEnd();
  void SetUp() override;
  void TearDown() override;

  // One run of the program: the main window until the script has run.
  void Run(ScriptedMain& window, const std::function<void()>& script);
  void Run(const std::function<void()>& script) { Run(main, script); }

  // The drive's root ("M:\") and a path below it.
  std::string DrivePath(const std::string& relative = "") const;
  // Makes a file on the drive; an old access time keeps a temp file from being recent.
  std::string MakeFile(const std::string& relative, std::size_t size = 1);
  bool OnDisk(const std::string& relative) const;
  // Makes a link on the drive to a folder of the drive.
  void MakeLink(const std::string& relative, const std::string& targetRelative);

  // Presses a button as the user does (it must be enabled and shown).
  static void Press(HWND dialog, int id);
  // Presses "开始扫描" of the page and pumps until the scan has ended.
  void ScanFrom(HWND page, int startId);
  // Leaves only the test's drive ticked on the disk page.
  void TickOnlyTheTestDrive(ScriptedMain& window);

  std::vector<ResultLine> ResultLines(ScriptedMain& window);
  std::string ResultCaption(ScriptedMain& window);
  // Clicks the boxes of the lines with these texts.
  void UntickLines(ScriptedMain& window, const std::vector<std::string>& texts);
  // "删除" in the result window, answered with Yes.
  void DeleteTicked(ScriptedMain& window, MessageBoxAnswerer& answer);

  TempTree files;     // the drive's content
  TempTree settings;  // the configuration file
  WineDriveLetter drive;
  std::string configPath;
  EndToEndPlatform platform;
  CleanEngine engine{platform};
  ScriptedMain main{engine, configPath};
};

// Opens a gate when it goes, so that a script never leaves a worker held.
class OpenAtEnd {
 public:
  explicit OpenAtEnd(ListingGate& gate) : gate_(gate) {}
  ~OpenAtEnd() { gate_.Open(); }
  OpenAtEnd(const OpenAtEnd&) = delete;
  OpenAtEnd& operator=(const OpenAtEnd&) = delete;

 private:
  ListingGate& gate_;
};

}  // namespace scourix::test
