#pragma once
// The options page (tab "选项设置"): the twelve junk categories of the disk scan as check
// boxes, the choice of deleting to the recycle bin, the exclusion list, and a description
// of the box clicked last.
#include <string>

#include "ui/framework/key_filter.h"
#include "ui/pages/check_choices.h"

namespace scourix {

class CleanEngine;

class OptionsPage : public FilteredDialog {
 public:
  explicit OptionsPage(CleanEngine& engine);

  // Reads the boxes (and the description) and copies the twelve flags into the engine's
  // scan settings, the recycle box into its options: what the boxes show is what the
  // next scan and deletion honour.
  void ApplyToSettings();
  // Shows the engine's scan settings and options in the boxes.
  void LoadFromSettings();

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool OnCommand(int id, UINT code) override;

 private:
  void OnCategoryClicked(int index);
  void OnRecycleClicked();
  void OnExclusions();
  void OnSaveSettings();
  void OnSelectAll();
  void OnSelectNone();
  void SetAllBoxes(int state);

  CleanEngine& engine_;
  CategoryBoxStates categoryBoxes_;
  int recycleBox_ = 0;
  std::string descriptionText_;
};

}  // namespace scourix
