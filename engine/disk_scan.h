#pragma once
// The disk scan of a folder (a drive's root): every file the walk lists is classified;
// the protection follows the walk and leaves the findings where deleting could break a
// program unticked.
#include <atomic>
#include <string>

#include "engine/classify.h"
#include "engine/protection.h"
#include "engine/walker.h"

namespace scourix {

class DiskScan : private WalkSink {
 public:
  DiskScan(Platform& platform, Pacer& pacer, ScanProgress& progress, Findings& findings,
           const std::atomic<bool>& stop, const Exclusions& exclusions)
      : platform_(platform), progress_(progress), findings_(findings), walker_(platform, stop, exclusions),
        classifier_(platform, pacer, findings) {}

  // Off: every finding starts ticked, protected or not.
  void setProtection(bool on) { protecting_ = on; }
  // A scan starts with these choices (see Classifier::start).
  void start(const Choices& choices) { classifier_.start(choices); }
  // Walks the folder and adds its findings to the list; those of a walk cut short are locked.
  void scanFolder(const FolderPath& root);

 private:
  void folderOpened(const std::string& path) override { protection_.folderOpened(path, findings_); }
  bool entryListed(const DirEntry& entry, int depth) override;
  void folderClosed() override { protection_.folderClosed(findings_); }
  void fileWalked(const WalkedFile& file) override;

  Platform& platform_;
  ScanProgress& progress_;
  Findings& findings_;
  Walker walker_;
  Classifier classifier_;
  bool protecting_ = true;
  ProtectionTracker protection_;
};

}  // namespace scourix
