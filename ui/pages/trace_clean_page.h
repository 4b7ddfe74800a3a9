#pragma once
// The trace cleaning page (tab "清理临时文件"): the seven kinds of usage traces, the group of
// browser caches and the catalog's groups (catalog_groups.h) as a check-box tree with their
// descriptions and what the last scan found beside each label, the trace scan with its
// progress, and "以管理员身份重新启动" where the program lacks the rights its system items need.
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/catalog/machine.h"
#include "ui/controls/check_tree_ctrl.h"
#include "ui/framework/controls.h"
#include "ui/pages/scan_page.h"

namespace scourix {

struct TraceItem;

class TraceCleanPage : public ScanPage {
 public:
  // Told the names of the ticked items when the user asks for the restart.
  using RestartHandler = std::function<void(const std::vector<std::string>& tickedItems)>;

  TraceCleanPage(CleanEngine& engine, OptionsPage& options);

  // A user's winapp2.ini (beside data.dsfw), read whenever the tree fills and by each scan.
  void SetImportedCatalogPath(std::string path) { importedCatalogPath_ = std::move(path); }
  // The tree shows exactly these items ticked (by name) instead of the choices': the
  // program started again with administrator rights.
  void SetStartTicks(std::vector<std::string> names) { startTicks_.emplace(names.begin(), names.end()); }
  void SetRestartHandler(RestartHandler handler) { onRestart_ = std::move(handler); }

  // Copies the items' check marks into the engine's trace flags and catalog ticks.
  void ReadTraceChecks();
  // Reads the catalogs again and fills the tree anew, keeping the ticks.
  void ReloadCatalog();
  // What the last scan found, summed per item (and group) beside its label.
  void ShowFoundSizes();
  // The entries of the imported winapp2.ini, shown or not.
  int ImportedCount() const;
  // The names of the ticked items: trace items, browsers, then catalog items.
  std::vector<std::string> TickedItemNames() const;

  const std::string& descriptionText() const { return descriptionText_; }
  const std::vector<HTREEITEM>& traceItems() const { return traceItems_; }
  // The tree item of a catalog item shown, by its name; null when it is not shown.
  HTREEITEM CatalogTreeItem(const std::string& name) const;
  const CheckTreeImages& images() const { return treeImages_; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool OnCommand(int id, UINT code) override;
  void ReadChecks() override { ReadTraceChecks(); }

 private:
  // One line of the tree; its item's data is its index.
  struct Row {
    HTREEITEM item = nullptr;
    std::wstring label;
    std::vector<std::string> categories;  // of the findings shown beside the label
    std::string description;
    int group = -1;                       // the row of its group
    const TraceItem* trace = nullptr;
    int catalogItem = -1;                 // into catalog_.entries
  };

  void FillTraceTree();
  void LoadCatalog();
  HTREEITEM AddRow(Row row, HTREEITEM parent, int image, CheckState box);
  CheckState StartBox(const std::string& name, bool chosen) const;
  void OnStart();
  void OnSelChanged();
  void OnTimer() override;
  void OnSelectAll();
  void OnSelectNone();
  void OnRestart();
  void OnToggle(HTREEITEM item, CheckState before, CheckState after);
  // Asks before the rows' warnings are ticked; false: the user declined.
  bool ConfirmWarnings(const std::vector<int>& rows);
  std::vector<int> WarnedRowsBelow(HTREEITEM item) const;
  void SetAllItems(CheckState state);
  void OnDestroy() override;

  CheckTreeCtrl tree_;
  CheckTreeImages treeImages_;
  Button restartButton_;
  std::string descriptionText_;
  std::vector<HTREEITEM> traceItems_;  // in the order of AllTraceItems()
  std::vector<Row> rows_;
  catalog::LoadedCatalog catalog_;
  std::vector<bool> shown_;
  std::string importedCatalogPath_;
  std::optional<std::set<std::string>> startTicks_;
  RestartHandler onRestart_;
  bool elevated_ = true;
};

}  // namespace scourix
