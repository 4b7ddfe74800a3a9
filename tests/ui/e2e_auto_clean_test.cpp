// The unattended clean end to end under Wine: a copy of scourix.exe run with /auto as a
// child process beside a data.dsfw of the test's, over a drive of the test's own; and the
// recycle option of the window moving files to Wine's recycle bin.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "autoclean/auto_clean.h"
#include "res/resource.h"
#include "settings/config_file.h"
#include "tests/ui/end_to_end.h"
#include "ui/module_directory.h"
#include "ui/pages/scan_busy_notice.h"

namespace scourix::test {
namespace {

class AutoCleanEndToEnd : public EndToEnd {
 protected:
  // Settings with only the test's drive ticked and no trace item, beside a copy of the program.
  void WriteSettings() {
    engine.enumerateFixedDrives();
    for (DriveEntry& each : engine.choices().drives) each.selected = each.root == DrivePath() ? 1 : 0;
    for (const TraceFlagField& field : kTraceFlagsInFileOrder) engine.choices().traceFlags.*(field.flag) = 0;
    ASSERT_EQ(saveConfig(engine.choices(), engine.platform(), configPath).status, ConfigStatus::Saved);
    ASSERT_TRUE(CopyFileA((GetModuleDirectory() + "scourix.exe").c_str(), program.c_str(), FALSE));
  }
  // A program that shows its window instead waits for a user: ended, it fails the test.
  DWORD RunProgram(const std::string& argument) { return RunCommand("\"" + program + "\" " + argument, 120000); }

  std::vector<std::string> LogLines() const {
    const std::string text = TempTree::read(settings.path(kAutoCleanLogName));
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
      lines.push_back(text.substr(at, end - at));
    }
    return lines;
  }

  std::string program = settings.path("scourix.exe");
};

TEST_F(AutoCleanEndToEnd, DeletesTheTickedJunkReportsWhatStayedAndNeverWritesTheSettings) {
  MakeFile("junk/a.tmp", 3);
  MakeFile("junk/b.bak", 4);
  files.file("recent.tmp", 2);  // accessed now: still in use
  MakeFile("plain.txt", 5);
  const std::string locked = MakeFile("locked.log", 6);
  WriteSettings();
  const std::string stored = TempTree::read(configPath);
  HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  // Each run: its switch, whether the log file is still held open without sharing, the
  // exit code and the report's lines after its start time (the reasons' text aside).
  const std::tuple<const char*, bool, DWORD, std::vector<std::string>> rows[] = {
      {"/AUTO", true, 1,
       {"[temp files] 1 个文件，3 字节", "[back files] 1 个文件，4 字节", "共释放 7 字节",
        "无法删除 [system log files] " + locked + "："}},
      {"-auto", false, 0, {"[system log files] 1 个文件，6 字节", "共释放 6 字节"}},
  };
  for (const auto& [argument, held, exitCode, report] : rows) {
    SCOPED_TRACE(argument);
    if (!held) CloseHandle(holder);
    EXPECT_EQ(RunProgram(argument), exitCode);
    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), report.size() + 1);
    EXPECT_EQ(lines[0].rfind("scourix 自动清理，开始于 2", 0), 0u) << lines[0];
    for (std::size_t i = 0; i < report.size(); ++i) EXPECT_EQ(lines[i + 1].rfind(report[i], 0), 0u) << lines[i + 1];
  }
  for (const char* kept : {"recent.tmp", "plain.txt"}) EXPECT_TRUE(OnDisk(kept)) << kept;
  for (const char* gone : {"junk/a.tmp", "junk/b.bak"}) EXPECT_FALSE(OnDisk(gone)) << gone;
  EXPECT_EQ(TempTree::read(configPath), stored);
}

