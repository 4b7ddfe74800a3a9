#include "ui/pages/rule_edit_dialog.h"

#include "res/resource.h"
#include "ui/framework/controls.h"
#include "ui/framework/data_exchange.h"

namespace scourix {

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
  if (!IsAcceptablePattern(fields_.pattern)) {
    MessageBoxA(hwnd_, "规则不能为空", "提示", MB_OK);
    return;
  }
  EndDialog(IDOK);
}

}  // namespace scourix
