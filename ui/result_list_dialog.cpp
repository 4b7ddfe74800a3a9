#include "ui/result_list_dialog.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "engine/clean_engine.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "ui/framework/data_exchange.h"
#include "ui/pages/scan_busy_notice.h"

namespace scourix {

namespace {

constexpr UINT_PTR kButtonTimer = 1;
constexpr UINT kButtonTimerMs = 500;
constexpr int kFillPauseEvery = 200;
constexpr int kFillPauseMs = 10;

// The request names the file in the shell's form, in UTF-8.
bool LaunchWithShell(const ShellOpen& request) {
  const std::wstring parameters = wideFromUtf8(request.parameters);
  const HINSTANCE started = ShellExecuteW(nullptr, L"open", wideFromUtf8(request.file).c_str(),
                                          parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOW);
  // The shell's old convention: a value above 32 means it started.
  return reinterpret_cast<INT_PTR>(started) > 32;
}

int ChooseFromMenu(HMENU menu, POINT screen, HWND owner) {
  return static_cast<int>(
      TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, screen.x, screen.y, 0, owner,
                     nullptr));
}

bool CopyToClipboard(HWND owner, const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return false;
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(owner)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!placed) GlobalFree(memory);
  return placed;
}

}  // namespace

ResultListDialog::ResultListDialog(CleanEngine& engine)
    : FilteredDialog(IDD_RESULT_LIST), engine_(engine), launcher_(LaunchWithShell) {
  chooser_ = [this](HMENU menu, POINT screen) { return ChooseFromMenu(menu, screen, hwnd_); };
}

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

bool ResultListDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
  switch (message) {
    case WM_TIMER:
      UpdateButtons();
      return false;
    case WM_DESTROY:
      KillTimer(hwnd_, kButtonTimer);
      return false;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != tree_.hwnd()) return false;
      OnContextMenu(lParam);
      return true;
    default:
      return false;
  }
}

bool ResultListDialog::PreTranslateMessage(MSG& message) {
  const bool menuKey = message.wParam == VK_APPS && (message.message == WM_KEYDOWN || message.message == WM_KEYUP);
  const bool shiftF10 = message.wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0 &&
                        (message.message == WM_SYSKEYDOWN || message.message == WM_SYSKEYUP);
  if ((!menuKey && !shiftF10) || message.hwnd != tree_.hwnd()) return FilteredDialog::PreTranslateMessage(message);
  // One menu per press: the key-up is swallowed too, so the system makes none of its own.
  if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) OnContextMenu(-1);
  return true;
}

void ResultListDialog::OnWindowKey(WindowKey key) {
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (key == WindowKey::OtherWindow && owner != nullptr) FocusInto(owner);
}

// The tree's notifications have no row: answered 0, a double-click keeps the tree's own
// processing (its control refuses label edits).
bool ResultListDialog::OnCommand(int id, UINT code) {
  static constexpr Command<ResultListDialog> kCommands[] = {
      {IDC_RESULT_VIEW, BN_CLICKED, &ResultListDialog::OnView},
      {IDC_RESULT_DELETE, BN_CLICKED, &ResultListDialog::OnDelete},
      {IDC_RESULT_SELECT_ALL, BN_CLICKED, &ResultListDialog::OnSelectAll},
      {IDC_RESULT_SELECT_NONE, BN_CLICKED, &ResultListDialog::OnSelectNone},
      {ID_RESULT_OPEN_FOLDER, kMenuCommand, &ResultListDialog::OnOpenFolder},
      {ID_RESULT_COPY_PATH, kMenuCommand, &ResultListDialog::OnCopyPath},
      {ID_RESULT_EXCLUDE_FOLDER, kMenuCommand, &ResultListDialog::OnExcludeFolder},
      {ID_RESULT_EXCLUDE_TYPE, kMenuCommand, &ResultListDialog::OnExcludeType},
      {ID_RESULT_SORT_SIZE, kMenuCommand, &ResultListDialog::OnSortBySize},
      {ID_RESULT_SORT_CATEGORY, kMenuCommand, &ResultListDialog::OnSortByCategory},
  };
  return RunCommand(*this, kCommands, id, code);
}

