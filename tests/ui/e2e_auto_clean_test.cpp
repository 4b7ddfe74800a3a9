// The unattended clean end to end under Wine: a copy of scourix.exe run with /auto as a
// child process beside a data.dsfw of the test's, over a drive of the test's own; and the
// recycle option of the window moving files to Wine's recycle bin.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "autoclean/auto_clean_log.h"
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
    ASSERT_TRUE(saveConfig(engine.choices(), engine.platform(), configPath).saved);
    ASSERT_TRUE(CopyFileA((GetModuleDirectory() + "scourix.exe").c_str(), program.c_str(), FALSE));
  }
  // A program that shows its window instead waits for a user: ended, it fails the test.
  DWORD RunProgram(const std::string& argument) { return RunCommand("\"" + program + "\" " + argument, 120000); }

  // The lines of the last run's record.
  std::vector<std::string> LogLines() const {
    const std::string text = TempTree::read(settings.path(kAutoCleanLogName));
    std::vector<std::string> lines;
    for (std::size_t at = text.rfind("scourix 自动清理"), end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
      lines.push_back(text.substr(at, end - at));
    }
    return lines;
  }

  // In the window: the recycle option on, a scan of the test's drive and 删除 of what it ticks.
  void RecycleTheTestDrivesJunk(MessageBoxAnswerer& answer) {
    main.tabs().SelectPage(kOptionsPageIndex);
    Press(main.optionsPage().hwnd(), IDC_OPT_RECYCLE);
    main.tabs().SelectPage(kDiskPageIndex);
    TickOnlyTheTestDrive(main);
    ScanFrom(main.diskPage().hwnd(), IDC_DISK_START);
    DeleteTicked(main, answer);
  }

  std::string program = settings.path("scourix.exe");
};

// Each run appends its record to the log; one without readable settings, or while another
// scan runs, does nothing.
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
  // Each run: its switch, the settings file (none when empty) and whether another program
  // holds it without sharing, the exit code and the report's lines after its start time
  // (the reasons' text aside). The locked file is held until the run that deletes all.
  const std::tuple<const char*, std::string, bool, DWORD, std::vector<std::string>> rows[] = {
      {"/auto", stored.substr(0, stored.size() - 4), false, 2, {"未清理：配置文件已损坏"}},
      {"/auto", "", false, 2, {"未清理：没有配置文件：请先在程序窗口中选择要清理的驱动器和项目"}},
      {"/auto", stored, true, 2, {"未清理：无法读取配置文件"}},
      {"/AUTO", stored, false, 1,
       {"[temp files] 1 个文件，3 字节", "[back files] 1 个文件，4 字节", "共释放 7 字节",
        "无法删除 [system log files] " + locked + "："}},
      {"-auto", stored, false, 0, {"[system log files] 1 个文件，6 字节", "共释放 6 字节"}},
  };
  for (const auto& [argument, content, holdSettings, exitCode, report] : rows) {
    SCOPED_TRACE(report[0]);
    DeleteFileA(configPath.c_str());
    if (!content.empty()) TempTree::write(configPath, content);
    HANDLE held = holdSettings ? CreateFileA(configPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
    if (exitCode == 0) CloseHandle(holder);
    EXPECT_EQ(RunProgram(argument), exitCode);
    CloseHandle(held);
    if (exitCode == 2) { EXPECT_TRUE(OnDisk("junk/a.tmp")); }
    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), report.size() + 1);
    EXPECT_EQ(lines[0].rfind("scourix 自动清理，开始于 2", 0), 0u) << lines[0];
    for (std::size_t i = 0; i < report.size(); ++i) EXPECT_EQ(lines[i + 1].rfind(report[i], 0), 0u) << lines[i + 1];
  }
  for (const char* kept : {"recent.tmp", "plain.txt"}) EXPECT_TRUE(OnDisk(kept)) << kept;
  for (const char* gone : {"junk/a.tmp", "junk/b.bak"}) EXPECT_FALSE(OnDisk(gone)) << gone;
  EXPECT_EQ(TempTree::read(configPath), stored);

  // While the window scans, /auto does nothing and keeps the earlier records; while an
  // unattended clean of any session runs, the window neither scans nor deletes.
  MakeFile("junk/c.tmp");
  const std::string earlier = TempTree::read(settings.path(kAutoCleanLogName));
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
    // A clean run as another account in another session: its lock denies this one.
    ACL empty{ACL_REVISION, 0, sizeof(ACL), 0, 0};
    SECURITY_DESCRIPTOR denyAll{SECURITY_DESCRIPTOR_REVISION, 0, SE_DACL_PRESENT, nullptr, nullptr, nullptr, &empty};
    SECURITY_ATTRIBUTES denying{sizeof denying, &denyAll, FALSE};
    HANDLE unattended = CreateMutexA(&denying, FALSE, "Global\\scourix.scan");
    Press(main.diskPage().hwnd(), IDC_DISK_START);
    EXPECT_EQ(answer.boxes().back().text, kScanBusyText);
    DeleteTicked(main, answer);
    EXPECT_EQ(answer.boxes().back().text, kScanBusyText);
    CloseHandle(unattended);
  });
  EXPECT_TRUE(OnDisk("junk/c.tmp"));
  EXPECT_EQ(LogLines().at(1), "未清理：另一个扫描正在进行");
  EXPECT_EQ(TempTree::read(settings.path(kAutoCleanLogName)).rfind(earlier, 0), 0u);
}

