// The trace scan: the per-profile locations and the recycle folders of every drive.
#include <algorithm>

#include "engine/clean_engine.h"
#include "engine/trace_locations.h"

namespace scourix {
namespace {

constexpr int kLocationSleepMs = 10;
constexpr std::size_t kProfileRows = 6;
constexpr std::size_t kFirstDriveRow = 6;

// The built-in accounts of the services have profiles of their own that hold no user's
// traces; on Windows XP the system attribute keeps them out instead.
bool isServiceProfile(const std::string& lowerName) {
  return lowerName == "systemprofile" || lowerName == "localservice" ||
         lowerName == "networkservice";
}

}  // namespace

void CleanEngine::scanTraces() {
  paceCounter = 0;
  unreadable_.clear();
  unreadableCount_ = 0;
  for (const std::string& profile : profileFolders()) {
    if (stopRequested_) break;
    scanProfile(profile);
  }

  if (choices_.traceFlags.recycleBin == 0 || stopRequested_) return;
  const auto& locations = traceLocations();
  const int count = driveCount();
  for (int i = 0; i < count && !stopRequested_; ++i) {
    if (choices_.drives[i].present == 0) continue;
    const std::string root = withSeparator(choices_.drives[i].root);
    for (std::size_t row = kFirstDriveRow; row < locations.size() && !stopRequested_; ++row) {
      if (row > kFirstDriveRow) sleepMandated(kLocationSleepMs);
      std::string folder;
      if (findRealFolder(root, locations[row].subPath, folder)) {
        walkDirectory(folder, locations[row].label);
      }
    }
  }
  // Only a bin whose folders were all walked may be emptied later.
  if (!stopRequested_) recycleBinPending = 1;
}

void CleanEngine::scanProfile(const std::string& profile) {
  const std::string base = withSeparator(profile);
  const auto& locations = traceLocations();
  for (std::size_t row = 0; row < kProfileRows && !stopRequested_; ++row) {
    const TraceLocation& location = locations[row];
    if ((choices_.traceFlags.*location.flag).get() != 0) walkTraceLocation(base, location);
    if (row + 1 < kProfileRows) sleepMandated(kLocationSleepMs);
  }
  if (!stopRequested_) scanBrowserCaches(base);
}

// The first of the location's folders that is a real one: the junctions that stand for
// the old folders on newer Windows refuse to be listed, and following them would list
// the same files twice.
void CleanEngine::walkTraceLocation(const std::string& base, const TraceLocation& location) {
  std::string folder;
  bool found = findRealFolder(base, location.subPath, folder);
  for (const char* later : location.laterPaths) {
    if (found || later == nullptr) break;
    found = findRealFolder(base, later, folder);
  }
  if (!found) return;
  if (!location.keepsJumpLists) {
    walkDirectory(folder, location.label);
    return;
  }
  const std::unique_ptr<DirListing> listing = platform_.openListing(folder);
  if (!listing) {
    noteUnreadable(folder);
    return;
  }
  const std::string label = location.label;
  DirEntry entry;
  while (!stopRequested_ && listing->next(entry)) {
    paceStep();
    if (isDotOrDotDot(entry.name)) continue;
    if (!entry.isDirectory) {
      listTraceFile(entry, folder + entry.name, label);
    } else if (!entry.isLink && !isJumpListFolder(platform_.codePage().lower(entry.name))) {
      walkDirectory(folder + entry.name, label);
    }
  }
}

// Follows `relative` ('\\' between its names) down from `base` through real folders
// only, matching names as Windows does, without regard to case. `folder` gets the path
// as the listings spell it, ending with the separator.
bool CleanEngine::findRealFolder(const std::string& base, const char* relative,
                                 std::string& folder) {
  const CodePage& codePage = platform_.codePage();
  folder = base;
  const std::string path = relative;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    const std::string wanted = codePage.lower(path.substr(start, end - start));
    const std::unique_ptr<DirListing> listing = platform_.openListing(folder);
    if (!listing) {
      noteUnreadable(folder);
      return false;
    }
    DirEntry entry;
    bool found = false;
    while (!found && listing->next(entry)) {
      found = entry.isDirectory && codePage.lower(entry.name) == wanted;
    }
    if (!found || entry.isLink) return false;
    folder += entry.name;
    folder += platform_.separator();
    start = end + 1;
  }
  return true;
}

void CleanEngine::noteUnreadable(const std::string& folder) {
  if (std::find(unreadable_.begin(), unreadable_.end(), folder) != unreadable_.end()) return;
  unreadable_.push_back(folder);
  unreadableCount_ = static_cast<int>(unreadable_.size());
}

// The profiles folder when it can be listed, otherwise the profiles the system has
// registered.
std::vector<std::string> CleanEngine::profileFolders() {
  std::vector<std::string> profiles;
  std::string folder;
  if (const std::unique_ptr<DirListing> listing = openProfilesFolder(folder)) {
    DirEntry entry;
    while (!stopRequested_ && listing->next(entry)) {
      if (isDotOrDotDot(entry.name)) continue;
      // System folders are the built-in ones (All Users, Default User); hidden ones are
      // real users.
      if (!entry.isDirectory || entry.isSystem) continue;
      profiles.push_back(folder + entry.name);
    }
    return profiles;
  }
  if (!profilesFolderOverride.empty()) return profiles;
  const CodePage& codePage = platform_.codePage();
  const char separator = platform_.separator();
  std::vector<std::string> seen;
  for (const std::string& registered : platform_.registeredProfiles()) {
    std::string key = codePage.lower(registered);
    while (codePage.endsWith(key, separator)) key.pop_back();
    const std::size_t slash = codePage.lastOf(key, separator);
    if (isServiceProfile(key.substr(slash == std::string::npos ? 0 : slash + 1))) continue;
    if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
    seen.push_back(key);
    profiles.push_back(registered);
  }
  return profiles;
}

// The profiles live in the system drive's "Documents and Settings"; where that cannot be
// listed (newer Windows, other systems) the platform names their folder.
std::unique_ptr<DirListing> CleanEngine::openProfilesFolder(std::string& folder) {
  if (!profilesFolderOverride.empty()) {
    folder = withSeparator(profilesFolderOverride);
    return platform_.openListing(folder);
  }
  const char separator = platform_.separator();
  const std::string systemDir = platform_.systemDirectory();
  if (!systemDir.empty()) {
    folder = std::string(1, systemDir[0]) + ':' + separator + "Documents and Settings" + separator;
    if (std::unique_ptr<DirListing> listing = platform_.openListing(folder)) return listing;
  }
  const std::string profiles = platform_.profilesDirectory();
  if (profiles.empty()) return nullptr;
  folder = withSeparator(profiles);
  return platform_.openListing(folder);
}

}  // namespace scourix
