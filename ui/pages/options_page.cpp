#include "ui/pages/options_page.h"

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "ui/framework/data_exchange.h"
#include "ui/pages/exclusions_dialog.h"

namespace scourix {
namespace {

constexpr char kRecycleDescription[] = "删除的文件放入回收站，需要时可以从回收站还原";

}  // namespace

OptionsPage::OptionsPage(CleanEngine& engine) : FilteredDialog(IDD_OPTIONS_PAGE), engine_(engine) {
  categoryBoxes_.fill(1);
}

BOOL OptionsPage::OnInitDialog() {
  FilteredDialog::OnInitDialog();
  LoadFromSettings();
  return TRUE;
}

void OptionsPage::DoDataExchange(DataExchange& exchange) {
  for (std::size_t i = 0; i < kCategoryBoxes.size(); ++i) exchange.Check(kCategoryBoxes[i].id, categoryBoxes_[i]);
  exchange.Check(IDC_OPT_RECYCLE, recycleBox_);
  exchange.Text(IDC_OPT_DESCRIPTION, descriptionText_);
}

// The twelve category boxes are rows of their own table, kCategoryBoxes.
bool OptionsPage::OnCommand(int id, UINT code) {
  static constexpr Command<OptionsPage> kCommands[] = {
      {IDC_OPT_RECYCLE, BN_CLICKED, &OptionsPage::OnRecycleClicked},
      {IDC_OPT_EXCLUSIONS, BN_CLICKED, &OptionsPage::OnExclusions},
      {IDC_OPT_SAVE, BN_CLICKED, &OptionsPage::OnSaveSettings},
      {IDC_OPT_SELECT_ALL, BN_CLICKED, &OptionsPage::OnSelectAll},
      {IDC_OPT_DEFAULTS, BN_CLICKED, &OptionsPage::OnSelectAll},
      {IDC_OPT_SELECT_NONE, BN_CLICKED, &OptionsPage::OnSelectNone},
  };
  const int box = CategoryBoxIndex(id);
  if (box < 0 || code != BN_CLICKED) return RunCommand(*this, kCommands, id, code);
  OnCategoryClicked(box);
  return true;
}

void OptionsPage::ApplyToSettings() {
  // Before the page is built its boxes hold no choice of the user's.
  if (!exists()) return;
  UpdateData(true);
  CopyBoxesToSettings(categoryBoxes_, engine_.choices().settings);
  engine_.choices().options.deleteToRecycleBin = recycleBox_;
}

void OptionsPage::LoadFromSettings() {
  CopySettingsToBoxes(engine_.choices().settings, categoryBoxes_);
  recycleBox_ = engine_.choices().options.deleteToRecycleBin;
  UpdateData(false);
}

// The box has already toggled itself; its new state, like every other box's, takes
// effect at once.
void OptionsPage::OnCategoryClicked(int index) {
  UpdateData(true);
  descriptionText_ = kCategoryBoxes[static_cast<std::size_t>(index)].description;
  UpdateData(false);
  ApplyToSettings();
}

void OptionsPage::OnRecycleClicked() {
  UpdateData(true);
  descriptionText_ = kRecycleDescription;
  UpdateData(false);
  ApplyToSettings();
}

// A scan that runs meanwhile keeps the list it started with.
void OptionsPage::OnExclusions() {
  ExclusionsDialog dialog(engine_.choices().exclusions);
  dialog.DoModal(hwnd_);
}

void OptionsPage::OnSaveSettings() {
  ApplyToSettings();
  // The file itself is written when the main window closes.
  MessageBoxA(hwnd_, "设置已保存", "提示", MB_OK);
}

// The buttons only change the boxes; the next click, save, scan start or exit applies them.
void OptionsPage::OnSelectAll() { SetAllBoxes(1); }

void OptionsPage::OnSelectNone() { SetAllBoxes(0); }

void OptionsPage::SetAllBoxes(int state) {
  UpdateData(true);
  categoryBoxes_.fill(state);
  UpdateData(false);
}

}  // namespace scourix