TEST_F(AutoCleanEndToEnd, TheRecycleOptionMovesTheTickedFilesToTheBinWhereTheyCanBeRestored) {
  // Wine's recycle bin is the XDG trash of the Unix home, which scripts/wine-env.sh puts
  // in the build folder ("\\??\\Z:\\...\\build\\home"): never the developer's own trash.
  char home[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableA("WINEHOMEDIR", home, MAX_PATH), 4u);
  const std::string unixHome = home + 4, buildHome = "\\build\\home";
  ASSERT_TRUE(unixHome.size() > buildHome.size() && unixHome.substr(unixHome.size() - buildHome.size()) == buildHome &&
              GetModuleDirectory().rfind(unixHome.substr(0, unixHome.size() - 4), 0) == 0)
      << unixHome << " is not the home in the build folder";
  const std::string trash = unixHome + "\\.local\\share\\Trash\\";
  // Named after the test's own folder: the trash is shared with everything else.
  std::string folder = files.root();
  folder.pop_back();
  const std::string name = folder.substr(folder.rfind('-') + 1) + ".bak";
  MakeFile(name, 1536);
  MessageBoxAnswerer answer;
  Run([&] {
    RecycleTheTestDrivesJunk(answer);
    EXPECT_EQ(answer.boxes().back().text, "删除完毕，已放入回收站 1.50 KB");
  });
  EXPECT_FALSE(OnDisk(name));
  EXPECT_TRUE(MoveFileA((trash + "files\\" + name).c_str(), DrivePath(name).c_str())) << "not in " << trash;
  DeleteFileA((trash + "info\\" + name + ".trashinfo").c_str());
}

// A trash that cannot take a file (here its folder would be below a file) makes the shell
// delete for good: then the file stays, listed, and the box says why; so does the record
// of /auto, run with that trash of its own.
TEST_F(AutoCleanEndToEnd, WithTheRecycleOptionAFileTheBinCannotTakeStays) {
  const std::string kept = MakeFile("kept.bak", 1536);
  char saved[MAX_PATH] = {};
  const DWORD savedLength = GetEnvironmentVariableA("XDG_DATA_HOME", saved, MAX_PATH);
  SetEnvironmentVariableA("XDG_DATA_HOME", "/dev/null");
  MessageBoxAnswerer answer;
  Run([&] {
    RecycleTheTestDrivesJunk(answer);
    EXPECT_EQ(answer.boxes().back().text, "删除完毕，释放 0 字节，有 1 个文件无法删除（其中 1 个文件无法放入回收站，未删除）");
  });
  EXPECT_TRUE(OnDisk("kept.bak"));
  EXPECT_EQ(engine.findings().count(), 1);
  engine.choices().options.deleteToRecycleBin = 1;
  WriteSettings();
  EXPECT_EQ(RunProgram("/auto"), 1u);
  SetEnvironmentVariableA("XDG_DATA_HOME", savedLength != 0 ? saved : nullptr);
  EXPECT_TRUE(OnDisk("kept.bak"));
  EXPECT_EQ(LogLines(), (std::vector<std::string>{LogLines().at(0), "共释放 0 字节", "无法放入回收站 1 个文件，未删除",
                                                  "无法删除 [back files] " + kept + "：回收站无法接收文件，未删除"}));
}

}  // namespace
}  // namespace scourix::test
