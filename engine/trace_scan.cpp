#include "engine/trace_scan.h"

#include <algorithm>
#include <cstring>

#include "engine/protection.h"
#include "engine/trace_locations.h"

namespace scourix {
namespace {

constexpr int kLocationSleepMs = 10;
constexpr std::size_t kProfileRows = 6;
constexpr std::size_t kFirstDriveRow = 6;
constexpr std::int64_t kFreshSeconds = 24 * 60 * 60;

// The built-in accounts of the services have profiles of their own that hold no user's
// traces; on Windows XP the system attribute keeps them out instead.
bool isServiceProfile(const std::string& lowerName) {
  return lowerName == "systemprofile" || lowerName == "localservice" || lowerName == "networkservice";
}

}  // namespace

void TraceScan::run(const Choices& choices) {
  choices_ = &choices;
  pacer_.restart();
  unreadable_.clear();
  unreadableCount_ = 0;
  const std::vector<FolderPath> profiles = profileFolders();
  for (const FolderPath& profile : profiles) {
    if (stop_) break;
    scanProfile(profile);
  }
  if (!stop_) scanCatalog(profiles);
  if (choices.traceFlags.recycleBin != 0 && !stop_) scanRecycleFolders();
}

void TraceScan::scanRecycleFolders() {
  const auto& locations = traceLocations();
  const std::vector<DriveEntry>& drives = choices_->drives;
  for (std::size_t i = 0; i < drives.size() && !stop_; ++i) {
    if (drives[i].present == 0) continue;
    const FolderPath root = platform_.folderOf(drives[i].root);
    for (std::size_t row = kFirstDriveRow; row < locations.size() && !stop_; ++row) {
      if (row > kFirstDriveRow) pacer_.sleep(kLocationSleepMs);
      FolderPath folder;
      if (!findRealFolder(root, locations[row].subPath, folder)) continue;
      bin_ = std::strcmp(locations[row].label, kRecycleBinLabel) == 0 ? RecycleBin::Vista : RecycleBin::Old;
      walk(folder, locations[row].label);
      bin_ = RecycleBin::None;
    }
  }
}

void TraceScan::scanProfile(const FolderPath& profile) {
  const auto& locations = traceLocations();
  for (std::size_t row = 0; row < kProfileRows && !stop_; ++row) {
    const TraceLocation& location = locations[row];
    if ((choices_->traceFlags.*location.flag).get() != 0) walkLocation(profile, location);
    if (row + 1 < kProfileRows) pacer_.sleep(kLocationSleepMs);
  }
  if (!stop_) scanBrowserCaches(profile);
}

// The catalog's entries for the same profiles; the machine is the running one unless a
// profiles folder was given.
void TraceScan::scanCatalog(const std::vector<FolderPath>& profiles) {
  catalog_.run(choices_->catalogTicks, utf8Folders(profiles), utf8ProfilesFolder(), profilesFolder_.empty());
}

catalog::LoadedCatalog TraceScan::shownCatalog(std::vector<bool>& shown) {
  return catalog_.shownEntries(utf8Folders(profileFolders()), utf8ProfilesFolder(), profilesFolder_.empty(), shown);
}

std::vector<std::string> TraceScan::utf8Folders(const std::vector<FolderPath>& folders) const {
  std::vector<std::string> utf8;
  for (const FolderPath& folder : folders) utf8.push_back(platform_.utf8Of(folder.exact));
  return utf8;
}

std::string TraceScan::utf8ProfilesFolder() const {
  const FolderPath holder = profilesFolder_.empty() ? platform_.profilesDirectory() : platform_.folderOf(profilesFolder_);
  return holder.exact.empty() ? std::string() : platform_.utf8Of(holder.exact);
}

// The first of the location's folders that is a real one: the junctions that stand for
// the old folders on newer Windows refuse to be listed, and following them would list
// the same files twice.
void TraceScan::walkLocation(const FolderPath& base, const TraceLocation& location) {
  FolderPath folder;
  bool found = findRealFolder(base, location.subPath, folder);
  for (const char* later : location.laterPaths) {
    if (found || later == nullptr) break;
    found = findRealFolder(base, later, folder);
  }
  if (found) walk(folder, location.label, location.keepsJumpLists, location.locksFreshFiles);
}

void TraceScan::walk(const FolderPath& folder, const std::string& label, bool skipJumpLists,
                     bool locksFreshFiles) {
  label_ = label;
  skipJumpLists_ = skipJumpLists;
  freshSince_ = locksFreshFiles ? platform_.now() - kFreshSeconds : 0;
  const int first = findings_.count();
  if (!walker_.walk(folder, *this, &pacer_)) findings_.lockFrom(first);
}

bool TraceScan::entryListed(const DirEntry& entry, int depth) {
  return !(skipJumpLists_ && depth == 0 && entry.isDirectory &&
           isJumpListFolder(platform_.codePage().lower(entry.name)));
}

void TraceScan::fileWalked(const WalkedFile& file) {
  progress_.examined(file.path);
  if (isTraceIndexFile(platform_.codePage().lower(file.name))) return;
  if (findings_.add(file, label_)) {
    FoundFile& found = findings_.at(findings_.count() - 1);
    found.bin = bin_;
    // The later of the two: an unpacking installer keeps the archive's old write times.
    if (freshSince_ != 0 && std::max(found.creation, found.lastWrite) > freshSince_) protect(found);
  }
  progress_.step();
}

// Follows `relative` ('\\' between its names) down from `base` through real folders
// only, matching names as Windows does, without regard to case. `folder` gets the path
// as the listings spell it.
bool TraceScan::findRealFolder(const FolderPath& base, const char* relative, FolderPath& folder) {
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
      noteUnreadable(folder.path);
      return false;
    }
    DirEntry entry;
    bool found = false;
    while (!found && listing->next(entry)) {
      found = entry.isDirectory && codePage.lower(entry.name) == wanted;
    }
    if (!found || entry.isLink) return false;
    folder = platform_.childOf(folder, entry);
    start = end + 1;
  }
  return true;
}

