#include "ui/pages/rules_page.h"

#include <optional>
#include <string>

#include <cstdio>

#include "engine/catalog/catalog_file.h"
#include "engine/catalog/machine.h"
#include "engine/clean_engine.h"
#include "res/resource.h"
#include "ui/framework/data_exchange.h"
#include "ui/pages/rule_editing.h"
#include "ui/pages/scan_busy_notice.h"

namespace scourix {

RulesPage::RulesPage(CleanEngine& engine)
    : FilteredDialog(IDD_RULES_PAGE), engine_(engine), chooseFile_(&AskRuleFilePath) {}

BOOL RulesPage::OnInitDialog() {
  FilteredDialog::OnInitDialog();
  InitColumns();
  return TRUE;
}

void RulesPage::DoDataExchange(DataExchange& exchange) {
  exchange.Control(IDC_RULES_LIST, ruleList_);
  exchange.Control(IDC_RULES_DELETE, deleteButton_);
  exchange.Control(IDC_RULES_MODIFY, modifyButton_);
}

void RulesPage::InitColumns() {
  // Widths in dialog units, so that the headings fit at every DPI.
  const auto width = [this](int units) {
    RECT rect{0, 0, units, 0};
    MapDialogRect(hwnd_, &rect);
    return static_cast<int>(rect.right);
  };
  ruleList_.InsertColumn(0, "规则", width(91));
  ruleList_.InsertColumn(1, "规则说明", width(103));
  ruleList_.InsertColumn(2, "是否启用", width(40));
  ruleList_.SetExtendedStyle(ruleList_.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  RefreshRuleList();
}

void RulesPage::RefreshRuleList() {
  rebuilding_ = true;
  ruleList_.DeleteAllItems();
  const RuleStore& rules = engine_.choices().rules;
  for (int i = 0; i < rules.count(); ++i) {
    const int row = ruleList_.InsertItem(ruleList_.GetItemCount(), rules.at(i).pattern);
    ShowRule(row, rules.at(i));
  }
  rebuilding_ = false;
}

void RulesPage::ShowRule(int row, const ScanRule& rule) {
  ruleList_.SetItemText(row, 0, rule.pattern);
  ruleList_.SetItemText(row, 1, rule.description);
  ruleList_.SetItemText(row, 2, EnabledText(rule.enabled));
}

bool RulesPage::OnCommand(int id, UINT code) {
  static constexpr Command<RulesPage> kCommands[] = {
      {IDC_RULES_ADD, BN_CLICKED, &RulesPage::OnAdd},
      {IDC_RULES_DELETE, BN_CLICKED, &RulesPage::OnDeleteRule},
      {IDC_RULES_MODIFY, BN_CLICKED, &RulesPage::OnModify},
      {IDC_RULES_IMPORT, BN_CLICKED, &RulesPage::OnImport},
      {IDC_RULES_EXPORT, BN_CLICKED, &RulesPage::OnExport},
      {IDC_RULES_CLEAR, BN_CLICKED, &RulesPage::OnClear},
      {IDC_RULES_IMPORT_CATALOG, BN_CLICKED, &RulesPage::OnImportCatalog},
      {IDC_RULES_LIST, NM_CLICK, &RulesPage::OnListClick},
      {IDC_RULES_LIST, NM_DBLCLK, &RulesPage::OnListDblClk},
  };
  return RunCommand(*this, kCommands, id, code);
}

bool RulesPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // A selection the keys change is picked as a click picks it: 删除 and 修改 act on the
  // row the user sees selected. Rows the page itself rebuilds leave the pick alone.
  if (message == WM_NOTIFY && !rebuilding_) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (change->hdr.idFrom == IDC_RULES_LIST && change->hdr.code == LVN_ITEMCHANGED &&
        (change->uChanged & LVIF_STATE) != 0 && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) != 0) {
      PickFromSelection();
    }
  }
  return FilteredDialog::HandleMessage(message, wParam, lParam, result);
}

bool RulesPage::PickFromSelection() {
  SetCurrentRule(PickedRule(ruleList_.GetSelectedCount(), ruleList_.GetNextItem(-1, LVNI_SELECTED)));
  return currentRule_ != -1;
}

void RulesPage::SetCurrentRule(int position) {
  currentRule_ = position;
  deleteButton_.Enable(position != -1);
  modifyButton_.Enable(position != -1);
}

