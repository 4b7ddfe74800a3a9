#pragma once
// The windows' side of the scan worker: the steps of a running scan are carried out on
// the user-interface thread while the worker waits; the end of a scan is announced later
// by the main window, so that the worker never waits for the user.
#include <windows.h>

#include "engine/scan_observer.h"

namespace scourix {

class MainDialog;
class ScanPage;

// Posted to the main window when a scan is over; wParam is its ScanKind.
constexpr UINT WM_SCANOVER = WM_APP + 1;

class ScanWindowSteps : public ScanObserver {
 public:
  explicit ScanWindowSteps(MainDialog& main) : main_(main) {}

  // The result window comes to the front, unactivated, and shows the emptied list.
  void scanStarted(ScanKind kind) override;
  // The result list is rebuilt, the scanning page's bar shows full and its button starts
  // scans again, the trace page shows what was found beside its items; nothing while the
  // main window closes (its windows are about to go).
  void scanFinished(ScanKind kind) override;
  // Posts WM_SCANOVER to the main window and returns.
  void scanOver(ScanKind kind) override;

  // WM_SCANOVER on the user-interface thread: the result list's buttons are usable,
  // "扫描完毕" (or "扫描已停止") is shown, then the page's progress and path are reset. Nothing while the
  // main window closes.
  void AnnounceScanOver(ScanKind kind);

 private:
  ScanPage& PageOf(ScanKind kind);

  MainDialog& main_;
};

}  // namespace scourix
