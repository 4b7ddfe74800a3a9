#pragma once
// The rules page (tab "自定义规则"): the user's own scanning rules, with the editor for
// adding and modifying them and the import and export of a rule text file.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "ui/framework/controls.h"
#include "ui/framework/key_filter.h"
#include "ui/pages/rule_dialogs.h"

namespace scourix {

class CleanEngine;
struct ScanRule;

class RulesPage : public FilteredDialog {
 public:
  explicit RulesPage(CleanEngine& engine);

  // Rebuilds the rows from the store; leaves the picked rule and the buttons alone.
  void RefreshRuleList();
  // The rule last picked with the mouse or the keyboard; -1: none.
  int currentRule() const { return currentRule_; }
  // Replaces the file dialogs of the import and export.
  void SetFileChooser(RuleFileChooser chooser) { chooseFile_ = std::move(chooser); }
  // "导入 winapp2.ini" keeps the file at `path`; `imported` then shows its entries on the
  // trace page and answers how many the file has.
  void SetCatalogImport(std::string path, std::function<int()> imported) {
    catalogPath_ = std::move(path);
    onCatalogImported_ = std::move(imported);
  }
  void ShowCatalogStatus(int imported);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool OnCommand(int id, UINT code) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void InitColumns();
  void OnAdd();
  void OnDeleteRule();
  void OnModify();
  void OnImport();
  void OnExport();
  void OnClear();
  void OnImportCatalog();
  void OnListClick();
  void OnListDblClk();
  // Takes the rule a click leaves selected; true when there is one.
  bool PickFromSelection();
  void SetCurrentRule(int position);
  void ShowRule(int row, const ScanRule& rule);
  // The main window: owner of the import's and export's boxes.
  HWND MainWindow() const { return GetAncestor(hwnd_, GA_ROOT); }

  CleanEngine& engine_;
  ListView ruleList_;
  Button deleteButton_;
  Button modifyButton_;
  int currentRule_ = -1;
  bool rebuilding_ = false;  // the page changes the rows: their selection changes pick nothing
  RuleFileChooser chooseFile_;
  std::string catalogPath_;
  std::function<int()> onCatalogImported_;
};

}  // namespace scourix
