#pragma once
// The result list window: what the last scan found, one line with a check box and the
// size per file. The engine's found-file list is the model; the window keeps each
// record's line by the record's index, and each line holds its record's index plus one as
// its item data. A box the user toggles goes straight into its record's toDelete flag, so
// a deletion reads no boxes. The lines' order is the window's own: it never changes the
// found-file list.
#include <cstdint>
#include <functional>
#include <vector>

#include "engine/exclusions.h"
#include "ui/controls/check_tree_ctrl.h"
#include "ui/framework/controls.h"
#include "ui/framework/key_filter.h"
#include "ui/result_list_text.h"
#include "ui/view_action.h"

namespace scourix {

class CleanEngine;
class FoundFile;

class ResultListDialog : public FilteredDialog {
 public:
  // Carries out a request of "查看", "打开所在文件夹" or for the system's Disk Cleanup; false when
  // the shell could not. Tests replace it to see what would be opened.
  using ShellLauncher = std::function<bool(const ShellOpen&)>;
  // Shows a line's menu at a screen point and returns the chosen command, 0 for none;
  // tests replace it to choose.
  using MenuChooser = std::function<int(HMENU menu, POINT screen)>;

  explicit ResultListDialog(CleanEngine& engine);
  ~ResultListDialog() override;

  // Empties the tree and makes one line per found file, in the chosen order.
  void RebuildList();
  // The buttons are usable while no scan runs and the list has lines ("查看" needs a
  // selected one); the window's timer calls it, and the end of a scan at once.
  void UpdateButtons();
  // F6 from the main window: the window takes the focus when it has lines; false otherwise.
  bool TakeFocus();

  void SetShellLauncher(ShellLauncher launcher) { launcher_ = std::move(launcher); }
  void SetMenuChooser(MenuChooser chooser) { chooser_ = std::move(chooser); }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnCommand(int id, UINT code) override;
  // The menu key and Shift+F10 on the list open the selected line's menu.
  bool PreTranslateMessage(MSG& message) override;
  // F6 goes back to the main window.
  void OnWindowKey(WindowKey key) override;

 private:
  void OnView();
  void OnDelete();
  void OnSelectAll();
  void OnSelectNone();
  void OnOpenFolder();
  void OnCopyPath();
  void OnExcludeFolder();
  void OnExcludeType();
  // Adds the selected line's entry to the exclusion list; the lines it names leave the
  // list at once, and no later scan lists them.
  void Exclude(Exclusion (*entryOf)(std::string_view filePath));
  void OnSortBySize();
  void OnSortByCategory();
  void SortBy(LineOrder order);
  void MarkAll(bool toDelete);
  // Makes the line of record `index` at the end of the list, with the record's box.
  void InsertLine(int index);
  void OnBoxToggled(HTREEITEM item, CheckState before, CheckState after);
  // The line's menu: at the mouse, for the line under it, or (position -1, from the
  // keyboard) below the selected line.
  void OnContextMenu(LPARAM position);
  // The record a line shows; nullptr for a line no record shows.
  FoundFile* FileOfItem(HTREEITEM item);
  FoundFile* FileOfData(LPARAM data);
  // The record of the selected line; nullptr (after saying so) when it has none.
  const FoundFile* SelectedFile();
  // The path of a file as the shell may be given it; empty (after saying so) when the
  // shell would reach another file by it.
  std::string ShellPathOf(const FoundFile& file);
  void LaunchForSelected(ShellOpen (*requestFor)(const std::string& path));
  void ShowStatus();
  // The focus never rests on a grey button or an empty list: it goes to the list while
  // it has lines, else to the main window.
  void KeepFocusUsable();
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
  MenuChooser chooser_;
  LineOrder order_ = LineOrder::Found;
  // What the status line counts: every line, and the ticked ones.
  std::uint64_t totalBytes_ = 0;
  int tickedCount_ = 0;
  std::uint64_t tickedBytes_ = 0;
};

}  // namespace scourix
