#pragma once
// The windows' side of the scan worker: each step is carried out on the user-interface
// thread while the worker waits, in the order the scan needs them.
#include "engine/scan_observer.h"

namespace scourix {

class MainDialog;

class ScanWindowSteps : public ScanObserver {
 public:
  explicit ScanWindowSteps(MainDialog& main) : main_(main) {}

  // The result window comes to the front and shows the emptied list.
  void scanStarted(ScanKind kind) override;
  // The result list is rebuilt, the scanning page's bar shows full and its start button
  // is enabled, "扫描完毕" is shown and waited for (not while the main window closes),
  // then the page's progress and path are reset.
  void scanFinished(ScanKind kind) override;

 private:
  MainDialog& main_;
};

}  // namespace scourix
