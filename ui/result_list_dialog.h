#pragma once
// The result list window: what the last scan found, one line with a check box per file.
// The engine's found-file list is the model; the window keeps each record's line by the
// record's index, and each line holds its record's index plus one as its item data. A box
// the user toggles goes straight into its record's toDelete flag, so a deletion reads no
// boxes.
#include <cstdint>
#include <functional>
#include <vector>

#include "ui/controls/check_tree_ctrl.h"
#include "ui/framework/controls.h"
#include "ui/framework/key_filter.h"
#include "ui/view_action.h"

namespace scourix {

class CleanEngine;
struct FoundFile;

class ResultListDialog : public FilteredDialog {
 public:
  // Carries out a request of "查看"; tests replace it to see what would be opened.
  using ShellLauncher = std::function<void(const ShellOpen&)>;

  explicit ResultListDialog(CleanEngine& engine);
  ~ResultListDialog() override;

  // Empties the tree and makes one line per found file, in list order.
  void RebuildList();
  // The buttons are usable while no scan runs and the list has lines ("查看" needs a
  // selected one); the window's timer calls it, and the end of a scan at once.
  void UpdateButtons();

  void SetShellLauncher(ShellLauncher launcher) { launcher_ = std::move(launcher); }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnCommand(int id, UINT code) override;

 private:
  void OnView();
  void OnDelete();
  void OnSelectAll();
  void OnSelectNone();
  void MarkAll(bool toDelete);
  // Makes the line of record `index` at the end of the list, with the record's box.
  void InsertLine(int index);
  void OnBoxToggled(HTREEITEM item, CheckState before, CheckState after);
  // The record a line shows; nullptr for a line no record shows.
  FoundFile* FileOfItem(HTREEITEM item);
  FoundFile* FileOfData(LPARAM data);
  void ShowStatus();
  // While a scan runs: the notice that it does, and true.
  bool RefusedWhileScanning();

  CleanEngine& engine_;
  Button selectNone_;
  Button selectAll_;
  Button view_;
  Button delete_;
  CheckTreeCtrl tree_;
  // The line of each record, by the record's index, as the last rebuild made them.
  std::vector<HTREEITEM> lines_;
  CheckTreeImages treeImages_;
  Static status_;
  ShellLauncher launcher_;
  // What the status line counts: every line, and the ticked ones.
  std::uint64_t totalBytes_ = 0;
  int tickedCount_ = 0;
  std::uint64_t tickedBytes_ = 0;
};

}  // namespace scourix
