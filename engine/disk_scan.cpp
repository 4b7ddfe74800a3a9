#include "engine/disk_scan.h"

namespace scourix {

void DiskScan::scanFolder(const FolderPath& root) {
  protection_.start(protecting_, root.path, platform_.separator(), platform_.codePage(),
                    protecting_ ? UserPlaces::of(platform_) : UserPlaces());
  const int first = findings_.count();
  if (!walker_.walk(root, *this)) findings_.lockFrom(first);
}

bool DiskScan::entryListed(const DirEntry& entry, int) {
  protection_.entryListed(entry, findings_);
  return true;
}

void DiskScan::fileWalked(const WalkedFile& file) {
  progress_.examined(file.path);
  progress_.step();
  classifier_.classify(file);
}

}  // namespace scourix
