#include "ui/pages/trace_clean_page.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

#include "engine/clean_engine.h"
#include "engine/size_text.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "ui/framework/data_exchange.h"
#include "ui/pages/catalog_groups.h"
#include "ui/pages/check_choices.h"
#include "ui/pages/scan_busy_notice.h"
#include "ui/pages/trace_items.h"

namespace scourix {

namespace {

std::string AnsiOf(const std::wstring& text) { return ansiFromWide(text.data(), text.size()); }

constexpr int kFolderImage = 0;

}  // namespace

TraceCleanPage::TraceCleanPage(CleanEngine& engine, OptionsPage& options)
    : ScanPage(IDD_TRACE_PAGE, engine, options) {}

void TraceCleanPage::DoDataExchange(DataExchange& exchange) {
  exchange.Control(IDC_TRACE_TREE, tree_);
  exchange.Control(IDC_TRACE_RESTART, restartButton_);
  ExchangeScanControls(exchange, IDC_TRACE_PROGRESS, IDC_TRACE_START, IDC_TRACE_PATH);
  exchange.Text(IDC_TRACE_DESCRIPTION, descriptionText_);
}

BOOL TraceCleanPage::OnInitDialog() {
  ScanPage::OnInitDialog();
  treeImages_.InstallOn(tree_);
  tree_.SetToggleHandler([this](HTREEITEM item, CheckState before, CheckState after) { OnToggle(item, before, after); });
  elevated_ = engine_.platform().isElevated();
  // The shield tells that the system asks first (a 0 where the system draws none).
  restartButton_.Send(BCM_SETSHIELD, 0, TRUE);
  restartButton_.Show(elevated_ ? SW_HIDE : SW_SHOW);
  FillTraceTree();
  SetTimer(hwnd_, kProgressTimerId, kProgressTimerMs, nullptr);
  return TRUE;
}

// Built-in and imported entries, as the trace scan loads them; only those this machine
// shows. A missing imported file is no import.
void TraceCleanPage::LoadCatalog() {
  catalog::CatalogSources sources;
  if (!importedCatalogPath_.empty()) sources.files.push_back(engine_.platform().utf8Of(importedCatalogPath_));
  engine_.catalogScan().setSources(sources);
  catalog_ = engine_.traceCatalog(shown_);
}

HTREEITEM TraceCleanPage::AddRow(Row row, HTREEITEM parent, int image, CheckState box) {
  row.item = tree_.InsertWideItem(row.label, image, image, parent, TVI_LAST, static_cast<LPARAM>(rows_.size()), box);
  rows_.push_back(std::move(row));
  return rows_.back().item;
}

CheckState TraceCleanPage::StartBox(const std::string& name, bool chosen) const {
  if (startTicks_) chosen = startTicks_->count(name) != 0;
  return chosen ? Ticked : Unticked;
}

// Linear, with redrawing off: each item comes with its box, each group is summed up once.
void TraceCleanPage::FillTraceTree() {
  LoadCatalog();
  {
    RedrawOff quiet(tree_);
    tree_.DeleteAllItems();
    traceItems_.clear();
    rows_.clear();
    std::vector<HTREEITEM> groups;
    const auto addGroup = [&](const std::wstring& text, const std::wstring& description, int image) {
      Row row;
      row.label = text;
      row.description = AnsiOf(description);
      groups.push_back(AddRow(std::move(row), TVI_ROOT, image, Ticked));
      return static_cast<int>(rows_.size() - 1);
    };
    int group = -1;
    for (const TraceItem* trace : AllTraceItems()) {
      const bool browser = traceItems_.size() >= TraceItems().size();
      if (browser && group == -1) group = addGroup(wideFromAnsi(kBrowserGroupText), std::wstring(), kFolderImage);
      Row row{nullptr, wideFromAnsi(trace->text), TraceItemCategories(*trace), trace->description, browser ? group : -1, trace};
      const CheckState box = StartBox(TraceItemName(*trace), engine_.choices().traceFlags.*trace->flag == 1);
      traceItems_.push_back(AddRow(std::move(row), browser ? rows_[group].item : TVI_ROOT, kFolderImage, box));
    }
    const int shield = elevated_ ? kFolderImage : treeImages_.shield();
    for (const CatalogGroup& catalogGroup : CatalogGroups(catalog_, shown_)) {
      group = addGroup(catalogGroup.text, CatalogGroupDescription(catalogGroup),
                       catalogGroup.needsAdmin ? shield : catalogGroup.warns ? treeImages_.warning() : kFolderImage);
      for (const std::size_t index : catalogGroup.items) {
        const catalog::Entry& entry = catalog_.entries[index];
        // The scan names its findings by the label in the code page.
        Row row{nullptr, wideFromUtf8(entry.label), {AnsiOf(wideFromUtf8(entry.label))},
                AnsiOf(CatalogItemDescription(entry)), group, nullptr, static_cast<int>(index)};
        const CheckState box = StartBox(catalog::tickName(catalog_, index),
                                        catalog::isTicked(engine_.choices().catalogTicks, catalog_, index));
        AddRow(std::move(row), rows_[group].item, entry.needsAdmin ? shield : kFolderImage, box);
      }
    }
    for (HTREEITEM item : groups) {
      tree_.SumUpChildren(item);
      tree_.Expand(item, TVE_EXPAND);
    }
    // The inserts leave the last item in view; the list starts at its top.
    if (!rows_.empty()) tree_.Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(rows_.front().item));
  }
  tree_.Invalidate(true);
  // Every item shown now has its tick in the choices (a scan reads them from there).
  ReadTraceChecks();
}

