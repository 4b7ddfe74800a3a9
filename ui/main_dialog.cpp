#include "ui/main_dialog.h"

#include <utility>

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "settings/config_file.h"
#include "ui/dock_layout.h"
#include "ui/framework/data_exchange.h"
#include "ui/tray_icon.h"

namespace scourix {

namespace {

// The about box: shown modally, closed with its OK button.
class AboutDialog : public Dialog {
 public:
  AboutDialog() : Dialog(IDD_ABOUT) {}
};

}  // namespace

MainDialog::MainDialog(CleanEngine& engine, std::string configPath)
    : FilteredDialog(IDD_MAIN),
      engine_(engine),
      configPath_(std::move(configPath)),
      tracePage_(engine, optionsPage_),
      diskPage_(engine, optionsPage_),
      optionsPage_(engine),
      resultWindow_(engine),
      rulesPage_(engine),
      icon_(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP))),
      scanSteps_(*this) {}

MainDialog::~MainDialog() {
  // The window's handlers must run while the members still exist.
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void MainDialog::DoDataExchange(DataExchange& exchange) { exchange.Control(IDC_MAIN_TABS, tabs_); }

BOOL MainDialog::OnInitDialog() {
  FilteredDialog::OnInitDialog();
  AddAboutItem();
  Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  BuildPages();
  // The keyboard starts on the tab strip, from where Tab goes into the page: set once the
  // window is shown and active.
  PostMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tabs_.hwnd()), TRUE);
  return FALSE;
}

void MainDialog::AddAboutItem() {
  HMENU systemMenu = GetSystemMenu(hwnd_, FALSE);
  if (systemMenu == nullptr) return;
  char text[256] = {};
  if (LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUT_ITEM, text, sizeof text) <= 0) return;
  AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(systemMenu, MF_STRING, IDM_ABOUT_BOX, text);
}

void MainDialog::BuildPages() {
  AddTrayIcon();
  LoadConfig();
  tracePage_.SetImportedCatalogPath(ImportedCatalogPath());
  if (restart_) tracePage_.SetStartTicks(restart_->tickedItems);
  tracePage_.SetRestartHandler([this](const std::vector<std::string>& ticked) { RestartElevated(ticked); });
  rulesPage_.SetCatalogImport(ImportedCatalogPath(), [this] {
    tracePage_.ReloadCatalog();
    return tracePage_.ImportedCount();
  });
  diskPage_.Create(hwnd_);
  tracePage_.Create(hwnd_);
  optionsPage_.Create(hwnd_);
  resultWindow_.Create(hwnd_);
  rulesPage_.Create(hwnd_);
  rulesPage_.ShowCatalogStatus(tracePage_.ImportedCount());
  resultWindow_.Show(SW_SHOWNORMAL);
  tabs_.AddPage("清理磁盘", &diskPage_);
  tabs_.AddPage("清理临时文件", &tracePage_);
  tabs_.AddPage("选项设置", &optionsPage_);
  tabs_.AddPage("自定义规则", &rulesPage_);
  engine_.setObserver(&scanSteps_);
  if (restart_) tabs_.SelectPage(restart_->page);

  // The pair goes into the work area of the monitor the program starts on.
  const POINT origin = StartupMainOrigin(SizeOf(WindowRect()), SizeOf(resultWindow_.WindowRect()), WorkArea());
  SetWindowPos(hwnd_, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  DockResultWindow();
}

RECT MainDialog::WorkArea() const {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor)) {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
  }
  return monitor.rcWork;
}