void ResultListDialog::RebuildList() {
  const int count = engine_.findings().count();
  SetText(ResultListCaption(count));
  totalBytes_ = 0;
  tickedCount_ = 0;
  tickedBytes_ = 0;
  const std::vector<int> order =
      ResultLineOrder(count, [this](int index) -> const FoundFile& { return engine_.findings().at(index); }, order_);
  {
    RedrawOff quiet(tree_);
    tree_.DeleteAllItems();
    lines_.assign(static_cast<std::size_t>(count), nullptr);
    for (int i = 0; i < count; ++i) {
      const int index = order[static_cast<std::size_t>(i)];
      const FoundFile& file = engine_.findings().at(index);
      InsertLine(index);
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
  lines_[static_cast<std::size_t>(index)] =
      tree_.InsertWideItem(ResultLineWideText(file.category(), file.exact(), file.size), images.normal, images.selected,
                           TVI_ROOT, TVI_LAST, index + 1, file.toDelete != 0 ? Ticked : Unticked);
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

const FoundFile* ResultListDialog::SelectedFile() {
  HTREEITEM item = tree_.GetSelection();
  if (item == nullptr) return nullptr;
  const FoundFile* file = FileOfItem(item);
  if (file == nullptr) MessageBoxA(hwnd_, "没有发现", "提示", MB_OK);
  return file;
}

std::string ResultListDialog::ShellPathOf(const FoundFile& file) {
  std::wstring plain;
  if (shellFormOf(file.exact(), plain)) return utf8FromWide(plain.data(), plain.size());
  MessageBoxA(hwnd_, kShellRefusedText, "提示", MB_OK);
  return {};
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
  KeepFocusUsable();
}

bool ResultListDialog::TakeFocus() {
  if (tree_.GetCount() == 0 || engine_.scanBusy()) return false;
  FocusInto(hwnd_);
  return true;
}

void ResultListDialog::KeepFocusUsable() {
  HWND focus = GetFocus();
  if (focus == nullptr || (focus != hwnd_ && !IsChild(hwnd_, focus))) return;
  if (tree_.GetCount() > 0) {
    if (focus == hwnd_ || !IsWindowEnabled(focus)) SetFocus(tree_.hwnd());
    return;
  }
  if (HWND owner = GetWindow(hwnd_, GW_OWNER)) FocusInto(owner);
}

void ResultListDialog::OnContextMenu(LPARAM position) {
  if (tree_.GetCount() == 0) return;
  POINT screen{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  if (position == -1) {
    RECT line{};
    HTREEITEM item = tree_.GetSelection();
    if (item == nullptr || !tree_.GetItemRect(item, line, true)) line = RECT{};
    screen = POINT{line.left, line.bottom};
    ClientToScreen(tree_.hwnd(), &screen);
  } else {
    POINT client = screen;
    ScreenToClient(tree_.hwnd(), &client);
    if (HTREEITEM item = tree_.HitTest(client, nullptr)) tree_.SelectItem(item);
  }
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_RESULT_MENU));
  if (menu == nullptr) return;
  HMENU popup = GetSubMenu(menu, 0);
  const UINT lineItems = tree_.GetSelection() != nullptr ? MF_ENABLED : MF_GRAYED;
  for (UINT id : {ID_RESULT_OPEN_FOLDER, ID_RESULT_COPY_PATH, ID_RESULT_EXCLUDE_FOLDER, ID_RESULT_EXCLUDE_TYPE}) {
    EnableMenuItem(popup, id, MF_BYCOMMAND | lineItems);
  }
  const UINT checked = order_ == LineOrder::Size ? ID_RESULT_SORT_SIZE : ID_RESULT_SORT_CATEGORY;
  if (order_ != LineOrder::Found) CheckMenuRadioItem(popup, checked, checked, checked, MF_BYCOMMAND);
  const int command = chooser_(popup, screen);
  DestroyMenu(menu);
  if (command != 0) OnCommand(command, kMenuCommand);
}

// The commands below read or change the found-file list, which a running scan's worker
// fills: until it has finished they only say so, even before the timer greys the buttons.

bool ResultListDialog::RefusedWhileScanning() {
  if (!engine_.scanBusy()) return false;
  ShowScanBusyNotice(hwnd_);
  return true;
}

void ResultListDialog::OnView() { LaunchForSelected(ViewRequestFor); }

void ResultListDialog::OnOpenFolder() { LaunchForSelected(SelectInFolderRequestFor); }

// Hands the shell the selected line's file, in the plain form it cannot misread.
void ResultListDialog::LaunchForSelected(ShellOpen (*requestFor)(const std::string& path)) {
  if (RefusedWhileScanning()) return;
  const FoundFile* file = SelectedFile();
  if (file == nullptr) return;
  const std::string path = ShellPathOf(*file);
  if (!path.empty() && !launcher_(requestFor(path))) {
    MessageBoxA(hwnd_, LaunchFailedText(file->path()).c_str(), "提示", MB_OK | MB_ICONWARNING);
  }
}

void ResultListDialog::OnCopyPath() {
  if (RefusedWhileScanning()) return;
  const FoundFile* file = SelectedFile();
  if (file != nullptr && !CopyToClipboard(hwnd_, plainTextOf(file->exact()))) {
    MessageBoxA(hwnd_, "无法复制到剪贴板", "提示", MB_OK);
  }
}

void ResultListDialog::OnExcludeFolder() { Exclude(folderExclusionOf); }

void ResultListDialog::OnExcludeType() { Exclude(typeExclusionOf); }

void ResultListDialog::Exclude(Exclusion (*entryOf)(std::string_view filePath)) {
  if (RefusedWhileScanning()) return;
  const FoundFile* file = SelectedFile();
  if (file == nullptr) return;
  Platform& platform = engine_.platform();
  Exclusions& exclusions = engine_.choices().exclusions;
  exclusions.add(entryOf(platform.utf8Of(file->exact())));
  Findings& findings = engine_.findings();
  std::vector<char> stays(static_cast<std::size_t>(findings.count()));
  for (int i = 0; i < findings.count(); ++i) stays[i] = !exclusions.excludesFile(platform.utf8Of(findings.at(i).exact()));
  findings.keep(stays);
  RebuildList();
  UpdateButtons();
}

void ResultListDialog::OnSortBySize() { SortBy(LineOrder::Size); }

void ResultListDialog::OnSortByCategory() { SortBy(LineOrder::Category); }

void ResultListDialog::SortBy(LineOrder order) {
  if (RefusedWhileScanning()) return;
  order_ = order;
  RebuildList();
}

void ResultListDialog::OnDelete() {
  if (RefusedWhileScanning()) return;
  // Ticked files of an old installation are left to Windows' Disk Cleanup: the question
  // counts them apart.
  int forSystem = 0;
  std::uint64_t forSystemBytes = 0;
  for (const FoundFile& file : engine_.findings()) {
    if (file.toDelete != 0 && file.systemCleanupOnly) {
      ++forSystem;
      forSystemBytes += file.size;
    }
  }
  const std::string question = DeletionQuestionText(tickedCount_ - forSystem, tickedBytes_ - forSystemBytes,
                                                    engine_.choices().options.deleteToRecycleBin != 0, forSystem);
  const std::uint64_t asked = engine_.findings().generation();
  if (MessageBoxA(hwnd_, question.c_str(), "提示", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  // The main window stays usable while the question is open: a scan may have started, or
  // run to its end and listed files the user never saw.
  if (RefusedWhileScanning()) return;
  if (engine_.findings().generation() != asked) {
    RebuildList();
    UpdateButtons();
    MessageBoxA(hwnd_, kListChangedText, "提示", MB_OK);
    return;
  }
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
  UpdateButtons();
  if (deletion.systemCleanup.empty()) {
    MessageBoxA(hwnd_, DeletionDoneText(deletion).c_str(), "提示", MB_OK);
  } else if (MessageBoxA(hwnd_, DiskCleanupQuestionText(deletion).c_str(), "提示", MB_YESNO | MB_ICONQUESTION) == IDYES &&
             !launcher_(DiskCleanupRequestFor(deletion.systemCleanup.front().path))) {
    MessageBoxA(hwnd_, "无法打开 Windows 的磁盘清理。", "提示", MB_OK | MB_ICONWARNING);
  }
  KeepFocusUsable();
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
