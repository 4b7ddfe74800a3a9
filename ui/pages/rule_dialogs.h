#pragma once
// The boxes the rules page opens: the modal editor of one custom rule (dialog 136), the
// file dialogs that choose the rule text file of an import or an export, and the
// import's question before it adds a pattern that is already in the store.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "engine/scan_rule.h"
#include "ui/framework/dialog.h"
#include "ui/pages/rule_editing.h"

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

enum class RuleFileAction { Import, Export, ImportCatalog };

// Asks for the file name: the open dialog for an import, the save dialog for an export.
// The chosen full path, or nothing when the user cancelled.
using RuleFileChooser = std::function<std::optional<std::string>(HWND owner, RuleFileAction action)>;

// The chooser of the program: text files (*.txt) or all files, "txt" as the default
// extension, "*.txt" as the initial name; for a winapp2.ini, *.ini files and that name.
std::optional<std::string> AskRuleFilePath(HWND owner, RuleFileAction action);

class DuplicateRulePrompt {
 public:
  // owner: the main window, which owns the question box.
  explicit DuplicateRulePrompt(HWND owner) : owner_(owner) {}
  // "%s 规则已经存在，是否还要添加?" / "提醒" with Yes and No; only No refuses.
  bool addDuplicate(const std::string& pattern);

 private:
  HWND owner_;
};

}  // namespace scourix
