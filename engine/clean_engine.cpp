#include "engine/clean_engine.h"

#include <algorithm>
#include <utility>

namespace scourix {

CleanEngine::CleanEngine(Platform& platform) : platform_(platform) {}

CleanEngine::~CleanEngine() {
  requestStop();
  waitForScan();
}

std::string CleanEngine::currentPath() const {
  std::lock_guard<std::mutex> lock(pathMutex_);
  return currentPath_;
}

void CleanEngine::setCurrentPath(std::string_view path) {
  std::lock_guard<std::mutex> lock(pathMutex_);
  currentPath_.assign(path);
}

std::string CleanEngine::withSeparator(std::string path) const {
  return platform_.codePage().withSeparator(std::move(path), platform_.separator());
}

void CleanEngine::enumerateFixedDrives() {
  setAllDrivesPresent(0);
  // Only C to R: A and B are floppies, and S onwards were never examined.
  for (char letter = 'C'; letter <= 'R'; ++letter) {
    const std::string root = std::string(1, letter) + ':' + platform_.separator();
    if (platform_.driveType(root) != kDriveFixed) continue;
    DriveEntry drive;
    drive.root = root;
    drive.displayName = root;
    drive.selected = 1;
    drive.treeItem = 0;
    drive.present = 1;
    addDrive(drive);
  }
  choices_.drives.erase(std::remove_if(choices_.drives.begin(), choices_.drives.end(),
                              [](const DriveEntry& d) { return d.present == 0; }),
               choices_.drives.end());
}

int CleanEngine::markDrivePresent(const std::string& root) {
  for (DriveEntry& drive : choices_.drives) {
    if (drive.root == root) {
      drive.present = 1;
      return 1;
    }
  }
  return 0;
}

void CleanEngine::addDrive(const DriveEntry& drive) {
  // A remembered drive keeps its selection; it is only marked present.
  if (markDrivePresent(drive.root)) return;
  choices_.drives.push_back(drive);
}

void CleanEngine::setAllDrivesPresent(std::int32_t value) {
  for (DriveEntry& drive : choices_.drives) drive.present = value;
}

}  // namespace scourix
