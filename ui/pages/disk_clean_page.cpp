#include "ui/pages/disk_clean_page.h"

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "ui/framework/data_exchange.h"
#include "ui/pages/check_choices.h"

namespace scourix {

DiskCleanPage::DiskCleanPage(CleanEngine& engine, OptionsPage& options)
    : ScanPage(IDD_DISK_PAGE, engine, options) {}

void DiskCleanPage::DoDataExchange(DataExchange& exchange) {
  exchange.Control(IDC_DISK_TREE, tree_);
  ExchangeScanControls(exchange, IDC_DISK_PROGRESS, IDC_DISK_START, IDC_DISK_PATH);
  exchange.Control(IDC_DISK_LINK, supportLink_);
  exchange.Text(IDC_DISK_EMAIL, supportEmail_);
}

BOOL DiskCleanPage::OnInitDialog() {
  ScanPage::OnInitDialog();
  supportLink_.SetText(kSupportSiteText);
  supportLink_.SetTarget(kSupportAddress);
  supportLink_.SetUnderlined(true);
  treeImages_.InstallOn(tree_);
  engine_.enumerateFixedDrives();
  FillDriveTree();
  SetTimer(hwnd_, kProgressTimerId, kProgressTimerMs, nullptr);
  return TRUE;
}

void DiskCleanPage::FillDriveTree() {
  RedrawOff quiet(tree_);
  tree_.DeleteAllItems();
  HTREEITEM root = tree_.InsertItem(kDriveTreeRootText, 0, 1, TVI_ROOT, TVI_LAST);
  driveItems_.clear();
  for (const DriveEntry& drive : engine_.choices().drives) {
    driveItems_.push_back(tree_.InsertItem(drive.displayName, 0, 1, root, TVI_LAST, 0, CheckFromFlag(drive.selected)));
  }
  tree_.SumUpChildren(root);
  // A root without children cannot be expanded: expanded after the drives are in, so
  // they show.
  tree_.Expand(root);
}

void DiskCleanPage::ReadDriveChecks() {
  if (!tree_.exists()) return;
  ReadBackDriveChecks(engine_.choices().drives, driveItems_, [this](HTREEITEM item) { return tree_.GetCheck(item); });
}

bool DiskCleanPage::OnCommand(int id, UINT code) {
  static constexpr Command<DiskCleanPage> kCommands[] = {
      {IDC_DISK_START, BN_CLICKED, &DiskCleanPage::OnStart},
      {IDC_DISK_SELECT_ALL, BN_CLICKED, &DiskCleanPage::OnSelectAll},
      {IDC_DISK_SELECT_NONE, BN_CLICKED, &DiskCleanPage::OnSelectNone},
  };
  return RunCommand(*this, kCommands, id, code);
}

void DiskCleanPage::OnStart() { StartOrStopScan(kDiskProgressMax, &CleanEngine::startDiskScan); }

void DiskCleanPage::OnTimer() { MirrorWhileRunning(ScanKind::Disk); }

void DiskCleanPage::OnSelectAll() { SelectAllDrives(true); }

void DiskCleanPage::OnSelectNone() { SelectAllDrives(false); }

// The flags change at once: a running scan reads each drive's flag when it gets there.
void DiskCleanPage::SelectAllDrives(bool selected) {
  for (DriveEntry& drive : engine_.choices().drives) drive.selected = selected ? 1 : 0;
  RedrawOff quiet(tree_);
  tree_.SetSiblingChecks(driveItems_, selected ? Ticked : Unticked);
}

void DiskCleanPage::OnDestroy() { driveItems_.clear(); }

}  // namespace scourix
