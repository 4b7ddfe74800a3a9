#pragma once
// The main window: the tab control with the four pages, the result list window docked
// beside it, the tray icon, and the configuration file loaded at start and saved at close.
#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/controls/page_tab_ctrl.h"
#include "ui/framework/key_filter.h"
#include "ui/pages/disk_clean_page.h"
#include "ui/pages/options_page.h"
#include "ui/pages/rules_page.h"
#include "ui/pages/trace_clean_page.h"
#include "ui/restart_request.h"
#include "ui/result_list_dialog.h"
#include "ui/scan_window_steps.h"

namespace scourix {

class CleanEngine;

// Tab indices of the pages.
enum PageIndex { kDiskPageIndex = 0, kTracePageIndex = 1, kOptionsPageIndex = 2, kRulesPageIndex = 3 };

class MainDialog : public FilteredDialog {
 public:
  // configPath: the configuration file ("data.dsfw" beside the executable).
  MainDialog(CleanEngine& engine, std::string configPath);
  ~MainDialog() override;

  CleanEngine& engine() { return engine_; }
  PageTabCtrl& tabs() { return tabs_; }
  TraceCleanPage& tracePage() { return tracePage_; }
  DiskCleanPage& diskPage() { return diskPage_; }
  OptionsPage& optionsPage() { return optionsPage_; }
  ResultListDialog& resultWindow() { return resultWindow_; }
  RulesPage& rulesPage() { return rulesPage_; }
  HICON icon() const { return icon_; }
  const NOTIFYICONDATAA& trayRecord() const { return tray_; }

  // The pause of the minimised phase and before a close from the tray (300 ms).
  void SetEffectDelay(int milliseconds) { effectDelayMs_ = milliseconds; }
  // Started again with administrator rights: opens on the request's page with its ticks.
  void SetRestartRequest(RestartRequest request) { restart_ = std::move(request); }
  // The winapp2.ini the user imported: beside the configuration file.
  std::string ImportedCatalogPath() const;

  // Keeps the result window against the main window's left or right edge, on screen.
  void DockResultWindow();
  // Hides a visible main window or shows a hidden one, through a minimised phase.
  void ToggleMainWindow();
  // Shows the main window on a page.
  void ShowPage(int index);
  void ShowTrayMenu();

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnCommand(int id, UINT code) override;
  // The close (WM_CLOSE, Alt+F4, the close box, the tray's exit) ends the modal run.
  void OnCancel() override;
  // Ctrl+Tab and Ctrl+Shift+Tab switch pages; F6 goes to the result list when it has lines.
  void OnWindowKey(WindowKey key) override;
  // The pair of windows goes into the work area together (BuildPages).
  bool PlacesItself() const override { return true; }

 private:
  void BuildPages();
  // The work area of the monitor that holds most of the main window.
  RECT WorkArea() const;
  void AddTrayIcon();
  void RemoveTrayIcon();
  void LoadConfig();
  // The pages' choices, read back and saved; false (and reported) when the file could not be written.
  bool SaveChoices(bool reportFailure = true);
  void OnEndSession();
  void AddAboutItem();
  bool OnSysCommand(WPARAM command);
  bool OnPaint();
  void OnTrayIcon(LPARAM mouseMessage);
  template <int page>
  void OnShowPage();
  void OnAbout();
  void OnExit();
  void OnDestroy();
  void StopScanAndWait();
  // Starts the program again with administrator rights and these trace items ticked; once
  // it runs, this one ends without saving, so that only the new one saves data.dsfw.
  void RestartElevated(const std::vector<std::string>& tickedItems);

  CleanEngine& engine_;
  std::string configPath_;
  PageTabCtrl tabs_;
  TraceCleanPage tracePage_;
  DiskCleanPage diskPage_;
  OptionsPage optionsPage_;
  ResultListDialog resultWindow_;
  RulesPage rulesPage_;
  HICON icon_;
  NOTIFYICONDATAA tray_{};
  bool trayAdded_ = false;
  bool keepConfigFile_ = false;  // the file could not be read at start: not saved over
  bool restarted_ = false;       // the program runs again with administrator rights
  std::optional<RestartRequest> restart_;
  ScanWindowSteps scanSteps_;
  int effectDelayMs_ = 300;
};

}  // namespace scourix
