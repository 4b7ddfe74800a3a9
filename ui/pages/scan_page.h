#pragma once
// What the two scanning pages (disk and trace) share: the progress bar, the start button
// (which stops the page's scan while it runs) and the current-path field, the start of a scan, the polling timer, and the steps that
// a worker carries out on them at the end of its scan (on the user-interface thread).
#include <cstdint>
#include <string>

#include "engine/scan_observer.h"

#include "ui/framework/controls.h"
#include "ui/framework/key_filter.h"

namespace scourix {

class CleanEngine;
class DataExchange;
class OptionsPage;

// The scanning pages poll the running scan: timer 1 every 100 ms copies the engine's
// current path and progress counter into the page's path field and progress bar.
constexpr UINT_PTR kProgressTimerId = 1;
constexpr UINT kProgressTimerMs = 100;

class ScanPage : public FilteredDialog {
 public:
  ScanPage(int templateId, CleanEngine& engine, OptionsPage& options);

  // The progress bar shows the worker's final counter (the bar is full).
  void ShowFullProgress(int position);
  // The page's button starts a scan again ("开始扫描").
  void ShowStartButton();
  // After "扫描完毕" was closed: the bar at 0, the path text and its field empty.
  void ResetProgress();

  const std::string& pathText() const { return pathText_; }

 protected:
  // Binds the bar, the button and the path field, and the path text to its field.
  void ExchangeScanControls(DataExchange& exchange, int progressId, int startId, int pathId);
  // The timer's step: while this page's kind of scan runs, its path and counter show.
  void MirrorWhileRunning(ScanKind kind);
  // While the page's scan runs: stops it. Otherwise applies the options, reads the page's
  // ticks, readies the bar and starts the scan; the button then reads "停止扫描". A start
  // while any scan runs is refused with a notice, before anything changes; one while
  // another process of the program scans (an unattended clean), by the engine.
  void StartOrStopScan(std::int32_t progressMax, bool (CleanEngine::*start)());
  // Copies the page's check marks into the engine.
  virtual void ReadChecks() = 0;
  // The page's timer and the destruction of its window, on both pages alike.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  virtual void OnTimer() = 0;
  virtual void OnDestroy() = 0;

  CleanEngine& engine_;
  OptionsPage& options_;

 private:
  ProgressBar progress_;
  Button startButton_;
  Edit pathEdit_;
  std::string pathText_;
  bool scanning_ = false;  // the page's scan runs: its button stops it
};

}  // namespace scourix
