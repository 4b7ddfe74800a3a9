#pragma once
// The trace cleaning page (tab "清理临时文件"): the seven kinds of usage traces and the group
// of browser caches as a check-box tree with their descriptions, and the trace scan with
// its progress.
#include <string>
#include <vector>

#include "ui/controls/check_tree_ctrl.h"
#include "ui/framework/controls.h"
#include "ui/pages/scan_page.h"

namespace scourix {

class TraceCleanPage : public ScanPage {
 public:
  TraceCleanPage(CleanEngine& engine, OptionsPage& options);

  // Copies the items' check marks into the engine's trace flags.
  void ReadTraceChecks();

  const std::string& descriptionText() const { return descriptionText_; }
  const std::vector<HTREEITEM>& traceItems() const { return traceItems_; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool OnCommand(int id, UINT code) override;
  void ReadChecks() override { ReadTraceChecks(); }

 private:
  void FillTraceTree();
  void OnStart();
  void OnSelChanged();
  void OnTimer() override;
  void OnSelectAll();
  void OnSelectNone();
  void SetAllItems(CheckState state);
  void OnDestroy() override;

  CheckTreeCtrl tree_;
  CheckTreeImages treeImages_;
  std::string descriptionText_;
  std::vector<HTREEITEM> traceItems_;  // in the order of AllTraceItems()
};

}  // namespace scourix
