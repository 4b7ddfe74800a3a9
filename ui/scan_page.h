#pragma once
// What the two scanning pages (disk and trace) offer to the end-of-scan steps that a
// worker carries out on the user-interface thread.
#include "ui/framework/key_filter.h"

namespace scourix {

class ScanPage : public FilteredDialog {
 public:
  using FilteredDialog::FilteredDialog;

  // The progress bar shows the worker's final counter (the bar is full).
  virtual void ShowFullProgress(int position) = 0;
  // The page's start button can be pressed again.
  virtual void EnableStartButton() = 0;
  // After "扫描完毕" was closed: the bar at 0, the path text and its field empty.
  virtual void ResetProgress() = 0;
};

}  // namespace scourix
