// The main window run modally as the program runs it: start-up, docking, the tray,
// exit, the configuration file and a close while a scan runs.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "core/fake_platform.h"
#include "engine/clean_engine.h"
#include "res/resource.h"
#include "settings/config_file.h"
#include "tests/core/temp_tree.h"
#include "tests/ui/scan_page_probe.h"
#include "tests/ui/ui_test_support.h"
#include "ui/main_dialog.h"
#include "ui/pages/scan_busy_notice.h"
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

class MainDialogRun : public testing::Test {
 protected:
  void SetUp() override {
    engine.setPacing(false);
    main.SetEffectDelay(0);
  }

  void Run(const std::function<void()>& script) {
    main.script = script;
    main.DoModal();
  }
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

  TempTree folder;
  std::string configPath = folder.path(kConfigFileName);
  FakePlatform platform;
  CleanEngine engine{platform};
  ScriptedMain main{engine, configPath};
};

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

TEST_F(MainDialogRun, StartUpDockingTrayPagesAndKeys) {
  MessageBoxAnswerer answerer(IDOK, true);
  Run([&] {
    {
      SCOPED_TRACE("starts on the disk page with the result window docked left, the pair centred");
      EXPECT_EQ(WindowText(main.hwnd()), "scourix 2.0");
      EXPECT_EQ(main.tabs().GetItemCount(), 4);
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
      SendMessageA(main.hwnd(), WM_SYSCOMMAND, IDM_ABOUT_BOX, 0);  // answered by the hook
      EXPECT_TRUE(main.IsEnabled());
    }
    {
      SCOPED_TRACE("the result window follows on the side it lies on");
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
    }
    {
      SCOPED_TRACE("Enter and Esc close nothing");
      for (HWND target : {main.tabs().hwnd(), main.diskPage().Item(IDC_DISK_SELECT_ALL),
                          main.resultWindow().Item(IDC_RESULT_VIEW)}) {
        SetFocus(target);
        PressKey(target, VK_ESCAPE);
        PressKey(target, VK_RETURN);
      }
      PumpPending();
      EXPECT_TRUE(main.exists());
      EXPECT_TRUE(main.resultWindow().IsVisible());
    }
    {
      SCOPED_TRACE("minimising hides; the tray shows again; the menu offers to hide or open");
      EXPECT_EQ(OpenTrayMenuFirstItem(main.hwnd()), "隐藏主窗口(&H)");
      SendMessageA(main.hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      EXPECT_FALSE(main.IsVisible());
      EXPECT_EQ(OpenTrayMenuFirstItem(main.hwnd()), "打开主窗口(&O)");
      Tray(WM_LBUTTONUP);  // a single click never shows or hides
      EXPECT_FALSE(main.IsVisible());
      Tray(WM_LBUTTONDBLCLK);
      EXPECT_TRUE(main.IsVisible());
      EXPECT_FALSE(IsIconic(main.hwnd()));
      Command(ID_TRAY_TOGGLE);
      EXPECT_FALSE(main.IsVisible());
    }
    {
      SCOPED_TRACE("page commands show the window on their page");
      Command(ID_TRAY_TRACE);
      EXPECT_TRUE(main.IsVisible());
      EXPECT_EQ(main.tabs().GetCurSel(), kTracePageIndex);
      EXPECT_TRUE(main.tracePage().IsVisible());
      Command(ID_TRAY_RULES);
      Command(ID_TRAY_RULES);
      EXPECT_EQ(main.tabs().GetCurSel(), kRulesPageIndex);
      EXPECT_TRUE(main.rulesPage().IsVisible());
      Command(ID_TRAY_OPTIONS);
      EXPECT_TRUE(main.optionsPage().IsVisible());
      EXPECT_EQ(VisiblePages(), 1);
    }
  });
  ASSERT_EQ(answerer.count(), 1);
  EXPECT_EQ(answerer.boxes()[0].caption, "关于 scourix");
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
  EXPECT_TRUE(TempTree::exists(configPath));
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
  EXPECT_TRUE(TempTree::exists(configPath));
}

// The boxes of a close at the end of a scan as a user meets them: a trace start refused
// while a disk scan runs, "扫描完毕" above that notice, the notice closed first, then the
// main window. The close ends the program and saves. The scan is over once "扫描完毕"
// shows (the result list's buttons work); while it ran, a click on them said so.
TEST_F(MainDialogRun, ACloseAboveTheBoxesOfAFinishedScanEndsTheProgram) {
  const std::string folder = std::string(kDrive) + "sub\\";
  ListingGate gate(folder);
  platform.listingHook = [&](const std::string& dir) { return gate.Hold(dir); };
  platform.memoryDirs[kDrive] = {fileEntry("a.bak"), dirEntry("sub")};
  platform.memoryDirs[folder] = {};
  platform.driveTypes[kDrive] = kDriveFixed;
  DriveEntry drive;
  drive.root = drive.displayName = kDrive;
  engine.addDrive(drive);
  MessageBoxAnswerer answerer;
  HWND notice = nullptr;
  bool overAtTheBox = false;
  answerer.onOpen = [&](HWND box) {
    const MessageBoxAnswerer::Box& opened = answerer.boxes().back();
    if (opened.text == kScanBusyText && opened.owner == main.hwnd()) {
      notice = box;
      gate.Open();
    }
    if (opened.text != "扫描完毕") return;
    HWND result = main.resultWindow().hwnd();
    overAtTheBox = !engine.scanBusy() && IsWindowEnabled(GetDlgItem(result, IDC_RESULT_DELETE));
    PostMessageA(result, WM_COMMAND, MAKEWPARAM(IDC_RESULT_SELECT_NONE, BN_CLICKED), 0);
    PostMessageA(notice, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    PostMessageA(main.hwnd(), WM_CLOSE, 0, 0);
  };
  answerer.QueueAnswers({IDOK, 0, 0});
  Run([&] {
    ASSERT_TRUE(engine.startDiskScan());
    ASSERT_TRUE(PumpUntil([&] { return gate.reached(); }));
    HWND deleteButton = main.resultWindow().Item(IDC_RESULT_DELETE);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowEnabled(deleteButton); }));  // greyed by its timer
    ClickButton(main.resultWindow().hwnd(), IDC_RESULT_DELETE);
    ClickButton(main.tracePage().hwnd(), IDC_TRACE_START);
  });
  EXPECT_FALSE(main.exists());
  EXPECT_TRUE(TempTree::exists(configPath));
  ASSERT_EQ(answerer.count(), 3);
  EXPECT_EQ(answerer.boxes()[0].text, kScanBusyText);
  EXPECT_EQ(answerer.boxes()[2].text, "扫描完毕");
  EXPECT_TRUE(overAtTheBox);
  EXPECT_EQ(engine.foundFile(0).toDelete, 0);  // "全不选" worked while "扫描完毕" was open
}

// Only a missing file is a first run: one that is there but cannot be opened is reported
// and never saved over.
TEST_F(MainDialogRun, AConfigurationFileThatCannotBeOpenedIsReportedAndKept) {
  TempTree::write(configPath, "stored settings");
  HANDLE held = CreateFileA(configPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  MessageBoxAnswerer answerer;
  Run([&] { CloseHandle(held); });
  ASSERT_EQ(answerer.count(), 1);
  EXPECT_EQ(answerer.boxes()[0].text, "加载配置文件出错");
  EXPECT_EQ(TempTree::read(configPath), "stored settings");
}

}  // namespace
}  // namespace scourix::test