TEST_F(AutoCleanEndToEnd, DoesNothingWithUnreadableSettingsOrWhileAnotherScanRuns) {
  MakeFile("junk/a.tmp");
  WriteSettings();
  const std::string stored = TempTree::read(configPath);
  TempTree::write(configPath, stored.substr(0, stored.size() - 4));
  EXPECT_EQ(RunProgram("/auto"), 2u);
  EXPECT_EQ(LogLines().at(1).rfind("未清理：", 0), 0u);
  TempTree::write(configPath, stored);
  ListingGate gate(DrivePath("junk\\"));
  platform.listingHook = [&](const std::string& dir) { return gate.Hold(dir); };
  MessageBoxAnswerer answer;
  Run([&] {
    TickOnlyTheTestDrive(main);
    Press(main.diskPage().hwnd(), IDC_DISK_START);
    ASSERT_TRUE(PumpUntil([&] { return gate.reached(); }));
    EXPECT_EQ(RunProgram("/auto"), 3u);
    gate.Open();
    ASSERT_TRUE(PumpUntil([&] { return !engine.scanBusy(); }));
    engine.waitForScan();
    // The other way round: while an unattended clean holds the scan, the window's start is refused.
    const std::unique_ptr<ScanLock> unattended = systemPlatform().claimScanLock();
    ASSERT_NE(unattended, nullptr);
    Press(main.diskPage().hwnd(), IDC_DISK_START);
    EXPECT_EQ(answer.boxes().back().text, kScanBusyText);
  });
  EXPECT_TRUE(OnDisk("junk/a.tmp"));
}

TEST_F(AutoCleanEndToEnd, TheRecycleOptionMovesTheTickedFilesToTheBinWhereTheyCanBeRestored) {
  // Wine's recycle bin is the XDG trash of the Unix home ("\\??\\Z:\\root").
  char home[MAX_PATH] = {};
  if (GetEnvironmentVariableA("WINEHOMEDIR", home, MAX_PATH) <= 4) GTEST_SKIP() << "no Unix home for Wine's trash";
  const std::string trash = std::string(home + 4) + "\\.local\\share\\Trash\\";
  // Named after the test's own folder: the trash is shared with everything else.
  std::string folder = files.root();
  folder.pop_back();
  const std::string name = folder.substr(folder.rfind('-') + 1) + ".bak";
  MakeFile(name, 1536);
  MessageBoxAnswerer answer;
  Run([&] {
    main.tabs().SelectPage(kOptionsPageIndex);
    Press(main.optionsPage().hwnd(), IDC_OPT_RECYCLE);
    main.tabs().SelectPage(kDiskPageIndex);
    TickOnlyTheTestDrive(main);
    ScanFrom(main.diskPage().hwnd(), IDC_DISK_START);
    DeleteTicked(main, answer);
    EXPECT_EQ(answer.boxes().back().text, "删除完毕，已放入回收站 1.50 KB");
  });
  EXPECT_FALSE(OnDisk(name));
  EXPECT_TRUE(MoveFileA((trash + "files\\" + name).c_str(), DrivePath(name).c_str())) << "not in " << trash;
  DeleteFileA((trash + "info\\" + name + ".trashinfo").c_str());
}

// A trash that cannot take a file (here its folder would be below a file) makes the shell
// delete for good: then the file stays, listed, and the box says why.
TEST_F(AutoCleanEndToEnd, WithTheRecycleOptionAFileTheBinCannotTakeStays) {
  MakeFile("kept.bak", 1536);
  char saved[MAX_PATH] = {};
  const DWORD savedLength = GetEnvironmentVariableA("XDG_DATA_HOME", saved, MAX_PATH);
  SetEnvironmentVariableA("XDG_DATA_HOME", "/dev/null");
  MessageBoxAnswerer answer;
  Run([&] {
    main.tabs().SelectPage(kOptionsPageIndex);
    Press(main.optionsPage().hwnd(), IDC_OPT_RECYCLE);
    main.tabs().SelectPage(kDiskPageIndex);
    TickOnlyTheTestDrive(main);
    ScanFrom(main.diskPage().hwnd(), IDC_DISK_START);
    DeleteTicked(main, answer);
    EXPECT_EQ(answer.boxes().back().text, "删除完毕，释放 0 字节，有 1 个文件无法删除（其中 1 个文件无法放入回收站，未删除）");
  });
  SetEnvironmentVariableA("XDG_DATA_HOME", savedLength != 0 ? saved : nullptr);
  EXPECT_TRUE(OnDisk("kept.bak"));
  EXPECT_EQ(engine.findings().count(), 1);
}

}  // namespace
}  // namespace scourix::test