void TraceCleanPage::ReloadCatalog() {
  ReadTraceChecks();
  startTicks_.reset();
  FillTraceTree();
}

void TraceCleanPage::ReadTraceChecks() {
  if (!tree_.exists()) return;
  Choices& choices = engine_.choices();
  for (const Row& row : rows_) {
    const std::int32_t flag = FlagFromCheck(tree_.GetCheck(row.item));
    if (row.trace != nullptr) choices.traceFlags.*row.trace->flag = flag;
    // Every name is in the map once the tree was filled: a running scan meets no insert.
    if (row.catalogItem >= 0) choices.catalogTicks[catalog::tickName(catalog_, row.catalogItem)] = flag;
  }
}

void TraceCleanPage::ShowFoundSizes() {
  std::map<std::string, std::uint64_t> found;
  for (const auto& file : engine_.findings()) found[file.category()] += file.size;
  std::vector<std::uint64_t> sizes(rows_.size(), 0);
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    for (const std::string& category : rows_[i].categories) {
      const auto sum = found.find(category);
      if (sum != found.end()) sizes[i] += sum->second;
    }
    if (rows_[i].group >= 0) sizes[rows_[i].group] += sizes[i];
  }
  RedrawOff quiet(tree_);
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const std::wstring size = sizes[i] == 0 ? std::wstring() : L" " + wideFromAnsi(formatSize(sizes[i]));
    tree_.SetWideItemText(rows_[i].item, rows_[i].label + size);
  }
}

std::vector<std::string> TraceCleanPage::TickedItemNames() const {
  std::vector<std::string> names;
  for (const Row& row : rows_) {
    if (!IsChosen(tree_.GetCheck(row.item))) continue;
    if (row.trace != nullptr) names.push_back(TraceItemName(*row.trace));
    if (row.catalogItem >= 0) names.push_back(catalog::tickName(catalog_, row.catalogItem));
  }
  return names;
}

int TraceCleanPage::ImportedCount() const {
  return static_cast<int>(std::count(catalog_.imported.begin(), catalog_.imported.end(), true));
}

HTREEITEM TraceCleanPage::CatalogTreeItem(const std::string& name) const {
  for (const Row& row : rows_) {
    if (row.catalogItem >= 0 && catalog::tickName(catalog_, row.catalogItem) == name) return row.item;
  }
  return nullptr;
}

