// The main window run modally as the program runs it: start-up, docking, the tray, the
// trace page's items, the options page, exit, the configuration file, a close while a
// scan runs, and the calls by which the scan worker reaches the windows.
#include <gtest/gtest.h>

#include <atomic>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "engine/clean_engine.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "res/resource.h"
#include "settings/config_file.h"
#include "tests/core/fake_platform.h"
#include "tests/core/temp_tree.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/ui_thread.h"
#include "ui/main_dialog.h"
#include "ui/pages/options_page.h"
#include "ui/pages/scan_busy_notice.h"
#include "ui/pages/trace_items.h"
#include "ui/restart_request.h"
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
  // Another run of the program on the same files, as after a restart.
  void RunAgain(const std::function<void(Scripted<MainDialog>&)>& script, const RestartRequest* restart = nullptr) {
    CleanEngine again(platform);
    Scripted<MainDialog> window{again, configPath};
    if (restart) window.SetRestartRequest(*restart);
    window.SetEffectDelay(0);
    window.script = [&] { script(window); };
    window.DoModal();
  }
  // The catalog's groups of the trace tree, after the trace items and the browsers, with
  // their items' boxes: "group[item+ item- ] ".
  static std::string CatalogTree(Scripted<MainDialog>& window) {
    TreeView tree;
    tree.Attach(window.tracePage().Item(IDC_TRACE_TREE));
    const std::vector<HTREEITEM> top = ItemsBelow(tree, TVI_ROOT);
    std::string out;
    for (std::size_t i = kTraceItemCount + 1; i < top.size(); ++i) {
      out += tree.GetItemText(top[i]) + "[";
      for (HTREEITEM item : ItemsBelow(tree, top[i])) out += tree.GetItemText(item) + (BoxOf(tree, item) == Ticked ? "+ " : "- ");
      out += "] ";
    }
    return out;
  }
  // A catalog entry of the tests (UTF-8, as catalogs are).
  static std::string Entry(const std::string& name, const std::string& label, const std::string& keys) {
    return "[" + name + " *]\nSection=Test\nScourixLabel=" + label + "\n" + keys + "FileKey1=%WinDir%\\Junk|*.tmp\n\n";
  }
  static int ImageOf(const TreeView& tree, HTREEITEM item) {
    TVITEMA data{};
    data.mask = TVIF_IMAGE;
    data.hItem = item;
    tree.Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return data.iImage;
  }

  TempTree folder;
  std::string configPath = folder.path(kConfigFileName);
  FakePlatform platform;
  CleanEngine engine{platform};
  Scripted<MainDialog> main{engine, configPath};
  MessageBoxAnswerer answer{IDOK};
};

TEST_F(MainDialogRun, StartUpDockingTrayPagesKeysAndTheTraceItems) {
  engine.choices().traceFlags.internetCookies = engine.choices().traceFlags.edgeCache = 0;
  platform.takeRunningCatalog();
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
    Command(ID_TRAY_TRACE);  // the trace page: its items, the browsers group and their descriptions
    EXPECT_EQ(Pages(), "1|0100");
    TreeView tree;
    tree.Attach(main.tracePage().Item(IDC_TRACE_TREE));
    std::vector<HTREEITEM> items = ItemsBelow(tree, TVI_ROOT);
    const HTREEITEM group = items[kTraceItemCount];
    EXPECT_EQ(tree.GetItemText(group), kBrowserGroupText);
    const std::vector<std::string> texts = TextsBelow(tree, TVI_ROOT);  // then the built-in catalog's groups
    EXPECT_EQ(std::vector<std::string>(texts.begin() + kTraceItemCount + 1, texts.end()),
              (std::vector<std::string>{"系统垃圾", "软件垃圾", "可选"}));
    items.resize(kTraceItemCount);
    for (HTREEITEM browser : ItemsBelow(tree, group)) items.push_back(browser);
    EXPECT_EQ(main.tracePage().traceItems(), items);
    PaintNow(main.hwnd());
    EXPECT_EQ((std::vector<CheckState>{BoxOf(tree, items[2]), BoxOf(tree, items[3]), BoxOf(tree, group)}),
              (std::vector<CheckState>{Unticked, Ticked, Partial}));  // Edge is off
    const std::vector<const TraceItem*> all = AllTraceItems();
    for (std::size_t i = 0; i < items.size(); ++i) {  // selecting an item shows its description
      tree.SelectItem(items[i]);
      EXPECT_EQ(WindowText(main.tracePage().Item(IDC_TRACE_DESCRIPTION)), all[i]->description) << i;
    }
    ClickBox(tree, items[2]);  // clicked boxes reach the flags when the window goes
  });
  EXPECT_EQ(engine.choices().traceFlags.internetCookies, 1);
  ASSERT_EQ(answer.count(), 1);
  EXPECT_EQ(answer.boxes()[0].caption, "关于 scourix");
}