void MainDialog::AddTrayIcon() {
  // Explorer, restarted, asks for the icon again; an elevated window would not hear it,
  // and hidden in the tray it would have no way back.
  ChangeWindowMessageFilterEx(hwnd_, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
  tray_ = MakeTrayRecord(hwnd_, icon_);
  trayAdded_ = true;
  Shell_NotifyIconA(NIM_ADD, &tray_);
}

void MainDialog::RemoveTrayIcon() {
  if (!trayAdded_) return;
  trayAdded_ = false;
  Shell_NotifyIconA(NIM_DELETE, &tray_);
}

void MainDialog::LoadConfig() {
  const LoadMeaning meaning = meaningOf(loadConfig(engine_.choices(), engine_.platform(), configPath_));
  keepConfigFile_ = !meaning.windowMaySave;
  if (meaning.windowNotice != nullptr) MessageBoxA(hwnd_, meaning.windowNotice, "提示", MB_OK);
}

std::string MainDialog::ImportedCatalogPath() const {
  return importedCatalogPath(configPath_);
}

void MainDialog::RestartElevated(const std::vector<std::string>& tickedItems) {
  // The elevated program loads data.dsfw: it gets every choice made here (rules, options,
  // drives), saved before it starts; this program then ends without saving, so that from
  // then on only the elevated one writes the file.
  if (!SaveChoices()) return;
  switch (engine_.platform().startElevated(RestartParameters(RestartRequest{kTracePageIndex, tickedItems}))) {
    case ElevatedStart::Started:
      restarted_ = true;
      PostMessageA(hwnd_, WM_CLOSE, 0, 0);
      break;
    case ElevatedStart::Declined:
      break;
    case ElevatedStart::Failed:
      MessageBoxA(hwnd_, "无法以管理员身份重新启动", "提示", MB_OK);
      break;
  }
}

bool MainDialog::SaveChoices(bool reportFailure) {
  diskPage_.ReadDriveChecks();
  tracePage_.ReadTraceChecks();
  optionsPage_.ApplyToSettings();
  if (keepConfigFile_ || restarted_) return true;
  if (saveConfig(engine_.choices(), engine_.platform(), configPath_).saved) return true;
  if (reportFailure) MessageBoxA(hwnd_, "保存配置文件出错", "提示", MB_OK);
  return false;
}

void MainDialog::DockResultWindow() {
  // A minimised main window hides the list with itself; it is docked again when restored.
  if (!resultWindow_.exists() || IsIconic(hwnd_)) return;
  const RECT docked = DockedResultRect(WindowRect(), SizeOf(resultWindow_.WindowRect()), WorkArea());
  resultWindow_.Move(docked.left, docked.top, docked.right - docked.left, docked.bottom - docked.top, true);
}

void MainDialog::ToggleMainWindow() {
  const bool wasVisible = IsVisible();
  Show(SW_SHOWMINIMIZED);
  Sleep(static_cast<DWORD>(effectDelayMs_));
  Show(wasVisible ? SW_HIDE : SW_SHOWNORMAL);
}

void MainDialog::ShowPage(int index) {
  Show(SW_SHOWNORMAL);
  tabs_.SelectPage(index);
}

void MainDialog::ShowTrayMenu() {
  HMENU popup = nullptr;
  HMENU menu = LoadTrayMenu(IsVisible(), popup);
  if (menu == nullptr) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow(hwnd_);
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd_, nullptr);
  DestroyMenu(menu);
}

bool MainDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_SYSCOMMAND:
      return OnSysCommand(wParam);
    case WM_PAINT:
      return OnPaint();
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<LRESULT>(icon_);
      return true;
    case WM_SIZE:
    case WM_MOVE:
      DockResultWindow();
      return false;
    case WM_DESTROY:
      OnDestroy();
      return false;
    case WM_TRAYICON:
      OnTrayIcon(lParam);
      return true;
    case WM_SCANOVER:
      scanSteps_.AnnounceScanOver(static_cast<ScanKind>(wParam));
      return true;
    case WM_ENDSESSION:
      // A logoff or shutdown ends the program after this message, without WM_DESTROY.
      if (wParam != FALSE) OnEndSession();
      result = 0;
      return true;
    default:
      // Explorer started anew (after a crash, or later than this program at logon): its
      // taskbar has no icons yet, and a hidden window would have no way back.
      if (message == TaskbarCreatedMessage() && trayAdded_) {
        Shell_NotifyIconA(NIM_ADD, &tray_);
        return true;
      }
      return false;
  }
}

bool MainDialog::OnSysCommand(WPARAM command) {
  if ((command & 0xFFF0) == IDM_ABOUT_BOX) {
    OnAbout();
    return true;
  }
  if (command == SC_MINIMIZE) {
    Show(SW_SHOWMINIMIZED);
    Sleep(static_cast<DWORD>(effectDelayMs_));
    Show(SW_HIDE);
    return true;
  }
  return false;
}

