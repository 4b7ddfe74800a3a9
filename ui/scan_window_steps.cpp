#include "ui/scan_window_steps.h"

#include "engine/clean_engine.h"
#include "ui/framework/ui_thread.h"
#include "ui/main_dialog.h"
#include "ui/scan_end_text.h"

namespace scourix {

void ScanWindowSteps::scanStarted(ScanKind) {
  RunOnUiThread([this] {
    ResultListDialog& result = main_.resultWindow();
    if (!result.exists()) return;
    SetForegroundWindow(result.hwnd());
    result.RebuildList();
  });
}

void ScanWindowSteps::scanFinished(ScanKind kind) {
  ScanPage& page = kind == ScanKind::Disk ? static_cast<ScanPage&>(main_.diskPage())
                                          : static_cast<ScanPage&>(main_.tracePage());
  CleanEngine& engine = main_.engine();
  RunOnUiThread([this] {
    if (main_.resultWindow().exists()) main_.resultWindow().RebuildList();
  });
  RunOnUiThread([&] {
    if (page.exists()) page.ShowFullProgress(engine.progressPos);
  });
  RunOnUiThread([&] {
    if (page.exists()) page.EnableStartButton();
  });
  RunOnUiThread([&] {
    // While the main window closes nobody is there to read the box.
    if (engine.stopRequested()) return;
    const std::string text = ScanEndText(kind, engine.unreadableLocations());
    MessageBoxA(main_.exists() ? main_.hwnd() : nullptr, text.c_str(), "提示", MB_OK);
  });
  RunOnUiThread([&] {
    if (page.exists()) page.ResetProgress();
  });
}

}  // namespace scourix