// Every box with its flag and the description it shows after a click.
const std::tuple<int, Flag ScanSettings::*, const char*> kBoxes[] = {
    {IDC_OPT_TEMP, &ScanSettings::tempFiles, "*.tmp, *.??$,*.chk,*.lst"},
    {IDC_OPT_BACKUP, &ScanSettings::backupFiles, "*.bak, *.old"},
    {IDC_OPT_SETUP, &ScanSettings::setupTempFiles, "*.dir, *.---"},
    {IDC_OPT_HELP, &ScanSettings::helpTempFiles, "*.fts, *.gid, *.ftg"},
    {IDC_OPT_LOG_TXT, &ScanSettings::logTxtFiles, "*log.txt"}, {IDC_OPT_CPY, &ScanSettings::cpyFiles, "*.cpy"},
    {IDC_OPT_GARBAGE, &ScanSettings::garbageFiles, "*.~, *.-, *.dos"},
    {IDC_OPT_SYSTEM_LOG, &ScanSettings::systemLogFiles, "*.log, *log.prv, *log.dat"},
    {IDC_OPT_CPP_BUILDER, &ScanSettings::cppBuilderFiles, "*.ilc, *.ild, *.ilf, *.ils, *.tds"},
    {IDC_OPT_VISUAL_CPP, &ScanSettings::visualCppFiles, "*.bsc, *.ilk, *.res, *.pch"},
    {IDC_OPT_CUSTOM_RULES, &ScanSettings::customRules, "custom rule files"},
    {IDC_OPT_EMPTY, &ScanSettings::emptyFiles, "file length = 0"}};

// Before the options page is built (a box open at start-up, a log-off meanwhile) its
// boxes hold no choice of the user's: a save keeps the settings as loaded.
TEST(OptionsPageUnbuilt, LeavesTheSettingsAsLoaded) {
  Win32Platform platform;
  CleanEngine engine{platform};
  for (const auto& [id, flag, text] : kBoxes) engine.choices().settings.*flag = 0;
  engine.choices().options.deleteToRecycleBin = 1;
  OptionsPage page(engine);
  page.ApplyToSettings();
  for (const auto& [id, flag, text] : kBoxes) EXPECT_EQ(engine.choices().settings.*flag, 0) << text;
  EXPECT_EQ(engine.choices().options.deleteToRecycleBin, 1);
}

