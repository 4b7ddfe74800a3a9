#pragma once
// The catalog's entries made concrete for one machine: each FileKey expanded for every
// profile (or once for the system) into targets the walk visits, each entry's exclusions
// expanded the same way, and the checks the walk makes on what it finds there.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/catalog/catalog_file.h"
#include "engine/catalog/expansion.h"
#include "engine/catalog/names.h"
#include "platform/platform.h"

namespace scourix::catalog {

// One FileKey in one profile (or system-wide).
struct Target {
  std::size_t entry = 0;  // index into the entries planned
  int keyNumber = 0;
  FolderPattern folder;
  std::vector<NamePattern> folderNames;  // folder.below, compiled: the walk matches them
  std::vector<NamePattern> patterns;
  bool recurse = false;
  bool removeSelf = false;

  // A file named `name`, `depth` folders below the target's folder (0: in it).
  bool wantsFile(std::string_view name, int depth) const;
  bool wantsFolded(const std::u32string& foldedName, int depth) const;
};

// One ExcludeKey in one profile (or system-wide).
struct Exclusion {
  FolderPattern folder;
  std::vector<NamePattern> patterns;  // empty: every file
  bool subfolders = false;            // PATH: the folder's whole tree; FILE: the folder alone
};

struct Plan {
  std::vector<Target> targets;
  std::vector<std::vector<Exclusion>> exclusions;  // per entry
  // Per entry: an exclusion it names cannot be honoured (an unknown variable, no
  // anchoring variable), so none of its keys is planned.
  std::vector<bool> refused;
  int skippedKeys = 0;        // an unknown variable, no anchoring variable, a pattern with a path
  int refusedRemoveSelf = 0;  // REMOVESELF on a profile, a shell folder or a drive root

  // A file of `entry` that one of its exclusions keeps.
  bool excludes(std::size_t entry, std::string_view filePath) const;
  // A folder whose whole tree one of the entry's exclusions keeps: the walk need not enter.
  bool excludesFolder(std::size_t entry, std::string_view folderPath) const;
};

// Which profiles (-1: the system) an entry is shown for; every one when not given.
using DetectedFn = std::function<bool(std::size_t entry, int profile)>;

Plan planCatalog(const std::vector<Entry>& entries, const Expander& expander,
                 const DetectedFn& detected = {});

// REMOVESELF never removes a profile, a folder above one, the folders a variable names
// (AppData, Documents, Windows, Program Files, ...), a shell folder of any profile
// (Desktop, Documents, Downloads, Pictures, Music, Videos, OneDrive*, ...) or a drive root.
class RemovalGuard {
 public:
  explicit RemovalGuard(const Expander& expander);
  // The walk asks this before it removes a folder.
  bool mayRemove(std::string_view folderPath) const;
  // No folder the pattern can name is one of those.
  bool mayRemovePattern(const FolderPattern& folder) const;

 private:
  std::vector<FoldedPath> kept_;
  std::vector<FoldedPath> profileParents_;  // every folder in them is a profile
};

using Presence = KeyPresence;

// How detection looks at the machine. `exists`: a file or folder the pattern names exists
// (its last name may hold * and ?). `registryKey`: Unknown where the registry cannot tell
// (another profile's HKCU, or the system is not the running one).
struct DetectionProbe {
  std::function<bool(const FolderPattern&)> exists;
  std::function<Presence(std::string_view key, int profile)> registryKey;
  int osMajor = 0, osMinor = 0;  // the running Windows; 0: DetectOS is not checked
};

// Whether the entry is shown for a profile (-1: the system): no detection key, any that
// holds, or none that could be checked.
bool isDetected(const Entry& entry, const Expander& expander, int profile,
                const DetectionProbe& probe);
// Whether one of the entry's ScourixSkipIf paths or keys exists now, or cannot be checked.
bool isHeldBack(const Entry& entry, const Expander& expander, int profile,
                const DetectionProbe& probe);

// The program folders the targets of other entries than %EmbeddedBrowserProfile%'s claim:
// an embedded-browser profile inside one is left to them (unticking them is never undone).
std::vector<std::string> claimedFolders(const Plan& plan);
bool isClaimed(std::string_view folder, const std::vector<std::string>& claims);

// ScourixKeepNewest: for folder names "name_1.2.3", those older than the newest of the
// same name (versions compared part by part as numbers). When in doubt (a version that
// is not numbers and dots), every folder of that name is kept.
std::vector<bool> olderVersions(const std::vector<std::string>& names);

// ScourixMinAgeDays: a file written or created (the later) within these days is fresh.
bool isFresh(int minAgeDays, std::int64_t created, std::int64_t written, std::int64_t now);

}  // namespace scourix::catalog