void RulesPage::OnListClick() { PickFromSelection(); }

void RulesPage::OnListDblClk() {
  if (PickFromSelection()) {
    OnModify();
  } else {
    OnAdd();
  }
}

void RulesPage::OnAdd() {
  RuleEditDialog editor;
  if (editor.DoModal(hwnd_) != IDOK) return;
  engine_.choices().rules.append(editor.rule());
  RefreshRuleList();
}

void RulesPage::OnModify() {
  if (!IsRulePosition(currentRule_, engine_.choices().rules.count())) return;
  const int position = currentRule_;
  RuleEditDialog editor(engine_.choices().rules.at(position));
  if (editor.DoModal(hwnd_) != IDOK) return;
  engine_.choices().rules.replaceAt(position, editor.rule());
  ShowRule(position, engine_.choices().rules.at(position));
}

void RulesPage::OnDeleteRule() {
  if (!IsRulePosition(currentRule_, engine_.choices().rules.count())) return;
  if (MessageBoxA(hwnd_, "确实要删除么?", "提示", MB_YESNO) != IDYES) return;
  engine_.choices().rules.removeAt(currentRule_);
  rebuilding_ = true;
  ruleList_.DeleteItem(currentRule_);
  rebuilding_ = false;
  SetCurrentRule(-1);
}

void RulesPage::OnClear() {
  rebuilding_ = true;
  ruleList_.DeleteAllItems();
  rebuilding_ = false;
  engine_.choices().rules.clear();
  SetCurrentRule(-1);
}

void RulesPage::OnImport() {
  const std::optional<std::string> path = chooseFile_(hwnd_, RuleFileAction::Import);
  if (!path) return;
  DuplicateRulePrompt prompt(MainWindow());
  const RuleFileStatus status = importRules(*path, engine_.choices().rules,
                                            [&prompt](const std::string& pattern) { return prompt.addDuplicate(pattern); });
  // Also after a failure, so that the rules added before it show.
  RefreshRuleList();
  MessageBoxA(MainWindow(), ImportMessage(status), "提示", MB_OK);
}

void RulesPage::OnExport() {
  const std::optional<std::string> path = chooseFile_(hwnd_, RuleFileAction::Export);
  if (!path) return;
  MessageBoxA(MainWindow(), ExportMessage(exportRules(*path, engine_.choices().rules, engine_.platform())), "提示", MB_OK);
}

void RulesPage::ShowCatalogStatus(int imported) {
  SetWindowTextA(Item(IDC_RULES_CATALOG_STATUS), CatalogStatusText(imported).c_str());
}

namespace {

// Through a file beside it, put in place in one step: the kept copy is whole or unchanged.
bool KeepCopy(Platform& platform, const std::string& bytes, const std::string& path) {
  const std::string temp = path + ".tmp";
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && platform.syncFile(file);
  ok = std::fclose(file) == 0 && ok;
  if (ok && platform.replaceFile(temp, path)) return true;
  std::remove(temp.c_str());
  return false;
}

}  // namespace

// The entries are read first: a file without one leaves the kept copy as it is. The
// trace page's ticks change: not while a scan reads them.
void RulesPage::OnImportCatalog() {
  if (!CanStartScan(engine_)) {
    ShowScanBusyNotice(MainWindow());
    return;
  }
  const std::optional<std::string> path = chooseFile_(hwnd_, RuleFileAction::ImportCatalog);
  if (!path) return;
  Platform& platform = engine_.platform();
  std::string text;
  std::string reason;
  if (!platform.readFile(platform.utf8Of(*path), catalog::kLargestCatalog, text, reason)) {
    MessageBoxA(MainWindow(), "读取文件出错", "提示", MB_OK);
    return;
  }
  const catalog::CatalogFile file = catalog::readCatalog(text);
  const int loaded = static_cast<int>(file.entries.size());
  if (loaded > 0) {
    if (!KeepCopy(platform, text, catalogPath_)) {
      MessageBoxA(MainWindow(), "保存文件出错", "提示", MB_OK);
      return;
    }
    if (onCatalogImported_) ShowCatalogStatus(onCatalogImported_());
  }
  MessageBoxA(MainWindow(), CatalogImportText(loaded, static_cast<int>(file.broken.size())).c_str(), "提示", MB_OK);
}

}  // namespace scourix
