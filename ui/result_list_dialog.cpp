#include "ui/result_list_dialog.h"

#include <shellapi.h>

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "ui/framework/data_exchange.h"
#include "ui/result_list_text.h"

namespace scourix {

namespace {

constexpr UINT_PTR kButtonTimer = 1;
constexpr UINT kButtonTimerMs = 500;
constexpr int kFillPauseEvery = 200;
constexpr int kFillPauseMs = 10;
constexpr char kNotFound[] = "no find";

HTREEITEM AsItem(TreeItemHandle handle) { return reinterpret_cast<HTREEITEM>(handle); }
TreeItemHandle AsHandle(HTREEITEM item) { return reinterpret_cast<TreeItemHandle>(item); }

void LaunchWithShell(const ShellOpen& request) {
  ShellExecuteA(nullptr, "open", request.file.c_str(),
                request.parameters.empty() ? nullptr : request.parameters.c_str(), nullptr, SW_SHOW);
}

}  // namespace

ResultListDialog::ResultListDialog(CleanEngine& engine)
    : FilteredDialog(IDD_RESULT_LIST), engine_(engine), launcher_(LaunchWithShell) {}

ResultListDialog::~ResultListDialog() {
  // The timer must stop while the members still exist.
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void ResultListDialog::DoDataExchange(DataExchange& exchange) {
  exchange.Control(IDC_RESULT_SELECT_NONE, selectNone_);
  exchange.Control(IDC_RESULT_SELECT_ALL, selectAll_);
  exchange.Control(IDC_RESULT_VIEW, view_);
  exchange.Control(IDC_RESULT_DELETE, delete_);
  exchange.Control(IDC_RESULT_TREE, tree_);
}

BOOL ResultListDialog::OnInitDialog() {
  FilteredDialog::OnInitDialog();
  treeImages_.InstallOn(tree_);
  RebuildList();
  SetTimer(hwnd_, kButtonTimer, kButtonTimerMs, nullptr);
  return TRUE;
}

bool ResultListDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_TIMER:
      OnTimer();
      return false;
    case WM_DESTROY:
      KillTimer(hwnd_, kButtonTimer);
      return false;
    case WM_NOTIFY: {
      // A double-click keeps the tree's own processing; label edits find no handler
      // here, so every edit is refused and the line keeps its text.
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom != IDC_RESULT_TREE || header->code != NM_DBLCLK) return false;
      result = 0;
      return true;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return false;
      switch (LOWORD(wParam)) {
        case IDC_RESULT_VIEW:
          OnView();
          break;
        case IDC_RESULT_DELETE:
          OnDelete();
          break;
        case IDC_RESULT_SELECT_ALL:
          OnSelectAll();
          break;
        case IDC_RESULT_SELECT_NONE:
          OnSelectNone();
          break;
        default:
          return false;
      }
      result = 0;
      return true;
    default:
      return false;
  }
}

void ResultListDialog::RebuildList() {
  tree_.Show(SW_HIDE);
  tree_.DeleteAllItems();
  tree_.Invalidate(true);
  tree_.Show(SW_SHOWNORMAL);

  const int count = engine_.foundCount();
  SetText(ResultListCaption(count));
  for (int i = 0; i < count; ++i) {
    FoundFile& file = engine_.foundFile(i);
    const LineImages images = ResultLineImages(file);
    HTREEITEM item = tree_.InsertItem(ResultLineText(file.category, file.path), images.normal, images.selected,
                                      TVI_ROOT, TVI_LAST);
    file.treeItem = AsHandle(item);
    tree_.SetCheck(item, file.toDelete != 0 ? Ticked : Unticked, true);
    // Lets the rest of the system breathe while a long list fills.
    if (i % kFillPauseEvery == 0) engine_.platform().sleepMs(kFillPauseMs);
  }
  tree_.Invalidate(true);
}

void ResultListDialog::ReadFileChecks() {
  const int count = engine_.foundCount();
  for (int i = 0; i < count; ++i) {
    FoundFile& file = engine_.foundFile(i);
    if (file.treeItem == 0) continue;
    file.toDelete = tree_.GetCheck(AsItem(file.treeItem)) >= Partial ? 1 : 0;
  }
}

// While a scan runs (or the list is empty) the buttons are grey; "查看" needs a line.
void ResultListDialog::OnTimer() {
  const bool usable = tree_.GetCount() > 0 && !engine_.scanBusy();
  view_.Enable(usable && tree_.GetSelection() != nullptr);
  delete_.Enable(usable);
  selectAll_.Enable(usable);
  selectNone_.Enable(usable);
}

// The commands below read or change the found-file list, which a running scan's worker
// fills: they do nothing until it has finished, even before the timer greys the buttons.

void ResultListDialog::OnView() {
  if (engine_.scanBusy()) return;
  HTREEITEM item = tree_.GetSelection();
  if (item == nullptr) return;
  const std::string path = engine_.pathForTreeItem(AsHandle(item));
  if (path == kNotFound) {
    MessageBoxA(hwnd_, "没有发现", "提示", MB_OK);
    return;
  }
  launcher_(ViewRequestFor(path));
}

void ResultListDialog::OnDelete() {
  if (engine_.scanBusy()) return;
  if (MessageBoxA(hwnd_, "确实要删除么?", "提示", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  // The main window stays usable while the question is open: a scan may have started.
  if (engine_.scanBusy()) return;
  ReadFileChecks();
  const DeletionResult deletion = engine_.deleteMarkedFiles();
  RebuildList();
  MessageBoxA(hwnd_, DeletionDoneText(deletion.failed).c_str(), "提示", MB_OK);
}

void ResultListDialog::OnSelectAll() { MarkAll(true); }

void ResultListDialog::OnSelectNone() { MarkAll(false); }

void ResultListDialog::MarkAll(bool toDelete) {
  if (engine_.scanBusy()) return;
  const int count = engine_.foundCount();
  for (int i = 0; i < count; ++i) {
    FoundFile& file = engine_.foundFile(i);
    if (file.treeItem == 0) continue;
    file.toDelete = toDelete ? 1 : 0;
    tree_.SetCheck(AsItem(file.treeItem), toDelete ? Ticked : Unticked, true);
  }
}

}  // namespace scourix
