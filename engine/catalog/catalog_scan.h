#pragma once
// The catalog's part of the trace scan. The targets of the entries it walks are made
// concrete for the machine (wildcard folders resolved through real folders, older add-on
// versions picked, each embedded-browser profile found that no browser row or named entry
// claims), then grouped so that each folder is listed once however many entries name it
// or a folder above it. Each folder's listing is read whole before its files are judged:
// the deny list learns from the whole listing (a LevelDB store, a browser profile) and
// hands its view down to the subfolders.
#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/catalog/deny_list.h"
#include "engine/catalog/machine.h"
#include "engine/findings.h"
#include "engine/scan_progress.h"
#include "engine/walker.h"

namespace scourix {

class CatalogScan : private WalkSink {
 public:
  CatalogScan(Platform& platform, ScanProgress& progress, Findings& findings,
              const std::atomic<bool>& stop, const Exclusions& exclusions)
      : platform_(platform), progress_(progress), findings_(findings), stop_(stop),
        walker_(platform, stop, exclusions) {}

  // Where the entries come from (default: the built-in catalog).
  void setSources(catalog::CatalogSources sources) { sources_ = std::move(sources); }
  // Another installation's root (UTF-8): its system-wide folders instead of the running
  // system's, and no registry detection.
  void setSystemRoot(std::string root) { systemRoot_ = std::move(root); }
  // Every entry is walked and its findings ticked as the catalog says (the command line);
  // otherwise only the entries ticked in the choices, their findings ticked.
  void setAllEntries(bool all) { allEntries_ = all; }
  // Off: an entry the choices do not name is unticked, not as the catalog says (an
  // unattended run does only what a person chose and saw).
  void setDefaultTicks(bool on) { defaultTicks_ = on; }

  // The walk over these profiles (UTF-8 paths; `profilesFolder` holds them), with the
  // user's ticks. `runningSystem`: the profiles are the running system's own.
  void run(const std::map<std::string, Flag>& ticks, const std::vector<std::string>& profiles,
           const std::string& profilesFolder, bool runningSystem);

  // The entries of its sources, and per entry whether this machine shows it (detected for
  // the system or in one of these profiles): what the trace page lists. On the calling
  // thread, while no scan runs.
  catalog::LoadedCatalog shownEntries(const std::vector<std::string>& profiles,
                                      const std::string& profilesFolder, bool runningSystem,
                                      std::vector<bool>& shown);

  // Files an entry named that the deny list keeps, in the last run.
  int refused() const { return refused_.load(); }
  // The loaded catalog of the last run (its entries' labels, groups and origins).
  const catalog::LoadedCatalog& loaded() const { return loaded_; }

 private:
  // A target made concrete below a group's folder.
  struct Placed {
    std::size_t target;
    std::vector<std::u32string> names;  // folded, from the group's folder to the target's
  };
  struct Group {
    std::string folder;  // UTF-8
    catalog::FoldedPath folded;
    std::vector<Placed> targets;
  };
  // A folder waiting for its listing.
  struct Pending {
    FolderPath folder;
    std::string utf8;
    std::vector<std::u32string> names;  // below the group's folder, folded
    catalog::DenyScope scope;
    // A listing above it broke off: a marker that decides its scope may be in the part
    // never listed, so all it gives starts locked.
    bool partial = false;
    bool oldInstallation = false;  // in an old installation of Windows: see oldInstallations_
  };
  struct Held {
    WalkedFile file;
    std::string utf8Name;
  };

  catalog::MachineChoice machineOf(const std::vector<std::string>& profiles,
                                   const std::string& profilesFolder, bool runningSystem) const {
    return {systemRoot_, profiles, profilesFolder, runningSystem && systemRoot_.empty()};
  }
  std::vector<Group> placeTargets(catalog::FolderLister& lister);
  void placeEmbeddedBrowserTargets(catalog::FolderLister& lister,
                                   std::vector<std::pair<std::string, std::size_t>>& placed);
  void walkGroup(const Group& group, catalog::FolderLister& lister);
  bool wantsFolder(const Group& group, const std::vector<std::u32string>& names,
                   const std::string& utf8) const;
  // Takes the held file's facts into its finding, locked unless the folder's listing was whole.
  void judge(const Group& group, const Pending& folder, const Held& held, bool wholeListing);

  bool entryListed(const DirEntry& entry, int depth) override;
  void fileWalked(const WalkedFile& file) override;

  Platform& platform_;
  ScanProgress& progress_;
  Findings& findings_;
  const std::atomic<bool>& stop_;
  Walker walker_;
  catalog::CatalogSources sources_;
  std::string systemRoot_;
  bool allEntries_ = false;
  bool defaultTicks_ = true;

  catalog::LoadedCatalog loaded_;
  std::unique_ptr<catalog::Expander> expander_;
  catalog::Plan plan_;
  std::vector<bool> ticked_;         // per entry: its findings start ticked
  std::vector<std::string> labels_;  // per entry: its label in the code page
  std::vector<std::string> claims_;  // the program folders of every entry
  std::unique_ptr<catalog::DenyList> deny_;
  // An old installation (Windows.old, and an upgrade's own folders) holds its users'
  // files: whatever entry finds a file there leaves it to Windows' own cleanup.
  std::vector<catalog::FoldedPath> oldInstallations_;
  std::int64_t now_ = 0;
  std::atomic<int> refused_{0};
  // The listing of the folder being read: its markers, held files and subfolders.
  catalog::FolderMarkers markers_;
  std::vector<Held> held_;
  std::size_t heldCount_ = 0;  // the held records of this listing; the others wait for reuse
  std::vector<std::pair<DirEntry, std::string>> subfolders_;
  std::string pendingName_;
  std::size_t groupRootLength_ = 0;  // units of the exact path of the group being walked
  // The file being judged: its UTF-8 path and folded name, their storage reused.
  std::string utf8_;
  std::u32string foldedName_;
};

}  // namespace scourix
