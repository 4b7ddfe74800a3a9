// The main window run modally as the program runs it: start-up, docking, the tray,
// exit, the configuration file and a close while a scan runs.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "core/fake_platform.h"
#include "engine/clean_engine.h"
#include "res/resource.h"
#include "settings/config_file.h"
#include "tests/ui/scripted_dialog.h"
#include "tests/ui/ui_test_support.h"
#include "ui/main_dialog.h"
#include "ui/tray_icon.h"

namespace scourix::test {
namespace {

using ScriptedMain = Scripted<MainDialog>;

// A drive whose listing never ends: a scan of it runs until it is asked to stop.
class EndlessListing : public DirListing {
 public:
  bool next(DirEntry& entry) override {
    entry = fileEntry("keep" + std::to_string(++count_) + ".dat", 1);
    return true;
  }

 private:
  int count_ = 0;
};

constexpr char kDrive[] = "C:\\";

// A folder of its own for the configuration file of each test.
std::string TestDirectory() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "scourix-ui-" + std::to_string(GetCurrentProcessId()) + "\\";
}

class MainDialogRun : public testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA(directory.c_str(), nullptr);
    DeleteFileA(configPath.c_str());
    engine.setPacing(false);
    main.SetEffectDelay(0);
  }
  void TearDown() override {
    DeleteFileA(configPath.c_str());
    DeleteFileA((configPath + ".bad").c_str());
    DeleteFileA((configPath + ".tmp").c_str());
    RemoveDirectoryA(directory.c_str());
  }

  void Run(const std::function<void()>& script) {
    main.script = script;
    main.DoModal();
  }
  bool FileExists(const std::string& path) const { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
  void Command(int id) { SendMessageA(main.hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  void Tray(UINT mouseMessage) { SendMessageA(main.hwnd(), WM_TRAYICON, kTrayIconId, mouseMessage); }
  int VisiblePages() {
    int count = 0;
    for (Window* page : {static_cast<Window*>(&main.diskPage()), static_cast<Window*>(&main.tracePage()),
                         static_cast<Window*>(&main.optionsPage()), static_cast<Window*>(&main.rulesPage())}) {
      count += page->IsVisible() ? 1 : 0;
    }
    return count;
  }

  std::string directory = TestDirectory();
  std::string configPath = directory + kConfigFileName;
  FakePlatform platform;
  CleanEngine engine{platform};
  ScriptedMain main{engine, configPath};
};

TEST_F(MainDialogRun, StartsOnTheDiskPageWithTheResultWindowDockedLeftAndThePairCentred) {
  MessageBoxAnswerer answerer(IDOK, true);
  Run([&] {
    EXPECT_EQ(WindowText(main.hwnd()), "scourix 2.0");
    EXPECT_EQ(main.tabs().GetItemCount(), 4);
    EXPECT_EQ(main.tabs().GetItemText(0), "清理磁盘");
    EXPECT_EQ(main.tabs().GetItemText(1), "清理临时文件");
    EXPECT_EQ(main.tabs().GetItemText(2), "选项设置");
    EXPECT_EQ(main.tabs().GetItemText(3), "自定义规则");
    EXPECT_EQ(main.tabs().GetCurSel(), kDiskPageIndex);
    EXPECT_TRUE(main.diskPage().IsVisible());
    EXPECT_EQ(VisiblePages(), 1);

    ASSERT_TRUE(main.resultWindow().IsVisible());
    EXPECT_EQ(GetWindow(main.resultWindow().hwnd(), GW_OWNER), main.hwnd());
    const RECT m = main.WindowRect();
    const RECT r = main.resultWindow().WindowRect();
    EXPECT_EQ(r.right, m.left + 1);
    EXPECT_EQ(r.top, m.top);
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_NEAR((r.left + m.right) / 2, (area.left + area.right) / 2, 2);

    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(main.hwnd(), WM_GETICON, ICON_BIG, 0)), main.icon());
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(main.hwnd(), WM_GETICON, ICON_SMALL, 0)), main.icon());
    EXPECT_EQ(main.trayRecord().hWnd, main.hwnd());

    HMENU system = GetSystemMenu(main.hwnd(), FALSE);
    const int count = GetMenuItemCount(system);
    char text[64] = {};
    GetMenuStringA(system, static_cast<UINT>(count - 1), text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "关于 scourix(&A)");
    EXPECT_EQ(GetMenuItemID(system, count - 1), static_cast<UINT>(IDM_ABOUT_BOX));
    EXPECT_EQ(GetMenuState(system, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR,
              static_cast<UINT>(MF_SEPARATOR));

    SendMessageA(main.hwnd(), WM_SYSCOMMAND, IDM_ABOUT_BOX, 0);  // answered by the hook
    Command(ID_TRAY_ABOUT);
    EXPECT_TRUE(main.IsEnabled());
  });
  ASSERT_EQ(answerer.count(), 2);
  EXPECT_EQ(answerer.boxes()[0].caption, "关于 scourix");
  EXPECT_EQ(answerer.boxes()[1].caption, "关于 scourix");
}

