#include "ui/result_list_dialog.h"

#include <shellapi.h>

#include "engine/clean_engine.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "ui/framework/data_exchange.h"
#include "ui/result_list_text.h"

namespace scourix {

namespace {

constexpr UINT_PTR kButtonTimer = 1;
constexpr UINT kButtonTimerMs = 500;
constexpr int kFillPauseEvery = 200;
constexpr int kFillPauseMs = 10;

HTREEITEM AsItem(TreeItemHandle handle) { return reinterpret_cast<HTREEITEM>(handle); }
TreeItemHandle AsHandle(HTREEITEM item) { return reinterpret_cast<TreeItemHandle>(item); }

// The request names the file exactly, in UTF-8.
void LaunchWithShell(const ShellOpen& request) {
  const std::wstring parameters = wideFromUtf8(request.parameters);
  ShellExecuteW(nullptr, L"open", longPathForm(wideFromUtf8(request.file)).c_str(),
                parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOW);
}

// A line of the list with its exact text: names the code page cannot write keep their
// characters.
HTREEITEM InsertExactLine(const TreeView& tree, const std::wstring& text) {
  TVINSERTSTRUCTW insert{};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = const_cast<wchar_t*>(text.c_str());
  insert.item.iImage = 0;
  insert.item.iSelectedImage = 1;
  return reinterpret_cast<HTREEITEM>(tree.Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
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
    HTREEITEM item = InsertExactLine(tree_, ResultLineWideText(file.category, engine_.exactPathOf(file)));
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
  const FoundFile* file = engine_.findingForTreeItem(AsHandle(item));
  if (file == nullptr) {
    MessageBoxA(hwnd_, "没有发现", "提示", MB_OK);
    return;
  }
  launcher_(ViewRequestFor(engine_.exactPathOf(*file)));
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
