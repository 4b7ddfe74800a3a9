#include "engine/clean_engine.h"

#include <algorithm>

namespace scourix {

CleanEngine::CleanEngine(Platform& platform)
    : platform_(platform), pacer_(platform),
      worker_(platform, findings_, progress_, pacer_, [this](ScanKind kind) { prepareScan(kind); },
              [this](ScanKind kind) { walk(kind); }),
      diskScan_(platform, pacer_, progress_, findings_, worker_.stopFlag(), scanExclusions_),
      traceScan_(platform, pacer_, progress_, findings_, worker_.stopFlag(), scanExclusions_) {}

// The worker uses the scans, which go before it.
CleanEngine::~CleanEngine() { worker_.stopAndWait(); }

void CleanEngine::prepareScan(ScanKind kind) {
  pacer_.restart();
  progress_.restart(kind);
  diskScan_.start(choices_);
  scanExclusions_ = choices_.exclusions;
}

void CleanEngine::walk(ScanKind kind) {
  if (kind == ScanKind::Trace) {
    traceScan_.run(choices_);
    return;
  }
  for (std::size_t i = 0; i < choices_.drives.size() && !worker_.stoppedEarly(); ++i) {
    if (choices_.drives[i].selected == 0) continue;
    diskScan_.scanFolder(platform_.folderOf(choices_.drives[i].root));
  }
}

void CleanEngine::scanFolder(const std::string& folder) {
  diskScan_.start(choices_);
  scanExclusions_ = choices_.exclusions;
  diskScan_.scanFolder(platform_.folderOf(folder));
}

void CleanEngine::enumerateFixedDrives() {
  for (DriveEntry& drive : choices_.drives) drive.present = 0;
  // Only C to R: A and B are floppies, and S onwards were never examined.
  for (char letter = 'C'; letter <= 'R'; ++letter) {
    const std::string root = std::string(1, letter) + ':' + platform_.separator();
    if (platform_.driveType(root) != kDriveFixed) continue;
    DriveEntry drive;
    drive.root = root;
    drive.displayName = root;
    drive.selected = 1;
    drive.present = 1;
    addDrive(drive);
  }
  choices_.drives.erase(std::remove_if(choices_.drives.begin(), choices_.drives.end(),
                                       [](const DriveEntry& d) { return d.present == 0; }),
                        choices_.drives.end());
}

void CleanEngine::addDrive(const DriveEntry& drive) {
  for (DriveEntry& known : choices_.drives) {
    if (known.root == drive.root) {
      known.present = 1;
      return;
    }
  }
  choices_.drives.push_back(drive);
}

}  // namespace scourix
