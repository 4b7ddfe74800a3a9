#pragma once
// The disk cleaning page (tab "清理磁盘"): the fixed drives to scan under "我的电脑", the
// disk scan with its progress and current path, and the technical-support block.
#include <string>

#include "ui/check_tree_ctrl.h"
#include "ui/framework/controls.h"
#include "ui/hyperlink_label.h"
#include "ui/scan_page.h"

namespace scourix {

class CleanEngine;
class OptionsPage;

// The maker's web site as the link shows it (it must fit its 86-unit field), the address
// it opens, and the support e-mail address.
constexpr char kSupportSiteText[] = "www.scourix.com";
constexpr char kSupportAddress[] = "http://www.scourix.com";
constexpr char kSupportEmail[] = "support@scourix.com";

constexpr char kDriveTreeRootText[] = "我的电脑";

class DiskCleanPage : public ScanPage {
 public:
  DiskCleanPage(CleanEngine& engine, OptionsPage& options);

  // Copies the tree's check marks into the drives' selected flags.
  void ReadDriveChecks();

  void ShowFullProgress(int position) override;
  void EnableStartButton() override;
  void ResetProgress() override;

  const std::string& pathText() const { return pathText_; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void FillDriveTree();
  void OnTimer();
  void OnStartScan();
  void OnSelectAll();
  void OnSelectNone();
  void SelectAllDrives(bool selected);
  void OnDestroy();

  CleanEngine& engine_;
  OptionsPage& options_;
  CheckTreeCtrl tree_;
  ProgressBar progress_;
  Button startButton_;
  Edit pathEdit_;
  HyperLinkLabel supportLink_;
  CheckTreeImages treeImages_;
  std::string pathText_;
  std::string supportEmail_ = kSupportEmail;
};

}  // namespace scourix
