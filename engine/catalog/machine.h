#pragma once
// The catalog made ready for one machine: its entries loaded (the built-in catalog and
// the winapp2.ini files a user keeps), the machine's folders worked out (the running
// system from its environment, or another installation under a folder), WeChat's moved
// data folders read from its configuration, and detection answered by the machine:
// DetectFile per profile, the registry only where the system is the running one (HKCU
// for the current user alone).
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/catalog/catalog_file.h"
#include "engine/catalog/expansion.h"
#include "engine/catalog/names.h"
#include "engine/catalog/plan.h"
#include "engine/flag.h"
#include "platform/platform.h"

namespace scourix::catalog {

// Listings of folders given by UTF-8 paths, each folder listed once: detection and the
// catalog's walk ask about the same few folders (AppData, Local, ProgramData) many times.
class FolderLister {
 public:
  struct Listed {
    std::string name;  // UTF-8
    bool folder = false;
    bool link = false;
  };

  explicit FolderLister(Platform& platform) : platform_(platform) {}
  // Empty when the folder cannot be listed.
  const std::vector<Listed>& list(const std::string& folder);
  // Its listing broke off part way: what it lacks is unknown.
  bool brokeOff(const std::string& folder) const { return brokenOff_.count(foldPath(folder)) != 0; }
  // The files and folders (only folders) a pattern names, through real folders (no links);
  // `olderOnly`: of the folders its last name matches, those that are older versions
  // (olderVersions) of another.
  std::vector<std::string> resolve(const FolderPattern& pattern, bool foldersOnly, bool olderOnly);

 private:
  Platform& platform_;
  std::map<FoldedPath, std::vector<Listed>> listings_;
  std::set<FoldedPath> brokenOff_;
};

// The largest catalog file read: winapp2.ini itself is a few megabytes.
constexpr std::size_t kLargestCatalog = 64u << 20;

// Where the entries come from.
struct CatalogSources {
  bool builtIn = true;
  std::vector<std::string> files;  // winapp2.ini files (UTF-8 paths)
};

struct LoadedCatalog {
  std::vector<Entry> entries;
  std::vector<bool> imported;         // per entry: from a user's file (unticked at first)
  int broken = 0;                     // entries skipped as broken, in all files
  std::vector<std::string> failures;  // "FILE: reason" for each file that could not be read
};

LoadedCatalog loadCatalog(Platform& platform, const CatalogSources& sources);

// An imported entry's tick is kept under its name with this before it: it never takes
// the tick of a built-in entry of the same name.
constexpr char kImportedItemPrefix[] = "winapp2:";

// The name an entry's tick is kept by (Choices::catalogTicks).
std::string tickName(const LoadedCatalog& catalog, std::size_t entry);
// Ticked as the user left it, otherwise as the catalog says (an imported entry: never).
bool isTicked(const std::map<std::string, Flag>& ticks, const LoadedCatalog& catalog,
              std::size_t entry);

// Whose folders the entries are resolved for.
struct MachineChoice {
  // Another installation's root (UTF-8); empty: the running system, from its environment.
  std::string systemRoot;
  std::vector<std::string> profiles;  // the profile folders (UTF-8)
  std::string profilesFolder;         // the folder holding them, where one is known
  // The system and profiles are the running ones, so its registry may be asked (neither
  // --system-root nor --profiles was given).
  bool runningSystem = true;
};

// The running system's folders from its environment (%SystemRoot%, %ProgramFiles%, ...);
// every folder empty where the environment names none (no Windows).
SystemFolders runningSystemFolders(Platform& platform, const std::string& profilesFolder);

// The expander of the machine: every profile's folders, WeChat's moved.
Expander machineExpander(Platform& platform, const MachineChoice& machine);

// The machine's answers to detection.
DetectionProbe machineProbe(Platform& platform, const Expander& expander,
                            const MachineChoice& machine);

// Per entry and context (-1: the system, or a profile's index): detected and not held
// back. Each is asked of the machine once, when first wanted.
class DetectionTable {
 public:
  DetectionTable(const std::vector<Entry>& entries, const Expander& expander,
                 DetectionProbe probe);
  bool shown(std::size_t entry, int profile);
  // Shown for the system or for any profile.
  bool shownAnywhere(std::size_t entry);

 private:
  const std::vector<Entry>& entries_;
  const Expander& expander_;
  DetectionProbe probe_;
  std::size_t contexts_;
  std::vector<signed char> known_;  // -1: not asked yet
};

}  // namespace scourix::catalog