// Label edits have no row: answered 0, each is refused.
bool TraceCleanPage::OnCommand(int id, UINT code) {
  static constexpr Command<TraceCleanPage> kCommands[] = {
      {IDC_TRACE_START, BN_CLICKED, &TraceCleanPage::OnStart},
      {IDC_TRACE_SELECT_ALL, BN_CLICKED, &TraceCleanPage::OnSelectAll},
      {IDC_TRACE_SELECT_NONE, BN_CLICKED, &TraceCleanPage::OnSelectNone},
      {IDC_TRACE_RESTART, BN_CLICKED, &TraceCleanPage::OnRestart},
      {IDC_TRACE_TREE, TVN_SELCHANGEDA, &TraceCleanPage::OnSelChanged},
      {IDC_TRACE_TREE, TVN_SELCHANGEDW, &TraceCleanPage::OnSelChanged},
  };
  return RunCommand(*this, kCommands, id, code);
}

void TraceCleanPage::OnStart() { StartOrStopScan(kTraceProgressMax, &CleanEngine::startTraceScan); }

void TraceCleanPage::OnSelChanged() {
  HTREEITEM item = tree_.GetSelection();
  if (item == nullptr) return;
  const std::size_t row = static_cast<std::size_t>(tree_.GetItemData(item));
  if (row < rows_.size()) descriptionText_ = rows_[row].description;
  UpdateData(false);
}

void TraceCleanPage::OnTimer() { MirrorWhileRunning(ScanKind::Trace); }

void TraceCleanPage::OnSelectAll() { SetAllItems(Ticked); }

void TraceCleanPage::OnSelectNone() { SetAllItems(Unticked); }

// The new program works out its own locations from the names: the ticks go with them.
void TraceCleanPage::OnRestart() {
  if (!CanStartScan(engine_)) {
    ShowScanBusyNotice(hwnd_);
    return;
  }
  ReadTraceChecks();
  if (onRestart_) onRestart_(TickedItemNames());
}

void TraceCleanPage::OnToggle(HTREEITEM item, CheckState, CheckState after) {
  if (after != Ticked) return;
  const std::vector<int> warned = WarnedRowsBelow(item);
  if (ConfirmWarnings(warned)) return;
  for (const int row : warned) tree_.SetCheck(rows_[row].item, Unticked);
}

std::vector<int> TraceCleanPage::WarnedRowsBelow(HTREEITEM item) const {
  std::vector<int> warned;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const Row& row = rows_[i];
    const bool below = item == nullptr || row.item == item || (row.group >= 0 && rows_[row.group].item == item);
    if (below && row.catalogItem >= 0 && !catalog_.entries[row.catalogItem].warning.empty()) {
      warned.push_back(static_cast<int>(i));
    }
  }
  return warned;
}

bool TraceCleanPage::ConfirmWarnings(const std::vector<int>& rows) {
  if (rows.empty()) return true;
  std::wstring text;
  for (const int row : rows) {
    text += rows_[row].label + L"：" + wideFromUtf8(catalog_.entries[rows_[row].catalogItem].warning) + L"\r\n";
  }
  text += L"\r\n确实要选中么?";
  return MessageBoxW(GetAncestor(hwnd_, GA_ROOT), text.c_str(), L"提示", MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

// The flags follow at once: a running scan reads each flag when it reaches its location.
void TraceCleanPage::SetAllItems(CheckState state) {
  std::vector<HTREEITEM> top;
  for (const Row& row : rows_) {
    if (row.group < 0) top.push_back(row.item);
  }
  {
    RedrawOff quiet(tree_);
    tree_.SetSiblingChecks(top, state);
  }
  if (state == Ticked) OnToggle(nullptr, Unticked, Ticked);
  ReadTraceChecks();
}

void TraceCleanPage::OnDestroy() {
  ReadTraceChecks();
  traceItems_.clear();
  rows_.clear();
}

}  // namespace scourix
