#include "ui/scan_window_steps.h"

#include "engine/clean_engine.h"
#include "ui/framework/ui_thread.h"
#include "ui/main_dialog.h"
#include "ui/result_list_text.h"

namespace scourix {

ScanPage& ScanWindowSteps::PageOf(ScanKind kind) {
  if (kind == ScanKind::Disk) return main_.diskPage();
  return main_.tracePage();
}

void ScanWindowSteps::scanStarted(ScanKind) {
  RunOnUiThread([this] {
    ResultListDialog& result = main_.resultWindow();
    if (!result.exists()) return;
    // Not activated: the keyboard stays where the scan was started, not on an empty list.
    SetWindowPos(result.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    result.RebuildList();
    result.UpdateButtons();
  });
}

void ScanWindowSteps::scanFinished(ScanKind kind) {
  CleanEngine& engine = main_.engine();
  // A close stopped the scan: filling windows that are about to go only delays the end.
  if (engine.stopRequested()) return;
  ScanPage& page = PageOf(kind);
  RunOnUiThread([&] {
    if (main_.resultWindow().exists()) main_.resultWindow().RebuildList();
    if (!page.exists()) return;
    page.ShowFullProgress(engine.progress().position());
    page.ShowStartButton();
    if (kind == ScanKind::Trace) main_.tracePage().ShowFoundSizes();
  });
}

void ScanWindowSteps::scanOver(ScanKind kind) {
  // The main window outlives every worker: its close waits for the worker to end.
  PostMessageA(main_.hwnd(), WM_SCANOVER, static_cast<WPARAM>(kind), 0);
}

void ScanWindowSteps::AnnounceScanOver(ScanKind kind) {
  CleanEngine& engine = main_.engine();
  if (engine.stopRequested() || !main_.exists()) return;
  ResultListDialog& result = main_.resultWindow();
  if (result.exists()) result.UpdateButtons();
  const std::string text = ScanEndText(kind, engine.unreadableLocations(), engine.stoppedEarly());
  MessageBoxA(main_.hwnd(), text.c_str(), "提示", MB_OK);
  // The box may have stayed open long: the windows may be gone or a new scan running.
  ScanPage& page = PageOf(kind);
  if (page.exists() && !engine.scanBusy()) page.ResetProgress();
}

}  // namespace scourix
