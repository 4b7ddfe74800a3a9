#pragma once
// The modal editor of one custom rule (dialog 136), for adding and for modifying.
#include "engine/scan_rule.h"
#include "ui/framework/dialog.h"
#include "ui/pages/rule_edit_fields.h"

namespace scourix {

class RuleEditDialog : public Dialog {
 public:
  // Adding: a new rule's values ("启用", at the end of the name, empty texts).
  RuleEditDialog();
  // Modifying `rule`.
  explicit RuleEditDialog(const ScanRule& rule);

  bool isModify() const { return isModify_; }
  const RuleEditFields& fields() const { return fields_; }
  // The rule as the editor holds it (after OK: as entered).
  ScanRule rule() const { return RuleFromFields(fields_); }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  // Refuses an empty pattern with "规则不能为空" and stays open with what was entered.
  void OnOK() override;

 private:
  RuleEditFields fields_;
  bool isModify_;
};

}  // namespace scourix
