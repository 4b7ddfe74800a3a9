#include "ui/pages/trace_clean_page.h"

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "ui/framework/data_exchange.h"
#include "ui/pages/check_choices.h"
#include "ui/pages/trace_items.h"

namespace scourix {

TraceCleanPage::TraceCleanPage(CleanEngine& engine, OptionsPage& options)
    : ScanPage(IDD_TRACE_PAGE, engine, options) {}

void TraceCleanPage::DoDataExchange(DataExchange& exchange) {
  exchange.Control(IDC_TRACE_TREE, tree_);
  ExchangeScanControls(exchange, IDC_TRACE_PROGRESS, IDC_TRACE_START, IDC_TRACE_PATH);
  exchange.Text(IDC_TRACE_DESCRIPTION, descriptionText_);
}

BOOL TraceCleanPage::OnInitDialog() {
  ScanPage::OnInitDialog();
  treeImages_.InstallOn(tree_);
  FillTraceTree();
  SetTimer(hwnd_, kProgressTimerId, kProgressTimerMs, nullptr);
  return TRUE;
}

void TraceCleanPage::FillTraceTree() {
  RedrawOff quiet(tree_);
  tree_.DeleteAllItems();
  traceItems_.clear();
  HTREEITEM group = nullptr;
  for (const TraceItem* trace : AllTraceItems()) {
    const bool browser = traceItems_.size() >= TraceItems().size();
    if (browser && group == nullptr) {
      group = tree_.InsertItem(kBrowserGroupText, 0, 1, TVI_ROOT, TVI_LAST, 0, Ticked);
    }
    const CheckState box = CheckFromFlag(engine_.choices().traceFlags.*trace->flag);
    traceItems_.push_back(tree_.InsertItem(trace->text, 0, 1, browser ? group : TVI_ROOT, TVI_LAST, 0, box));
  }
  if (group != nullptr) {
    tree_.SumUpChildren(group);
    tree_.Expand(group, TVE_EXPAND);
  }
  // The inserts leave the last item in view; the list starts at its top.
  if (!traceItems_.empty()) tree_.Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(traceItems_.front()));
  tree_.Invalidate(true);
}

void TraceCleanPage::ReadTraceChecks() {
  const std::vector<const TraceItem*> all = AllTraceItems();
  if (!tree_.exists() || traceItems_.size() != all.size()) return;
  for (std::size_t i = 0; i < traceItems_.size(); ++i) {
    engine_.choices().traceFlags.*all[i]->flag = FlagFromCheck(tree_.GetCheck(traceItems_[i]));
  }
}

// Label edits have no row: answered 0, each is refused, since the labels are the keys of
// the description lookup.
bool TraceCleanPage::OnCommand(int id, UINT code) {
  static constexpr Command<TraceCleanPage> kCommands[] = {
      {IDC_TRACE_START, BN_CLICKED, &TraceCleanPage::OnStart},
      {IDC_TRACE_SELECT_ALL, BN_CLICKED, &TraceCleanPage::OnSelectAll},
      {IDC_TRACE_SELECT_NONE, BN_CLICKED, &TraceCleanPage::OnSelectNone},
      {IDC_TRACE_TREE, TVN_SELCHANGEDA, &TraceCleanPage::OnSelChanged},
      {IDC_TRACE_TREE, TVN_SELCHANGEDW, &TraceCleanPage::OnSelChanged},
  };
  return RunCommand(*this, kCommands, id, code);
}

void TraceCleanPage::OnStart() { StartScan(kTraceProgressMax, &CleanEngine::startTraceScan); }

void TraceCleanPage::OnSelChanged() {
  HTREEITEM item = tree_.GetSelection();
  if (item == nullptr) return;
  if (const TraceItem* trace = FindTraceItem(tree_.GetItemText(item))) descriptionText_ = trace->description;
  UpdateData(false);
}

void TraceCleanPage::OnTimer() { MirrorWhileRunning(ScanKind::Trace); }

void TraceCleanPage::OnSelectAll() { SetAllItems(Ticked); }

void TraceCleanPage::OnSelectNone() { SetAllItems(Unticked); }

// The flags follow at once: a running scan reads each flag when it reaches its location.
void TraceCleanPage::SetAllItems(CheckState state) {
  {
    RedrawOff quiet(tree_);
    tree_.SetSiblingChecks(traceItems_, state);
  }
  ReadTraceChecks();
}

void TraceCleanPage::OnDestroy() {
  ReadTraceChecks();
  traceItems_.clear();
}

}  // namespace scourix
