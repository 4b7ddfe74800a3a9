#include "ui/result_list_dialog.h"

#include <shellapi.h>

#include <algorithm>

#include "engine/clean_engine.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "ui/framework/data_exchange.h"
#include "ui/pages/scan_busy_notice.h"
#include "ui/result_list_text.h"

namespace scourix {

namespace {

constexpr UINT_PTR kButtonTimer = 1;
constexpr UINT kButtonTimerMs = 500;
constexpr int kFillPauseEvery = 200;
constexpr int kFillPauseMs = 10;

// The request names the file in the shell's form, in UTF-8.
void LaunchWithShell(const ShellOpen& request) {
  const std::wstring parameters = wideFromUtf8(request.parameters);
  ShellExecuteW(nullptr, L"open", wideFromUtf8(request.file).c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                nullptr, SW_SHOW);
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
  exchange.Control(IDC_RESULT_STATUS, status_);
}

BOOL ResultListDialog::OnInitDialog() {
  FilteredDialog::OnInitDialog();
  treeImages_.InstallOn(tree_);
  tree_.SetToggleHandler(
      [this](HTREEITEM item, CheckState before, CheckState after) { OnBoxToggled(item, before, after); });
  tree_.SetBoxSource([this](LPARAM data) {
    const FoundFile* file = FileOfData(data);
    return file != nullptr && file->toDelete != 0 ? Ticked : Unticked;
  });
  RebuildList();
  SetTimer(hwnd_, kButtonTimer, kButtonTimerMs, nullptr);
  return TRUE;
}

bool ResultListDialog::HandleMessage(UINT message, WPARAM, LPARAM, LRESULT&) {
  if (message == WM_TIMER) UpdateButtons();
  if (message == WM_DESTROY) KillTimer(hwnd_, kButtonTimer);
  return false;
}

// The tree's notifications have no row: answered 0, a double-click keeps the tree's own
// processing, and every label edit is refused, so the line keeps its text.
bool ResultListDialog::OnCommand(int id, UINT code) {
  static constexpr Command<ResultListDialog> kCommands[] = {
      {IDC_RESULT_VIEW, BN_CLICKED, &ResultListDialog::OnView},
      {IDC_RESULT_DELETE, BN_CLICKED, &ResultListDialog::OnDelete},
      {IDC_RESULT_SELECT_ALL, BN_CLICKED, &ResultListDialog::OnSelectAll},
      {IDC_RESULT_SELECT_NONE, BN_CLICKED, &ResultListDialog::OnSelectNone},
  };
  return RunCommand(*this, kCommands, id, code);
}

void ResultListDialog::RebuildList() {
  const int count = engine_.findings().count();
  SetText(ResultListCaption(count));
  totalBytes_ = 0;
  tickedCount_ = 0;
  tickedBytes_ = 0;
  {
    RedrawOff quiet(tree_);
    tree_.DeleteAllItems();
    lines_.clear();
    for (int i = 0; i < count; ++i) {
      const FoundFile& file = engine_.findings().at(i);
      InsertLine(i);
      totalBytes_ += file.size;
      if (file.toDelete != 0) {
        ++tickedCount_;
        tickedBytes_ += file.size;
      }
      // Lets the rest of the system breathe while a long list fills.
      if (i % kFillPauseEvery == 0) engine_.platform().sleepMs(kFillPauseMs);
    }
  }
  ShowStatus();
}

void ResultListDialog::InsertLine(int index) {
  const FoundFile& file = engine_.findings().at(index);
  // The exact text: names the code page cannot write keep their characters.
  const LineImages images = ResultLineImages(file);
  lines_.push_back(tree_.InsertWideItem(ResultLineWideText(file.category, file.exact), images.normal, images.selected,
                                        TVI_ROOT, TVI_LAST, index + 1, file.toDelete != 0 ? Ticked : Unticked));
}

FoundFile* ResultListDialog::FileOfData(LPARAM data) {
  if (data < 1 || data > engine_.findings().count()) return nullptr;
  return &engine_.findings().at(static_cast<int>(data - 1));
}

FoundFile* ResultListDialog::FileOfItem(HTREEITEM item) {
  if (item == nullptr) return nullptr;
  const LPARAM data = tree_.GetItemData(item);
  FoundFile* file = FileOfData(data);
  const bool shown = file != nullptr && static_cast<std::size_t>(data) <= lines_.size() && lines_[data - 1] == item;
  return shown ? file : nullptr;
}

void ResultListDialog::OnBoxToggled(HTREEITEM item, CheckState before, CheckState after) {
  // A running scan's worker owns the list; the rebuild at its end counts afresh.
  if (engine_.scanBusy()) return;
  const bool was = before >= Partial;
  const bool is = after >= Partial;
  FoundFile* file = FileOfItem(item);
  if (file == nullptr) return;
  file->toDelete = is ? 1 : 0;
  if (was == is) return;
  tickedCount_ += is ? 1 : -1;
  if (is) {
    tickedBytes_ += file->size;
  } else {
    tickedBytes_ -= file->size;
  }
  ShowStatus();
}

void ResultListDialog::ShowStatus() {
  status_.SetText(ResultStatusText(tree_.GetCount(), totalBytes_, tickedCount_, tickedBytes_));
}

void ResultListDialog::UpdateButtons() {
  const bool usable = tree_.GetCount() > 0 && !engine_.scanBusy();
  view_.Enable(usable && tree_.GetSelection() != nullptr);
  delete_.Enable(usable);
  selectAll_.Enable(usable);
  selectNone_.Enable(usable);
}

// The commands below read or change the found-file list, which a running scan's worker
// fills: until it has finished they only say so, even before the timer greys the buttons.

bool ResultListDialog::RefusedWhileScanning() {
  if (!engine_.scanBusy()) return false;
  ShowScanBusyNotice(hwnd_);
  return true;
}

void ResultListDialog::OnView() {
  if (RefusedWhileScanning()) return;
  HTREEITEM item = tree_.GetSelection();
  if (item == nullptr) return;
  const FoundFile* file = FileOfItem(item);
  if (file == nullptr) {
    MessageBoxA(hwnd_, "没有发现", "提示", MB_OK);
    return;
  }
  std::wstring plain;
  if (!shellFormOf(file->exact, plain)) {
    MessageBoxA(hwnd_, kViewRefusedText, "提示", MB_OK);
    return;
  }
  launcher_(ViewRequestFor(utf8FromWide(plain.data(), plain.size())));
}

void ResultListDialog::OnDelete() {
  if (RefusedWhileScanning()) return;
  if (MessageBoxA(hwnd_, "确实要删除么?", "提示", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  // The main window stays usable while the question is open: a scan may have started.
  if (RefusedWhileScanning()) return;
  // An unattended clean of another process may be scanning or deleting the same files;
  // the claim ends with the deletion, before the box waits for the user.
  std::unique_ptr<ScanLock> lock = engine_.platform().claimScanLock();
  if (lock == nullptr) {
    ShowScanBusyNotice(hwnd_);
    return;
  }
  const DeletionResult deletion = engine_.deleteMarkedFiles();
  lock.reset();
  RebuildList();
  MessageBoxA(hwnd_, DeletionDoneText(deletion).c_str(), "提示", MB_OK);
}

void ResultListDialog::OnSelectAll() { MarkAll(true); }

void ResultListDialog::OnSelectNone() { MarkAll(false); }

// Only the records change: the tree draws its boxes from them (see SetBoxSource). Setting
// the boxes one by one would cost the square of the list in Wine's tree view, which
// searches its whole item list for every item handle it is given.
void ResultListDialog::MarkAll(bool toDelete) {
  if (RefusedWhileScanning()) return;
  // The listed records only: one added since the last rebuild has no line.
  const int count = std::min(engine_.findings().count(), static_cast<int>(lines_.size()));
  tickedCount_ = 0;
  tickedBytes_ = 0;
  for (int i = 0; i < count; ++i) {
    FoundFile& file = engine_.findings().at(i);
    // A locked line is ticked by the user alone, one at a time: 全选 passes it over.
    if (!toDelete || file.isProtected == 0) file.toDelete = toDelete ? 1 : 0;
    if (file.toDelete != 0) {
      ++tickedCount_;
      tickedBytes_ += file.size;
    }
  }
  tree_.Invalidate(false);
  ShowStatus();
}

}  // namespace scourix
