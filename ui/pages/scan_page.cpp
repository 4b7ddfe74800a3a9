#include "ui/pages/scan_page.h"

#include <utility>

#include "engine/clean_engine.h"
#include "ui/framework/data_exchange.h"
#include "ui/pages/options_page.h"
#include "ui/pages/scan_busy_notice.h"

namespace scourix {

namespace {

// Copies a snapshot of the current path into `pathText` and its field, and the counter
// into the bar.
void MirrorScanProgress(const CleanEngine& engine, std::string& pathText, const Edit& pathEdit,
                        const ProgressBar& progress) {
  std::string path = engine.progress().currentPath();
  // Setting an unchanged text would only make the field flicker.
  if (path != pathText) {
    pathText = std::move(path);
    pathEdit.SetText(pathText);
  }
  progress.SetPos(engine.progress().position());
}

}  // namespace

ScanPage::ScanPage(int templateId, CleanEngine& engine, OptionsPage& options)
    : FilteredDialog(templateId), engine_(engine), options_(options) {}

void ScanPage::ExchangeScanControls(DataExchange& exchange, int progressId, int startId,
                                    int pathId) {
  exchange.Control(progressId, progress_);
  exchange.Control(startId, startButton_);
  exchange.Control(pathId, pathEdit_);
  exchange.Text(pathId, pathText_);
}

bool ScanPage::HandleMessage(UINT message, WPARAM, LPARAM, LRESULT&) {
  if (message == WM_TIMER) OnTimer();
  if (message == WM_DESTROY) OnDestroy();
  return false;
}

void ScanPage::MirrorWhileRunning(ScanKind kind) {
  if (engine_.progress().running(kind)) MirrorScanProgress(engine_, pathText_, pathEdit_, progress_);
}

void ScanPage::StartOrStopScan(std::int32_t progressMax, bool (CleanEngine::*start)()) {
  if (scanning_) {
    engine_.stopScan();
    return;
  }
  // Refused before anything is touched, so that the running scan keeps what it uses.
  if (!CanStartScan(engine_)) {
    ShowScanBusyNotice(hwnd_);
    return;
  }
  if (options_.exists()) options_.ApplyToSettings();
  ReadChecks();
  progress_.SetRange32(0, progressMax);
  progress_.SetPos(0);
  if (!(engine_.*start)()) {
    ShowScanBusyNotice(hwnd_);
    return;
  }
  scanning_ = true;
  startButton_.SetText("停止扫描");
}

void ScanPage::ShowFullProgress(int position) { progress_.SetPos(position); }

void ScanPage::ShowStartButton() {
  scanning_ = false;
  startButton_.SetText("开始扫描");
}

void ScanPage::ResetProgress() {
  progress_.SetPos(0);
  pathText_.clear();
  pathEdit_.SetText(pathText_);
}

}  // namespace scourix
