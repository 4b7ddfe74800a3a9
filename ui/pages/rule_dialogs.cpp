#include "ui/pages/rule_dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "res/resource.h"
#include "ui/framework/controls.h"
#include "ui/framework/data_exchange.h"

namespace scourix {

namespace {

// Pairs of label and pattern; the literal's own terminator ends the list.
constexpr char kFilter[] = "txt Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";
constexpr char kInitialName[] = "*.txt";
constexpr char kCatalogFilter[] = "winapp2.ini (*.ini)\0*.ini\0All Files (*.*)\0*.*\0";
constexpr char kCatalogName[] = "winapp2.ini";
// Room for long paths; a longer choice fails the dialog, which counts as cancelled.
constexpr DWORD kPathRoom = 4096;

}  // namespace

RuleEditDialog::RuleEditDialog() : Dialog(IDD_RULE_EDIT), isModify_(false) {}

RuleEditDialog::RuleEditDialog(const ScanRule& rule)
    : Dialog(IDD_RULE_EDIT), fields_(FieldsFromRule(rule)), isModify_(true) {}

BOOL RuleEditDialog::OnInitDialog() {
  // The lists must hold their items before the exchange selects them.
  ComboBox enableList;
  enableList.Attach(Item(IDC_EDIT_ENABLED));
  for (const char* item : kEnableChoices) enableList.AddString(item);
  ComboBox modeList;
  modeList.Attach(Item(IDC_EDIT_MODE));
  for (const char* item : kModeChoices) modeList.AddString(item);
  Dialog::OnInitDialog();
  SetText(EditorCaption(isModify_));
  return TRUE;
}

void RuleEditDialog::DoDataExchange(DataExchange& exchange) {
  exchange.ComboIndex(IDC_EDIT_ENABLED, fields_.enableIndex);
  exchange.Text(IDC_EDIT_DESCRIPTION, fields_.description);
  exchange.Text(IDC_EDIT_PATTERN, fields_.pattern);
  exchange.ComboIndex(IDC_EDIT_MODE, fields_.modeIndex);
}

void RuleEditDialog::OnOK() {
  UpdateData(true);
  if (const char* problem = PatternProblem(fields_.pattern)) {
    MessageBoxA(hwnd_, problem, "提示", MB_OK);
    return;
  }
  EndDialog(IDOK);
}

std::optional<std::string> AskRuleFilePath(HWND owner, RuleFileAction action) {
  const bool catalog = action == RuleFileAction::ImportCatalog;
  std::vector<char> path(kPathRoom, '\0');
  if (catalog) {
    std::copy(std::begin(kCatalogName), std::end(kCatalogName), path.begin());
  } else {
    std::copy(std::begin(kInitialName), std::end(kInitialName), path.begin());
  }
  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = catalog ? kCatalogFilter : kFilter;
  request.nFilterIndex = 1;
  request.lpstrFile = path.data();
  request.nMaxFile = kPathRoom;
  request.lpstrDefExt = catalog ? "ini" : "txt";
  request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  const BOOL chosen = action == RuleFileAction::Export ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request);
  if (!chosen) return std::nullopt;
  return std::string(path.data());
}

bool DuplicateRulePrompt::addDuplicate(const std::string& pattern) {
  return MessageBoxA(owner_, DuplicateRuleText(pattern).c_str(), "提醒", MB_YESNO | MB_ICONQUESTION) != IDNO;
}

}  // namespace scourix
