#pragma once
// The disk cleaning page (tab "清理磁盘"): the fixed drives to scan under "我的电脑", the
// disk scan with its progress and current path, and the technical-support block.
#include <string>
#include <vector>

#include "ui/controls/check_tree_ctrl.h"
#include "ui/controls/hyperlink_label.h"
#include "ui/framework/controls.h"
#include "ui/pages/scan_page.h"

namespace scourix {

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

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool OnCommand(int id, UINT code) override;
  void ReadChecks() override { ReadDriveChecks(); }

 private:
  void FillDriveTree();
  void OnStart();
  void OnTimer() override;
  void OnSelectAll();
  void OnSelectNone();
  void SelectAllDrives(bool selected);
  void OnDestroy() override;

  CheckTreeCtrl tree_;
  // The drives' items, by the drives' index; empty while the tree does not exist.
  std::vector<HTREEITEM> driveItems_;
  HyperLinkLabel supportLink_;
  CheckTreeImages treeImages_;
  std::string supportEmail_ = kSupportEmail;
};

}  // namespace scourix
