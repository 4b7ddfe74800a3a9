// The trace scan: the per-profile locations and the recycle folders of every drive.
#include "engine/clean_engine.h"
#include "engine/trace_locations.h"

namespace scourix {
namespace {

constexpr int kLocationSleepMs = 10;
constexpr std::size_t kProfileRows = 6;

}  // namespace

void CleanEngine::scanTraces() {
  paceCounter = 0;
  std::string folder;
  if (const std::unique_ptr<DirListing> listing = openProfilesFolder(folder)) {
    DirEntry entry;
    while (!stopRequested_ && listing->next(entry)) {
      if (entry.name == "." || entry.name == "..") continue;
      // System folders are the built-in ones (All Users, Default User); hidden ones are
      // real users.
      if (!entry.isDirectory || entry.isSystem) continue;
      scanProfile(folder + entry.name);
    }
  }

  if (traceFlags.recycleBin == 0 || stopRequested_) return;
  const auto& locations = traceLocations();
  const TraceLocation& recycled = locations[6];
  const TraceLocation& recycler = locations[7];
  const char separator = platform_.separator();
  const int count = driveCount();
  for (int i = 0; i < count && !stopRequested_; ++i) {
    const std::string root = withSeparator(drives[i].root);
    walkDirectory(tracePath(recycled, root, separator), recycled.label);
    sleepMandated(kLocationSleepMs);
    walkDirectory(tracePath(recycler, root, separator), recycler.label);
  }
  // Only a bin whose folders were all walked may be emptied later.
  if (!stopRequested_) recycleBinPending = 1;
}

void CleanEngine::scanProfile(const std::string& profile) {
  const std::string base = withSeparator(profile);
  const char separator = platform_.separator();
  const auto& locations = traceLocations();
  for (std::size_t row = 0; row < kProfileRows && !stopRequested_; ++row) {
    const TraceLocation& location = locations[row];
    if ((traceFlags.*location.flag).get() != 0) {
      walkDirectory(tracePath(location, base, separator), location.label);
    }
    if (row + 1 < kProfileRows) sleepMandated(kLocationSleepMs);
  }
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