bool MainDialog::OnPaint() {
  if (!IsIconic(hwnd_)) return false;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  const RECT client = ClientRect();
  const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, icon_);
  EndPaint(hwnd_, &paint);
  return true;
}

void MainDialog::OnTrayIcon(LPARAM mouseMessage) {
  const TrayAction action = TrayActionFor(mouseMessage);
  if (action == TrayAction::None) return;
  // A modal window (a message box, the about box, the rule editor) holds the main window:
  // the icon only brings it forward, so nothing can close the window beneath it.
  if (!IsEnabled()) {
    SetForegroundWindow(GetLastActivePopup(hwnd_));
    return;
  }
  switch (action) {
    case TrayAction::Foreground:
      SetForegroundWindow(hwnd_);
      break;
    case TrayAction::Toggle:
      ToggleMainWindow();
      break;
    case TrayAction::Menu:
      ShowTrayMenu();
      break;
    case TrayAction::None:
      break;
  }
}

template <int page>
void MainDialog::OnShowPage() {
  ShowPage(page);
}

bool MainDialog::OnCommand(int id, UINT code) {
  static constexpr Command<MainDialog> kCommands[] = {
      {ID_TRAY_TOGGLE, kMenuCommand, &MainDialog::ToggleMainWindow},
      {ID_TRAY_DISK, kMenuCommand, &MainDialog::OnShowPage<kDiskPageIndex>},
      {ID_TRAY_TRACE, kMenuCommand, &MainDialog::OnShowPage<kTracePageIndex>},
      {ID_TRAY_OPTIONS, kMenuCommand, &MainDialog::OnShowPage<kOptionsPageIndex>},
      {ID_TRAY_RULES, kMenuCommand, &MainDialog::OnShowPage<kRulesPageIndex>},
      {ID_TRAY_ABOUT, kMenuCommand, &MainDialog::OnAbout},
      {ID_TRAY_EXIT, kMenuCommand, &MainDialog::OnExit},
  };
  return RunCommand(*this, kCommands, id, code);
}

void MainDialog::OnWindowKey(WindowKey key) {
  switch (key) {
    case WindowKey::NextPage:
      tabs_.SelectNextPage(1);
      break;
    case WindowKey::PreviousPage:
      tabs_.SelectNextPage(-1);
      break;
    case WindowKey::OtherWindow:
      resultWindow_.TakeFocus();
      break;
    case WindowKey::None:
      break;
  }
}

void MainDialog::OnAbout() {
  AboutDialog about;
  about.DoModal(hwnd_);
}

void MainDialog::OnExit() {
  if (MessageBoxA(hwnd_, "确实要退出程序么?", "提示", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  Sleep(static_cast<DWORD>(effectDelayMs_));
  PostMessageA(hwnd_, WM_CLOSE, 0, 0);
}

// The window goes at once, with every box it owns: a close may come from inside the loop
// of a box (one opened by a handler further down the stack, "扫描完毕" or the notice
// beneath it), and the modal run only sees its end once those loops have returned.
void MainDialog::OnCancel() {
  StopScanAndWait();
  FilteredDialog::OnCancel();
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

// A scan that still runs is asked to end; its worker only waits for the steps it sends
// to this thread (which skip the windows now), never for a box, so pumping lets it end
// before anything is saved or destroyed.
void MainDialog::StopScanAndWait() {
  if (engine_.scanBusy()) {
    engine_.requestStop();
    while (engine_.scanBusy()) {
      PumpPendingMessages();
      if (engine_.scanBusy()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  // A worker past its scan's end only posts WM_SCANOVER; it is collected here.
  engine_.waitForScan();
}

void MainDialog::OnEndSession() {
  StopScanAndWait();
  // No box: nobody would answer it while the session ends.
  SaveChoices(false);
  RemoveTrayIcon();
}

void MainDialog::OnDestroy() {
  StopScanAndWait();
  engine_.setObserver(nullptr);
  SaveChoices();
  RemoveTrayIcon();
}

}  // namespace scourix
