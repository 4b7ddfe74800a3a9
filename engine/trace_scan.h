#pragma once
// The trace scan: the locations of the table below every user profile, the browsers'
// caches, then the recycle folders of every drive. Each location is one walk; Recent's
// jump-list folders and the bins' index files are passed over. The findings of a walk a
// stop cut short are locked.
#include <atomic>
#include <string>
#include <vector>

#include "engine/catalog/catalog_scan.h"
#include "engine/choices.h"
#include "engine/findings.h"
#include "engine/walker.h"

namespace scourix {

struct TraceLocation;

class TraceScan : private WalkSink {
 public:
  TraceScan(Platform& platform, Pacer& pacer, ScanProgress& progress, Findings& findings,
            const std::atomic<bool>& stop, const Exclusions& exclusions)
      : platform_(platform), pacer_(pacer), progress_(progress), findings_(findings), stop_(stop),
        walker_(platform, stop, exclusions), catalog_(platform, progress, findings, stop, exclusions) {}

  // Where the scan looks for profiles when set (the command line's --profiles); otherwise
  // the system drive's "Documents and Settings", then the platform's folder, then the
  // profiles the platform has registered.
  void setProfilesFolder(std::string folder) { profilesFolder_ = std::move(folder); }
  // The catalog's part: its sources, the system it is resolved for.
  CatalogScan& catalog() { return catalog_; }
  // The whole scan with these choices.
  void run(const Choices& choices);
  // Folders the last scan found but could not list (no access, for example).
  int unreadableLocations() const { return unreadableCount_.load(); }
  // See CatalogScan::shownEntries, for the profiles the scan walks.
  catalog::LoadedCatalog shownCatalog(std::vector<bool>& shown);

 private:
  bool entryListed(const DirEntry& entry, int depth) override;
  void folderUnreadable(const std::string& path) override { noteUnreadable(path); }
  void fileWalked(const WalkedFile& file) override;

  std::unique_ptr<DirListing> openProfilesFolder(FolderPath& folder);
  void scanProfile(const FolderPath& profile);
  void scanCatalog(const std::vector<FolderPath>& profiles);
  std::vector<FolderPath> profileFolders();
  std::vector<std::string> utf8Folders(const std::vector<FolderPath>& folders) const;
  std::string utf8ProfilesFolder() const;
  void scanRecycleFolders();
  void walkLocation(const FolderPath& base, const TraceLocation& location);
  void walk(const FolderPath& folder, const std::string& label, bool skipJumpLists = false,
            bool locksFreshFiles = false);
  bool findRealFolder(const FolderPath& base, const char* relative, FolderPath& folder);
  void noteUnreadable(const std::string& folder);
  // The browser caches (browser_scan.cpp).
  void scanBrowserCaches(const FolderPath& profile);
  void walkChromiumCaches(const FolderPath& userData, const std::string& label);
  void walkProfileCaches(const FolderPath& parent, const char* cacheName, const std::string& label);
  void walkCacheFolder(const FolderPath& parent, const char* name, const std::string& label);

  Platform& platform_;
  Pacer& pacer_;
  ScanProgress& progress_;
  Findings& findings_;
  const std::atomic<bool>& stop_;
  Walker walker_;
  CatalogScan catalog_;
  const Choices* choices_ = nullptr;
  std::string profilesFolder_;
  // The walk under way: its findings' label, whether its start folder's jump-list
  // folders are passed over, and whether its fresh files start locked.
  std::string label_;
  bool skipJumpLists_ = false;
  RecycleBin bin_ = RecycleBin::None;  // the bin the walk lists
  // Files written since this time start locked; 0: none.
  std::int64_t freshSince_ = 0;
  std::vector<std::string> unreadable_;
  std::atomic<int> unreadableCount_{0};
};

}  // namespace scourix