TEST_F(MainDialogRun, TheResultWindowFollowsOnTheSideItLiesOn) {
  Run([&] {
    RECT m = main.WindowRect();
    main.Move(m.left - 40, m.top + 30, m.right - m.left, m.bottom - m.top);
    m = main.WindowRect();
    RECT r = main.resultWindow().WindowRect();
    EXPECT_EQ(r.right, m.left + 1);
    EXPECT_EQ(r.top, m.top);

    // Dragged across the centre line, it goes to the right edge at the next move.
    const int width = r.right - r.left;
    main.resultWindow().Move(m.right - 20, m.top + 100, width, r.bottom - r.top);
    main.Move(m.left + 10, m.top - 20, m.right - m.left, m.bottom - m.top);
    m = main.WindowRect();
    r = main.resultWindow().WindowRect();
    EXPECT_EQ(r.left, m.right);
    EXPECT_EQ(r.top, m.top);
    EXPECT_EQ(r.right - r.left, width);
  });
}

TEST_F(MainDialogRun, MinimisingHidesAndTheTrayShowsAgain) {
  Run([&] {
    SendMessageA(main.hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(main.IsVisible());
    Tray(WM_LBUTTONUP);  // a single click never shows or hides
    EXPECT_FALSE(main.IsVisible());
    Tray(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(main.IsVisible());
    EXPECT_FALSE(IsIconic(main.hwnd()));
    Tray(WM_LBUTTONUP);
    EXPECT_TRUE(main.IsVisible());
    Command(ID_TRAY_TOGGLE);
    EXPECT_FALSE(main.IsVisible());
    Command(ID_TRAY_TOGGLE);
    EXPECT_TRUE(main.IsVisible());
  });
}

TEST_F(MainDialogRun, PageCommandsShowTheWindowOnTheirPage) {
  Run([&] {
    Command(ID_TRAY_TOGGLE);
    ASSERT_FALSE(main.IsVisible());
    Command(ID_TRAY_TRACE);
    EXPECT_TRUE(main.IsVisible());
    EXPECT_EQ(main.tabs().GetCurSel(), kTracePageIndex);
    EXPECT_TRUE(main.tracePage().IsVisible());
    Command(ID_TRAY_RULES);
    EXPECT_EQ(main.tabs().GetCurSel(), kRulesPageIndex);
    Command(ID_TRAY_RULES);
    EXPECT_EQ(main.tabs().GetCurSel(), kRulesPageIndex);
    EXPECT_TRUE(main.rulesPage().IsVisible());
    Command(ID_TRAY_OPTIONS);
    EXPECT_TRUE(main.optionsPage().IsVisible());
    Command(ID_TRAY_DISK);
    EXPECT_TRUE(main.diskPage().IsVisible());
    EXPECT_EQ(VisiblePages(), 1);
  });
}

// Reads the first item of the open tray menu, then closes the menu (a thread timer runs
// inside the menu's own loop).
std::string openMenuText;
int menuTicks = 0;

void CALLBACK ReadMenuAndClose(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menuWindow = FindWindowA("#32768", nullptr);
  if (menuWindow != nullptr && IsWindowVisible(menuWindow)) {
    auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    char text[64] = {};
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    openMenuText = text;
  } else if (++menuTicks < 300) {
    return;
  }
  KillTimer(nullptr, id);
  EndMenu();
}

std::string OpenTrayMenuFirstItem(HWND main) {
  openMenuText.clear();
  menuTicks = 0;
  SetTimer(nullptr, 0, 10, &ReadMenuAndClose);
  SendMessageA(main, WM_TRAYICON, kTrayIconId, WM_RBUTTONUP);
  return openMenuText;
}

TEST_F(MainDialogRun, TheTrayMenuOffersToHideOrToOpen) {
  Run([&] {
    EXPECT_EQ(OpenTrayMenuFirstItem(main.hwnd()), "隐藏主窗口(&H)");
    Command(ID_TRAY_TOGGLE);
    EXPECT_EQ(OpenTrayMenuFirstItem(main.hwnd()), "打开主窗口(&O)");
    EXPECT_FALSE(main.IsVisible());
  });
}

TEST_F(MainDialogRun, ExitAsksAndOnlyYesCloses) {
  MessageBoxAnswerer answerer(IDNO);
  bool stillOpenAfterNo = false;
  main.closeAfterScript = false;
  Run([&] {
    Command(ID_TRAY_EXIT);
    stillOpenAfterNo = main.exists() && main.IsVisible();
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, const_cast<NOTIFYICONDATAA*>(&main.trayRecord())));
    answerer.SetDefaultAnswer(IDYES);
    Command(ID_TRAY_EXIT);  // posts the close, which the loop then carries out
  });
  EXPECT_TRUE(stillOpenAfterNo);
  ASSERT_EQ(answerer.count(), 2);
  EXPECT_EQ(answerer.boxes()[0].text, "确实要退出程序么?");
  EXPECT_EQ(answerer.boxes()[0].caption, "提示");
  EXPECT_FALSE(main.exists());
  EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, const_cast<NOTIFYICONDATAA*>(&main.trayRecord())));
  EXPECT_TRUE(FileExists(configPath));
}