void TraceScan::noteUnreadable(const std::string& folder) {
  if (std::find(unreadable_.begin(), unreadable_.end(), folder) != unreadable_.end()) return;
  unreadable_.push_back(folder);
  unreadableCount_ = static_cast<int>(unreadable_.size());
}

// The profiles folder when it can be listed, otherwise the profiles the system has
// registered. Each profile's folder is named as the listing or the system spells it.
std::vector<FolderPath> TraceScan::profileFolders() {
  std::vector<FolderPath> profiles;
  FolderPath folder;
  if (const std::unique_ptr<DirListing> listing = openProfilesFolder(folder)) {
    DirEntry entry;
    while (!stop_ && listing->next(entry)) {
      if (isDotOrDotDot(entry.name)) continue;
      // System folders are the built-in ones (All Users, Default User); hidden ones are
      // real users.
      if (!entry.isDirectory || entry.isSystem()) continue;
      profiles.push_back(platform_.childOf(folder, entry));
    }
    return profiles;
  }
  if (!profilesFolder_.empty()) return profiles;
  const CodePage& codePage = platform_.codePage();
  const char separator = platform_.separator();
  for (FolderPath registered : platform_.registeredProfiles()) {
    std::string key = codePage.lower(registered.path);
    while (codePage.endsWith(key, separator)) key.pop_back();
    const std::size_t slash = codePage.lastOf(key, separator);
    if (isServiceProfile(key.substr(slash == std::string::npos ? 0 : slash + 1))) continue;
    if (std::any_of(profiles.begin(), profiles.end(),
                    [&](const FolderPath& seen) { return seen.exact.sameFolderAs(registered.exact); })) {
      continue;
    }
    registered.path = codePage.withSeparator(std::move(registered.path), separator);
    if (!registered.exact.endsWithSeparator()) registered.exact.appendSeparator();
    profiles.push_back(std::move(registered));
  }
  return profiles;
}

// The profiles live in the system drive's "Documents and Settings"; where that cannot be
// listed (newer Windows, other systems) the platform names their folder.
std::unique_ptr<DirListing> TraceScan::openProfilesFolder(FolderPath& folder) {
  if (!profilesFolder_.empty()) {
    folder = platform_.folderOf(profilesFolder_);
    return platform_.openListing(folder);
  }
  const char separator = platform_.separator();
  const std::string systemDir = platform_.systemDirectory();
  if (!systemDir.empty()) {
    folder = platform_.folderOf(std::string(1, systemDir[0]) + ':' + separator + "Documents and Settings");
    if (std::unique_ptr<DirListing> listing = platform_.openListing(folder)) return listing;
  }
  folder = platform_.profilesDirectory();
  if (folder.path.empty()) return nullptr;
  return platform_.openListing(folder);
}

}  // namespace scourix
