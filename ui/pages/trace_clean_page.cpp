#include "ui/pages/trace_clean_page.h"

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "ui/pages/check_choice.h"
#include "ui/framework/data_exchange.h"
#include "ui/pages/progress_mirror.h"
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

bool TraceCleanPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_TIMER:
      OnTimer();
      return false;
    case WM_DESTROY:
      OnDestroy();
      return false;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
    case WM_COMMAND:
      if (IsButtonClick(wParam, IDC_TRACE_START)) {
        StartScan(kTraceProgressMax, &CleanEngine::startTraceScan);
      } else if (IsButtonClick(wParam, IDC_TRACE_SELECT_ALL)) {
        SetAllItems(Ticked);
      } else if (IsButtonClick(wParam, IDC_TRACE_SELECT_NONE)) {
        SetAllItems(Unticked);
      } else {
        return false;
      }
      return true;
    default:
      return false;
  }
}

bool TraceCleanPage::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.idFrom != IDC_TRACE_TREE) return false;
  switch (header.code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      OnSelChanged();
      result = 0;
      return true;
    case TVN_ENDLABELEDITA:
    case TVN_ENDLABELEDITW:
      // The labels are the keys of the description lookup: no edit is taken.
      result = FALSE;
      return true;
    default:
      return false;
  }
}

void TraceCleanPage::OnSelChanged() {
  HTREEITEM item = tree_.GetSelection();
  if (item == nullptr) return;
  if (const TraceItem* trace = FindTraceItem(tree_.GetItemText(item))) descriptionText_ = trace->description;
  UpdateData(false);
}

void TraceCleanPage::OnTimer() { MirrorWhileRunning(ScanKind::Trace); }

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