TEST_F(MainDialogRun, EnterAndEscCloseNothing) {
  Run([&] {
    for (HWND target : {main.tabs().hwnd(), main.diskPage().Item(IDC_DISK_SELECT_ALL),
                        main.resultWindow().Item(IDC_RESULT_VIEW)}) {
      SetFocus(target);
      PressKey(target, VK_ESCAPE);
      PressKey(target, VK_RETURN);
    }
    PumpPending();
    EXPECT_TRUE(main.exists());
    EXPECT_TRUE(main.resultWindow().IsVisible());
  });
}

TEST_F(MainDialogRun, LoadsTheConfigurationAtStartAndSavesItAtClose) {
  {
    CleanEngine stored(platform);
    stored.settings.tempFiles = 0;
    stored.traceFlags.recycleBin = 0;
    ScanRule rule;
    rule.pattern = ".pcf";
    rule.description = "说明";
    stored.rules.append(rule);
    ASSERT_EQ(saveConfig(stored, configPath).status, ConfigStatus::Saved);
  }
  MessageBoxAnswerer answerer;
  Run([&] {
    EXPECT_EQ(engine.settings.tempFiles, 0);
    EXPECT_EQ(engine.traceFlags.recycleBin, 0);
    EXPECT_EQ(engine.rules.count(), 1);
    // The pages were made from what was loaded.
    EXPECT_EQ(IsDlgButtonChecked(main.optionsPage().hwnd(), IDC_OPT_TEMP), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(IsDlgButtonChecked(main.optionsPage().hwnd(), IDC_OPT_BACKUP), static_cast<UINT>(BST_CHECKED));
    ScanRule added;
    added.pattern = "doc.txt";
    engine.rules.append(added);  // the pages never overwrite the rules at close
  });
  EXPECT_EQ(answerer.count(), 0);
  CleanEngine reread(platform);
  ASSERT_EQ(readConfigFile(reread, configPath).status, ConfigStatus::Loaded);
  EXPECT_EQ(reread.settings.tempFiles, 0);
  EXPECT_EQ(reread.settings.emptyFiles, 1);
  EXPECT_EQ(reread.traceFlags.recycleBin, 0);
  ASSERT_EQ(reread.rules.count(), 2);
  EXPECT_EQ(reread.rules.at(0).description, "说明");
  EXPECT_EQ(reread.rules.at(1).pattern, "doc.txt");
}

TEST_F(MainDialogRun, ADamagedConfigurationIsReportedAndStartUpGoesOn) {
  std::FILE* file = std::fopen(configPath.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  const unsigned char bytes[] = {0, 0, 0, 0, 1, 0, 0};  // ends inside the second flag
  std::fwrite(bytes, 1, sizeof bytes, file);
  std::fclose(file);
  MessageBoxAnswerer answerer;
  HWND mainWindow = nullptr;
  Run([&] {
    mainWindow = main.hwnd();
    EXPECT_EQ(engine.settings.backupFiles, 0);  // what was read stays
    EXPECT_EQ(main.tabs().GetItemCount(), 4);
  });
  ASSERT_EQ(answerer.count(), 1);
  EXPECT_EQ(answerer.boxes()[0].text, "加载配置文件出错");
  EXPECT_EQ(answerer.boxes()[0].caption, "提示");
  EXPECT_EQ(answerer.boxes()[0].owner, mainWindow);
}

TEST_F(MainDialogRun, AScanEndsWithTheBoxOwnedByTheMainWindow) {
  platform.memoryDirs[kDrive] = {fileEntry("a.tmp"), fileEntry("b.txt")};
  platform.driveTypes[kDrive] = kDriveFixed;  // the disk page keeps only fixed drives
  DriveEntry drive;
  drive.root = drive.displayName = kDrive;
  engine.addDrive(drive);
  MessageBoxAnswerer answerer;
  HWND mainWindow = nullptr;
  Run([&] {
    mainWindow = main.hwnd();
    ASSERT_TRUE(engine.startDiskScan());
    EXPECT_TRUE(PumpUntil([&] { return !engine.scanBusy(); }));
  });
  ASSERT_EQ(answerer.count(), 1);
  EXPECT_EQ(answerer.boxes()[0].text, "扫描完毕");
  EXPECT_EQ(answerer.boxes()[0].caption, "提示");
  EXPECT_EQ(answerer.boxes()[0].owner, mainWindow);
  EXPECT_EQ(engine.foundCount(), 1);
}

TEST_F(MainDialogRun, ClosingWhileAScanRunsStopsItThenSaves) {
  platform.listingHook = [](const std::string& dir) -> std::unique_ptr<DirListing> {
    if (dir == kDrive) return std::make_unique<EndlessListing>();
    return nullptr;
  };
  platform.driveTypes[kDrive] = kDriveFixed;  // the disk page keeps only fixed drives
  DriveEntry drive;
  drive.root = drive.displayName = kDrive;
  engine.addDrive(drive);
  MessageBoxAnswerer answerer;
  bool started = false;
  Run([&] {
    started = engine.startDiskScan();
    PumpUntil([&] { return engine.diskScanRunning == 1; });
    // The script's close follows; the scan cannot end by itself.
  });
  EXPECT_TRUE(started);
  EXPECT_FALSE(engine.scanBusy());
  EXPECT_TRUE(engine.stopRequested());
  EXPECT_EQ(engine.diskScanRunning, 0);
  EXPECT_EQ(answerer.count(), 0);  // no "扫描完毕" while closing
  EXPECT_TRUE(FileExists(configPath));
}

}  // namespace
}  // namespace scourix::test