TEST_F(MainDialogRun, TheOptionsPagesBoxesFlagsDescriptionsSelectionButtonsAndSave) {
  engine.choices().settings.backupFiles = 0;
  engine.choices().settings.cpyFiles = 5;  // only a flag of one shows ticked
  Run([&] {
    OptionsPage& page = main.optionsPage();
    const auto boxes = [&] {
      std::string out;
      for (const auto& [id, flag, text] : kBoxes) out += std::to_string(SendMessageA(page.Item(id), BM_GETCHECK, 0, 0));
      return out;
    };
    const auto flags = [&] {
      std::string out;
      for (const auto& [id, flag, text] : kBoxes) out += std::to_string(engine.choices().settings.*flag);
      return out;
    };
    Command(ID_TRAY_OPTIONS);
    EXPECT_EQ(Pages(), "2|0010");
    EXPECT_EQ(boxes(), "101110111111");
    EXPECT_EQ(WindowText(page.Item(IDC_OPT_DESCRIPTION)), "");
    for (int id : {IDC_OPT_BACKUP, IDC_OPT_CPY}) SendMessageA(page.Item(id), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(flags(), "101115111111");  // not applied without a click
    for (const auto& [id, flag, text] : kBoxes) {  // a click applies every box and shows the description
      SendMessageA(page.Item(id), BM_CLICK, 0, 0);
      EXPECT_EQ(engine.choices().settings.*flag, 0) << text;
      SendMessageA(page.Item(id), BM_CLICK, 0, 0);
      EXPECT_EQ(std::to_string(engine.choices().settings.*flag) + WindowText(page.Item(IDC_OPT_DESCRIPTION)), "1"s + text);
    }
    ClickButton(page.hwnd(), IDC_OPT_SELECT_NONE);  // select none, all and defaults change only the boxes
    EXPECT_EQ(boxes() + flags(), "000000000000111111111111");
    for (const auto& [id, flag, text] : kBoxes) engine.choices().settings.*flag = 0;
    for (int button : {IDC_OPT_SELECT_ALL, IDC_OPT_DEFAULTS}) {
      ClickButton(page.hwnd(), IDC_OPT_SELECT_NONE);
      ClickButton(page.hwnd(), button);
      EXPECT_EQ(boxes() + flags(), "111111111111000000000000") << button;
    }
    EXPECT_EQ(answer.count(), 0);
    ClickButton(page.hwnd(), IDC_OPT_SAVE);  // save applies and confirms
    EXPECT_EQ(flags(), "111111111111");
    ASSERT_EQ(answer.count(), 1);
    EXPECT_EQ(answer.boxes()[0].text, "设置已保存");
    EXPECT_EQ(answer.boxes()[0].owner, main.hwnd());  // a box belongs to the top window
    // "排除列表…": an entry counts once added, a folder by its separator; one there already,
    // and a root alone (every path), are refused.
    answer.fill = [&](HWND box) {
      for (const char* text : {" *.bak ", "D:\\资料\\", "*.BAK", "\\"}) {
        SetDlgItemTextA(box, IDC_EXCL_TEXT, text);
        ClickButton(box, IDC_EXCL_ADD);
      }
      SendDlgItemMessageA(box, IDC_EXCL_LIST, LB_SETCURSEL, 0, 0);
      ClickButton(box, IDC_EXCL_DELETE);
    };
    ClickButton(page.hwnd(), IDC_OPT_EXCLUSIONS);
    EXPECT_EQ(engine.choices().exclusions.entries(), (std::vector<Exclusion>{{Exclusion::Kind::Folder, u8"D:\\资料\\"}}));
    ASSERT_GE(answer.count(), 2);
    EXPECT_EQ(answer.boxes()[answer.count() - 2].text + "|" + answer.boxes().back().text, "已在排除列表中|请输入文件夹或文件名");
  });
}

// A drive whose listing never ends: a scan of it runs until it is asked to stop.
struct EndlessListing : DirListing {
  bool next(DirEntry& entry) override { return (entry = fileEntry("keep" + std::to_string(++count) + ".dat")), true; }
  int count = 0;
};

// The configuration is loaded at the start and saved at the exit, which asks first; an
// exit while a scan runs stops the scan, without "扫描完毕", before it saves.
TEST_F(MainDialogRun, LoadsTheConfigurationExitsOnlyOnYesStopsTheScanAndSaves) {
  CleanEngine stored(platform);
  stored.choices().settings.tempFiles = stored.choices().traceFlags.recycleBin = 0;
  stored.choices().rules.append({1, ".pcf", "说明", 0});
  ASSERT_TRUE(saveConfig(stored.choices(), stored.platform(), configPath).saved);
  platform.listingHook = [](const std::string& dir) -> std::unique_ptr<DirListing> {
    return dir == "C:\\" ? std::make_unique<EndlessListing>() : nullptr;
  };
  platform.driveTypes["C:\\"] = kDriveFixed;  // the disk page keeps only fixed drives
  answer.QueueAnswers({IDNO, IDYES});
  bool stillOpenAfterNo = false, started = false;
  main.closeAfterScript = false;
  Run([&] {
    EXPECT_EQ(engine.choices().rules.count(), 1);
    // The pages were made from what was loaded.
    EXPECT_EQ(IsDlgButtonChecked(main.optionsPage().hwnd(), IDC_OPT_TEMP), static_cast<UINT>(BST_UNCHECKED));
    engine.choices().rules.append({1, "doc.txt", "", 0});  // the pages never overwrite the rules at close
    started = engine.startDiskScan();
    PumpUntil([&] { return engine.progress().running(ScanKind::Disk); });
    Command(ID_TRAY_EXIT);
    stillOpenAfterNo = main.IsVisible() && TrayIconShown();
    Command(ID_TRAY_EXIT);  // posts the close, which the loop then carries out
  });
  EXPECT_TRUE(stillOpenAfterNo && started && !engine.scanBusy());
  ASSERT_EQ(answer.count(), 2);
  EXPECT_EQ(answer.boxes()[0].caption + "|" + answer.boxes()[0].text, "提示|确实要退出程序么?");
  EXPECT_FALSE(main.exists() || TrayIconShown());
  CleanEngine reread(platform);
  ASSERT_EQ(readConfigFile(reread.choices(), reread.platform(), configPath).status, ConfigStatus::Loaded);
  EXPECT_EQ((std::vector<int>{reread.choices().settings.tempFiles, reread.choices().traceFlags.recycleBin, reread.choices().rules.count()}),
            (std::vector<int>{0, 0, 2}));
}

// A logoff ends the program without WM_DESTROY: the end of the session stops the scan,
// saves and takes the icon away, without a box nobody would answer.
TEST_F(MainDialogRun, TheEndOfTheSessionStopsTheScanAndSaves) {
  platform.listingHook = [](const std::string& dir) -> std::unique_ptr<DirListing> {
    return dir == "C:\\" ? std::make_unique<EndlessListing>() : nullptr;
  };
  platform.driveTypes["C:\\"] = kDriveFixed;
  bool started = false, stopped = false;
  int savedRules = -1;
  Run([&] {
    engine.choices().rules.append({1, "doc.txt", "", 0});
    started = engine.startDiskScan();
    PumpUntil([&] { return engine.progress().running(ScanKind::Disk); });
    SendMessageA(main.hwnd(), WM_ENDSESSION, TRUE, 0);
    stopped = !engine.scanBusy() && !TrayIconShown();
    CleanEngine reread(platform);
    if (readConfigFile(reread.choices(), reread.platform(), configPath).status == ConfigStatus::Loaded) {
      savedRules = reread.choices().rules.count();
    }
  });
  EXPECT_TRUE(started && stopped);
  EXPECT_EQ(savedRules, 1);
  EXPECT_EQ(answer.count(), 0);
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
  HWND notice = nullptr;
  bool overAtTheBox = false;
  answer.onOpen = [&](HWND box) {
    const MessageBoxAnswerer::Box& opened = answer.boxes().back();
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
  answer.QueueAnswers({IDOK, 0, 0});
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
  ASSERT_EQ(answer.count(), 3);
  EXPECT_EQ(answer.boxes()[0].text + answer.boxes()[2].text, kScanBusyText + "扫描完毕"s);
  EXPECT_TRUE(overAtTheBox);
  EXPECT_EQ(engine.findings().at(0).toDelete, 0);  // "全不选" worked while "扫描完毕" was open
}

// The catalog's groups after the browsers, with what this machine shows; ticks that stay
// with their names when the catalog changes; a winapp2.ini imported beside data.dsfw in a
// group of its own, unticked, its broken entry counted.
TEST_F(MainDialogRun, TheCatalogsGroupsTicksByNameAndAWinapp2Import) {
  const std::string alpha = Entry("Alpha", u8"甲", u8"ScourixGroup=系统垃圾\nDefault=True\n");
  const std::string beta = Entry("Beta", u8"乙", u8"ScourixGroup=软件垃圾\nDefault=True\nDetectFile=%WinDir%\\no such folder\n");
  const std::string gamma = Entry("Gamma", u8"丙", u8"ScourixGroup=可选\nWarning=要重新下载\n");
  const std::string delta = Entry("Delta", u8"丁", u8"ScourixGroup=系统垃圾\nDefault=True\n");
  platform.catalogText = alpha + beta + gamma;
  Run([&] {
    Command(ID_TRAY_TRACE);
    EXPECT_EQ(CatalogTree(main), "系统垃圾[甲+ ] 可选[丙- ] ");
    TreeView tree;
    tree.Attach(main.tracePage().Item(IDC_TRACE_TREE));
    ClickBox(tree, main.tracePage().CatalogTreeItem("Alpha"));
    ClickBox(tree, main.tracePage().CatalogTreeItem("Gamma"));  // after its warning
  });
  ASSERT_EQ(answer.count(), 1);
  EXPECT_EQ(answer.boxes()[0].text, "丙：要重新下载\r\n\r\n确实要选中么?");

  platform.catalogText = gamma + delta + alpha;  // another order, a new entry
  const std::string picked = folder.path("picked.ini");
  const std::string imported = Entry("Gamma", u8"导入丙", "Default=True\n") + "[Broken *]\nSection=Test\nFileKey1=%WinDir%\\x|*|NOSUCHFLAG\n\n" +
                               Entry("Epsilon", u8"戊", "");
  TempTree::write(picked, imported);
  answer.fileName = picked;
  char workingFolder[MAX_PATH] = {};  // the file dialog moves it
  GetCurrentDirectoryA(MAX_PATH, workingFolder);
  RunAgain([&](Scripted<MainDialog>& again) {
    EXPECT_EQ(CatalogTree(again), "可选[丙+ ] 系统垃圾[丁+ 甲- ] ");
    EXPECT_EQ(WindowText(again.rulesPage().Item(IDC_RULES_CATALOG_STATUS)), "未导入 winapp2.ini");
    ClickButton(again.rulesPage().hwnd(), IDC_RULES_IMPORT_CATALOG);
    EXPECT_EQ(CatalogTree(again), "可选[丙+ ] 系统垃圾[丁+ 甲- ] 导入的 winapp2.ini 条目[导入丙- 戊- ] ");
    EXPECT_EQ(WindowText(again.rulesPage().Item(IDC_RULES_CATALOG_STATUS)), "已导入 winapp2.ini：2 个条目");
  });
  SetCurrentDirectoryA(workingFolder);
  ASSERT_EQ(answer.count(), 3);  // the warning, the file dialog and what the import says
  EXPECT_EQ(answer.boxes()[2].text, "已导入 2 个条目，跳过 1 个无法读取的条目。");
  EXPECT_EQ(TempTree::read(folder.path(kImportedCatalogFileName)), imported);
  RunAgain([&](Scripted<MainDialog>& again) {  // read at the start
    EXPECT_EQ(CatalogTree(again), "可选[丙+ ] 系统垃圾[丁+ 甲- ] 导入的 winapp2.ini 条目[导入丙- 戊- ] ");
  });
}

// Without administrator rights the system items show the shield and the page offers the
// restart: a "no" changes no choice; the choices are saved before each start, for the new
// program to load, and the new one opens on the trace page with the same ticks.
TEST_F(MainDialogRun, WithoutRightsARestartCarriesThePageAndTheChoices) {
  platform.elevated = false;
  platform.elevatedStart = ElevatedStart::Declined;
  const std::string tricky = u8"Say \"hi\" \\ 缓存\\";
  platform.catalogText = Entry("Alpha", u8"甲", u8"ScourixGroup=系统垃圾\nScourixAdmin=1\nDefault=True\n") +
                     Entry(tricky, u8"乙", u8"ScourixGroup=软件垃圾\nDefault=True\n");
  engine.choices().traceFlags.chromeCache = 0;
  main.closeAfterScript = false;
  Run([&] {
    Command(ID_TRAY_TRACE);
    TraceCleanPage& page = main.tracePage();
    EXPECT_TRUE(IsWindowVisible(page.Item(IDC_TRACE_RESTART)));
    TreeView tree;
    tree.Attach(page.Item(IDC_TRACE_TREE));
    const HTREEITEM system = ItemsBelow(tree, TVI_ROOT)[kTraceItemCount + 1];
    EXPECT_EQ((std::vector<int>{ImageOf(tree, system), ImageOf(tree, page.CatalogTreeItem("Alpha")), ImageOf(tree, page.CatalogTreeItem(tricky))}),
              (std::vector<int>{page.images().shield(), page.images().shield(), 0}));
    EXPECT_NE(page.images().shield(), 0);
    ClickButton(page.hwnd(), IDC_TRACE_RESTART);
    PumpPending();
    EXPECT_TRUE(main.IsVisible());
    platform.elevatedStart = ElevatedStart::Started;
    ClickBox(tree, page.CatalogTreeItem("Alpha"));
    ClickButton(page.hwnd(), IDC_TRACE_RESTART);
  });
  EXPECT_FALSE(main.exists());
  CleanEngine saved(platform);
  ASSERT_EQ(readConfigFile(saved.choices(), saved.platform(), configPath).status, ConfigStatus::Loaded);
  EXPECT_EQ(saved.choices().traceFlags.chromeCache + saved.choices().catalogTicks.at("Alpha"), 0);
  EXPECT_EQ(answer.count(), 0);
  ASSERT_EQ(platform.elevatedStarts.size(), 2u);
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW((L"scourix.exe " + wideFromUtf8(platform.elevatedStarts[1])).c_str(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(utf8FromWide(argv[i], std::wcslen(argv[i])));
  LocalFree(argv);
  RestartRequest request;
  ASSERT_TRUE(ParseRestart(arguments, request));
  EXPECT_EQ(request.page, kTracePageIndex);
  EXPECT_EQ(request.tickedItems,
            (std::vector<std::string>{"tempInternetFiles", "internetHistory", "internetCookies", "offlinePages", "recycleBin",
                                      "windowsTemp", "recentDocuments", "edgeCache", "firefoxCache", "safe360Cache",
                                      "speed360Cache", "qqBrowserCache", "browser2345Cache", tricky}));
  platform.elevated = true;
  RunAgain(
      [&](Scripted<MainDialog>& elevated) {
        EXPECT_EQ(elevated.tabs().GetCurSel(), kTracePageIndex);
        EXPECT_FALSE(IsWindowVisible(elevated.tracePage().Item(IDC_TRACE_RESTART)));
        EXPECT_EQ(CatalogTree(elevated), "系统垃圾[甲- ] 软件垃圾[乙+ ] ");
      },
      &request);
  CleanEngine reread(platform);
  ASSERT_EQ(readConfigFile(reread.choices(), reread.platform(), configPath).status, ConfigStatus::Loaded);
  EXPECT_EQ(reread.choices().traceFlags.chromeCache + reread.choices().catalogTicks.at("Alpha"), 0);
}

// Only a missing file is a first run: one that is there but cannot be opened is reported
// and never saved over.
TEST_F(MainDialogRun, AConfigurationFileThatCannotBeOpenedIsReportedAndKept) {
  TempTree::write(configPath, "stored settings");
  HANDLE held = CreateFileA(configPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  Run([&] { CloseHandle(held); });
  ASSERT_EQ(answer.count(), 1);
  EXPECT_EQ(answer.boxes()[0].text, "加载配置文件出错");
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
