// The main window run modally as the program runs it: start-up, docking, the tray,
// exit, the configuration file, a close while a scan runs, and the calls by which the
// scan worker reaches the windows.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "settings/config_file.h"
#include "tests/core/fake_platform.h"
#include "tests/core/temp_tree.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/ui_thread.h"
#include "ui/main_dialog.h"
#include "ui/pages/scan_busy_notice.h"
#include "ui/tray_icon.h"

namespace scourix::test {
namespace {

using namespace std::string_literals;

class MainDialogRun : public testing::Test {
 protected:
  void Run(const std::function<void()>& script) {
    engine.setPacing(false);
    main.SetEffectDelay(0);
    main.script = script;
    main.DoModal();
  }
  void Command(int id) { SendMessageA(main.hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  void Tray(UINT mouseMessage) { SendMessageA(main.hwnd(), WM_TRAYICON, kTrayIconId, mouseMessage); }
  // The current tab, then which of the four pages are visible.
  std::string Pages() {
    std::string out = std::to_string(main.tabs().GetCurSel()) + "|";
    for (Window* page : std::initializer_list<Window*>{&main.diskPage(), &main.tracePage(), &main.optionsPage(),
                                                       &main.rulesPage()})
      out += std::to_string(page->IsVisible());
    return out;
  }
  bool TrayIconShown() { return Shell_NotifyIconA(NIM_MODIFY, const_cast<NOTIFYICONDATAA*>(&main.trayRecord())); }

  TempTree folder;
  std::string configPath = folder.path(kConfigFileName);
  FakePlatform platform;
  CleanEngine engine{platform};
  Scripted<MainDialog> main{engine, configPath};
  MessageBoxAnswerer answer{IDOK};
};

TEST_F(MainDialogRun, StartUpDockingTrayPagesAndKeys) {
  Run([&] {
    EXPECT_EQ(Pages(), "0|1000");  // the disk page, the result window docked left, the pair centred
    EXPECT_EQ(GetWindow(main.resultWindow().hwnd(), GW_OWNER), main.hwnd());
    const RECT m = main.WindowRect();
    const RECT r = main.resultWindow().WindowRect();
    EXPECT_EQ(std::make_pair(r.right, r.top), std::make_pair(m.left + 1, m.top));
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_NEAR((r.left + m.right) / 2, (area.left + area.right) / 2, 2);
    SendMessageA(main.hwnd(), WM_SYSCOMMAND, IDM_ABOUT_BOX, 0);  // answered by the hook
    for (HWND target : {main.tabs().hwnd(), main.resultWindow().Item(IDC_RESULT_VIEW)}) {  // Enter and Esc close nothing
      SetFocus(target);
      PressKey(target, VK_ESCAPE);
      PressKey(target, VK_RETURN);
    }
    EXPECT_TRUE(main.resultWindow().IsVisible());
    SendMessageA(main.hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);  // minimising hides; the tray shows again
    Tray(WM_LBUTTONUP);  // a single click never shows or hides
    EXPECT_FALSE(main.IsVisible());
    Tray(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(main.IsVisible() && !IsIconic(main.hwnd()));
    Command(ID_TRAY_TOGGLE);
    EXPECT_FALSE(main.IsVisible());
    Command(ID_TRAY_RULES);  // page commands show the window on their page
    EXPECT_EQ(Pages() + std::to_string(main.IsVisible()), "3|00011");
    RECT tab{};  // a click on a tab shows its page
    main.tabs().GetItemRect(kDiskPageIndex, tab);
    ClickAt(main.tabs().hwnd(), POINT{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
    PumpPending();
    EXPECT_EQ(Pages(), "0|1000");
  });
  ASSERT_EQ(answer.count(), 1);
  EXPECT_EQ(answer.boxes()[0].caption, "关于 scourix");
}

// The configuration is loaded at the start and saved at the exit, which asks first.
TEST_F(MainDialogRun, LoadsTheConfigurationExitsOnlyOnYesAndSaves) {
  CleanEngine stored(platform);
  stored.choices().settings.tempFiles = stored.choices().traceFlags.recycleBin = 0;
  stored.choices().rules.append({1, ".pcf", "说明", 0});
  ASSERT_EQ(saveConfig(stored.choices(), stored.platform(), configPath).status, ConfigStatus::Saved);
  answer.QueueAnswers({IDNO, IDYES});
  bool stillOpenAfterNo = false;
  main.closeAfterScript = false;
  Run([&] {
    EXPECT_EQ(engine.choices().rules.count(), 1);
    // The pages were made from what was loaded.
    EXPECT_EQ(IsDlgButtonChecked(main.optionsPage().hwnd(), IDC_OPT_TEMP), static_cast<UINT>(BST_UNCHECKED));
    engine.choices().rules.append({1, "doc.txt", "", 0});  // the pages never overwrite the rules at close
    Command(ID_TRAY_EXIT);
    stillOpenAfterNo = main.IsVisible() && TrayIconShown();
    Command(ID_TRAY_EXIT);  // posts the close, which the loop then carries out
  });
  EXPECT_TRUE(stillOpenAfterNo);
  ASSERT_EQ(answer.count(), 2);
  EXPECT_EQ(answer.boxes()[0].caption + "|" + answer.boxes()[0].text, "提示|确实要退出程序么?");
  EXPECT_FALSE(main.exists() || TrayIconShown());
  CleanEngine reread(platform);
  ASSERT_EQ(readConfigFile(reread.choices(), reread.platform(), configPath).status, ConfigStatus::Loaded);
  EXPECT_EQ((std::vector<int>{reread.choices().settings.tempFiles, reread.choices().traceFlags.recycleBin, reread.choices().rules.count()}),
            (std::vector<int>{0, 0, 2}));
}

// A drive whose listing never ends: a scan of it runs until it is asked to stop.
struct EndlessListing : DirListing {
  bool next(DirEntry& entry) override { return (entry = fileEntry("keep" + std::to_string(++count) + ".dat")), true; }
  int count = 0;
};

TEST_F(MainDialogRun, ClosingWhileAScanRunsStopsItThenSaves) {
  platform.listingHook = [](const std::string& dir) -> std::unique_ptr<DirListing> {
    return dir == "C:\\" ? std::make_unique<EndlessListing>() : nullptr;
  };
  platform.driveTypes["C:\\"] = kDriveFixed;  // the disk page keeps only fixed drives
  engine.addDrive({"C:\\", "C:\\"});
  bool started = false;
  Run([&] {
    started = engine.startDiskScan();
    PumpUntil([&] { return engine.progress().running(ScanKind::Disk); });  // the script's close follows
  });
  EXPECT_TRUE(started && !engine.scanBusy());
  EXPECT_EQ(answer.count(), 0);  // no "扫描完毕" while closing
  EXPECT_TRUE(TempTree::exists(configPath));
}

// The boxes of a close at the end of a scan as a user meets them: a trace start refused
// while a disk scan runs, "扫描完毕" above that notice, the notice closed first, then the
// main window. The close ends the program and saves. The scan is over once "扫描完毕"
// shows (the result list's buttons work); while it ran, a click on them said so.
TEST_F(MainDialogRun, ACloseAboveTheBoxesOfAFinishedScanEndsTheProgram) {
  const std::string kDrive = "C:\\";
  const std::string folder = kDrive + "sub\\";
  ListingGate gate(folder);
  platform.listingHook = [&](const std::string& dir) { return gate.Hold(dir); };
  platform.memoryDirs[kDrive] = {fileEntry("a.bak"), dirEntry("sub")};
  platform.memoryDirs[folder] = {};
  platform.driveTypes[kDrive] = kDriveFixed;
  engine.addDrive({kDrive, kDrive});
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
  EXPECT_EQ(answerer.boxes()[0].text + answerer.boxes()[2].text, kScanBusyText + "扫描完毕"s);
  EXPECT_TRUE(overAtTheBox);
  EXPECT_EQ(engine.findings().at(0).toDelete, 0);  // "全不选" worked while "扫描完毕" was open
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

// The worker's steps reach the windows through calls onto the user-interface thread.
TEST(UiThreadCalls, RunOnTheUserInterfaceThreadWaitAndPassExceptionsBack) {
  std::atomic<DWORD> ranOn{0};
  std::atomic<bool> caught{false}, done{false};
  std::thread worker([&] {
    RunOnUiThread([&] { ranOn = GetCurrentThreadId(); });
    try {
      RunOnUiThread([] { throw std::runtime_error("from the window thread"); });
    } catch (const std::runtime_error&) {
      caught = true;
    }
    done = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_EQ(ranOn.load(), GetCurrentThreadId());
  EXPECT_TRUE(caught);
}

}  // namespace
}  // namespace scourix::test
