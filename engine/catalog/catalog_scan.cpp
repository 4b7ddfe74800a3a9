#include "engine/catalog/catalog_scan.h"

#include <algorithm>
#include <utility>

#include "engine/browser_caches.h"
#include "engine/catalog/program_data.h"
#include "engine/protection.h"

namespace scourix {
namespace {

using catalog::FoldedPath;

bool startsWith(const std::vector<std::u32string>& names, const std::vector<std::u32string>& prefix) {
  return names.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), names.begin());
}

// The folders of the browsers the trace page's browser rows clean: an embedded-browser
// profile inside one is theirs, so that unticking a browser is never undone.
std::vector<std::string> browserFolders(const catalog::ProfileFolders& profile) {
  std::vector<std::string> folders;
  for (const BrowserCache& browser : browserCaches()) {
    std::string folder = browser.appData == AppDataFolder::Local ? profile.local : profile.roaming;
    const std::vector<std::string_view> names = catalog::pathNames(browser.subPath);
    for (std::size_t i = 0; i + 1 < names.size(); ++i) folder = catalog::joinPath(folder, names[i]);
    folders.push_back(std::move(folder));
  }
  return folders;
}

bool holdsProfileMarker(const std::vector<catalog::FolderLister::Listed>& listing) {
  return std::any_of(listing.begin(), listing.end(), [](const catalog::FolderLister::Listed& listed) {
    return !listed.folder && catalog::isBrowserProfileMarker(listed.name);
  });
}

// Embedded-browser programs mark their profiles with these; "prefs.js" is Firefox's.
bool holdsChromiumMarker(const std::vector<catalog::FolderLister::Listed>& listing) {
  return std::any_of(listing.begin(), listing.end(), [](const catalog::FolderLister::Listed& listed) {
    return !listed.folder &&
           (catalog::sameName(listed.name, "Local State") || catalog::sameName(listed.name, "Preferences"));
  });
}

}  // namespace

void CatalogScan::run(const std::map<std::string, Flag>& ticks,
                      const std::vector<std::string>& profiles, const std::string& profilesFolder,
                      bool runningSystem) {
  refused_ = 0;
  loaded_ = catalog::loadCatalog(platform_, sources_);
  const std::vector<catalog::Entry>& entries = loaded_.entries;
  if (entries.empty()) return;
  const catalog::MachineChoice machine = machineOf(profiles, profilesFolder, runningSystem);
  expander_ = std::make_unique<catalog::Expander>(catalog::machineExpander(platform_, machine));
  catalog::DetectionTable detection(entries, *expander_,
                                    catalog::machineProbe(platform_, *expander_, machine));
  std::vector<bool> walked(entries.size());
  ticked_.assign(entries.size(), false);
  labels_.clear();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    labels_.push_back(platform_.codePageOf(entries[i].label));
    const bool ticked = catalog::isTicked(ticks, loaded_, i) &&
                        (defaultTicks_ || ticks.count(catalog::tickName(loaded_, i)) != 0);
    walked[i] = allEntries_ || ticked;
    ticked_[i] = ticked;
  }
  plan_ = catalog::planCatalog(entries, *expander_, [&](std::size_t entry, int profile) {
    return walked[entry] && detection.shown(entry, profile);
  });
  // Every entry's program folders, ticked or not, detected or not, keep their embedded
  // browsers from the item that cleans the others'.
  claims_ = catalog::claimedFolders(catalog::planCatalog(entries, *expander_));
  deny_ = std::make_unique<catalog::DenyList>(std::vector<catalog::SystemFolders>{expander_->system()});
  oldInstallations_.clear();
  for (const char* name : {"Windows.old", "$Windows.~BT", "$Windows.~WS"}) {
    oldInstallations_.push_back(catalog::foldPath(catalog::joinPath(expander_->system().drive, name)));
  }
  now_ = platform_.now();
  catalog::FolderLister lister(platform_);
  for (const Group& group : placeTargets(lister)) {
    if (stop_) break;
    walkGroup(group, lister);
  }
}

catalog::LoadedCatalog CatalogScan::shownEntries(const std::vector<std::string>& profiles,
                                                const std::string& profilesFolder, bool runningSystem,
                                                std::vector<bool>& shown) {
  catalog::LoadedCatalog loaded = catalog::loadCatalog(platform_, sources_);
  const catalog::MachineChoice machine = machineOf(profiles, profilesFolder, runningSystem);
  const catalog::Expander expander = catalog::machineExpander(platform_, machine);
  catalog::DetectionTable detection(loaded.entries, expander, catalog::machineProbe(platform_, expander, machine));
  shown.clear();
  for (std::size_t i = 0; i < loaded.entries.size(); ++i) shown.push_back(detection.shownAnywhere(i));
  return loaded;
}

// Each target's folders, grouped: sorted by their folded names a folder's subfolders
// follow it, and join its group, so that no folder is listed twice.
std::vector<CatalogScan::Group> CatalogScan::placeTargets(catalog::FolderLister& lister) {
  std::vector<std::pair<std::string, std::size_t>> placed;
  for (std::size_t t = 0; t < plan_.targets.size(); ++t) {
    const catalog::Target& target = plan_.targets[t];
    if (target.folder.embeddedBrowserProfile) continue;
    const bool newest = loaded_.entries[target.entry].keepNewest && !target.folderNames.empty() &&
                        target.folderNames.back().hasWildcard();
    for (std::string& folder : lister.resolve(target.folder, true, newest)) {
      placed.emplace_back(std::move(folder), t);
    }
  }
  placeEmbeddedBrowserTargets(lister, placed);
  std::vector<std::pair<FoldedPath, std::size_t>> order;
  for (std::size_t i = 0; i < placed.size(); ++i) order.emplace_back(catalog::foldPath(placed[i].first), i);
  std::sort(order.begin(), order.end());
  std::vector<Group> groups;
  for (auto& [folded, index] : order) {
    if (groups.empty() || !catalog::isWithin(folded, groups.back().folded)) {
      groups.push_back({placed[index].first, folded, {}});
    }
    Group& group = groups.back();
    group.targets.push_back({placed[index].second, std::vector<std::u32string>(
                                                       folded.begin() + group.folded.size(), folded.end())});
  }
  // A file two entries want goes to the first of the catalog: the built-in before a user's.
  for (Group& group : groups) {
    std::stable_sort(group.targets.begin(), group.targets.end(),
                     [](const Placed& a, const Placed& b) { return a.target < b.target; });
  }
  return groups;
}

// %EmbeddedBrowserProfile%: each folder below a profile's application data, down to four
// levels, that holds "Local State" or "Preferences" and that no browser row or entry claims.
void CatalogScan::placeEmbeddedBrowserTargets(catalog::FolderLister& lister,
                                              std::vector<std::pair<std::string, std::size_t>>& placed) {
  const std::vector<catalog::ProfileFolders>& profiles = expander_->profiles();
  for (std::size_t p = 0; p < profiles.size() && !stop_; ++p) {
    std::vector<std::size_t> targets;
    for (std::size_t t = 0; t < plan_.targets.size(); ++t) {
      const catalog::FolderPattern& folder = plan_.targets[t].folder;
      if (folder.embeddedBrowserProfile && folder.profile == static_cast<int>(p)) targets.push_back(t);
    }
    if (targets.empty()) continue;
    std::vector<std::string> claims = claims_;
    for (std::string& folder : browserFolders(profiles[p])) claims.push_back(std::move(folder));
    // Each folder with whether it is a profile: a profile's caches hold no other profile.
    std::vector<std::pair<std::string, bool>> level;
    for (std::string& root : catalog::embeddedBrowserSearchRoots(profiles[p])) level.emplace_back(std::move(root), false);
    for (int depth = 1; depth <= catalog::kEmbeddedBrowserSearchDepth && !level.empty(); ++depth) {
      std::vector<std::pair<std::string, bool>> next;
      for (const auto& [parent, parentIsProfile] : level) {
        for (const catalog::FolderLister::Listed& listed : lister.list(parent)) {
          if (!listed.folder || listed.link) continue;
          if (parentIsProfile && (catalog::isProfileCacheFolder(listed.name) || catalog::isCrashpadFolder(listed.name))) {
            continue;
          }
          std::string folder = catalog::joinPath(parent, listed.name);
          if (catalog::isClaimed(folder, claims)) continue;
          const bool profile = holdsChromiumMarker(lister.list(folder));
          for (std::size_t t : profile ? targets : std::vector<std::size_t>()) {
            catalog::FolderPattern pattern = plan_.targets[t].folder;
            pattern.base = folder;
            pattern.embeddedBrowserProfile = false;
            for (std::string& found : lister.resolve(pattern, true, false)) placed.emplace_back(std::move(found), t);
          }
          next.emplace_back(std::move(folder), profile);
        }
      }
      level = std::move(next);
    }
  }
}

void CatalogScan::walkGroup(const Group& group, catalog::FolderLister& lister) {
  bool aboveBrokeOff = false;
  const auto aboveIsProfile = [&](std::string_view folder) {
    const std::string path(folder);
    const bool profile = holdsProfileMarker(lister.list(path));
    aboveBrokeOff = aboveBrokeOff || lister.brokeOff(path);
    return profile;
  };
  const auto isOldInstallation = [&](const std::string& folder) {
    const catalog::FoldedPath folded = catalog::foldPath(folder);
    return std::any_of(oldInstallations_.begin(), oldInstallations_.end(),
                       [&](const catalog::FoldedPath& old) { return catalog::isWithin(folded, old); });
  };
  std::vector<Pending> pending;
  catalog::DenyScope scope = deny_->scopeOf(group.folder, aboveIsProfile);
  pending.push_back({platform_.folderOfUtf8(group.folder), group.folder, {}, scope, aboveBrokeOff,
                     isOldInstallation(group.folder)});
  // Each folder below is walked on its own, but all of them were listed from here down as
  // no links: deletion checks that every one still is none.
  groupRootLength_ = pending.back().folder.exact.length();
  while (!pending.empty() && !stop_) {
    const Pending folder = std::move(pending.back());
    pending.pop_back();
    if (folder.scope.tree) continue;
    markers_ = catalog::FolderMarkers();
    heldCount_ = 0;
    subfolders_.clear();
    // A listing cut short may lack the marker of a store: what it gave starts locked.
    const bool whole = walker_.walk(folder.folder, *this) && !folder.partial;
    for (std::size_t i = 0; i < heldCount_; ++i) judge(group, folder, held_[i], whole);
    // Pushed last to first, so that the folders are walked in the listing's order.
    for (auto child = subfolders_.rbegin(); child != subfolders_.rend(); ++child) {
      std::vector<std::u32string> names = folder.names;
      names.push_back(catalog::foldName(child->second));
      std::string utf8 = catalog::joinPath(folder.utf8, child->second);
      if (!wantsFolder(group, names, utf8)) continue;
      catalog::DenyScope scope = deny_->childScope(folder.scope, markers_, utf8);
      if (scope.tree) continue;
      // Only a folder of such a name can be one: most folders are not folded whole.
      const bool named = std::any_of(oldInstallations_.begin(), oldInstallations_.end(),
                                     [&](const catalog::FoldedPath& old) { return old.back() == names.back(); });
      const bool old = folder.oldInstallation || (named && isOldInstallation(utf8));
      pending.push_back({platform_.childOf(folder.folder, child->first), std::move(utf8),
                         std::move(names), scope, !whole, old});
    }
  }
}

// A folder of the group is entered on the way to a target's folder, or inside the folder
// of a target that takes the subfolders' files too (and no exclusion keeps all of it).
bool CatalogScan::wantsFolder(const Group& group, const std::vector<std::u32string>& names,
                              const std::string& utf8) const {
  for (const Placed& placed : group.targets) {
    if (names.size() <= placed.names.size()) {
      if (startsWith(placed.names, names)) return true;
      continue;
    }
    const catalog::Target& target = plan_.targets[placed.target];
    if (target.recurse && startsWith(names, placed.names) &&
        !plan_.excludesFolder(target.entry, utf8)) {
      return true;
    }
  }
  return false;
}

// The first target that wants the file lists it, unless the deny list keeps it from all
// of them or an exclusion of its entry keeps it from that one.
void CatalogScan::judge(const Group& group, const Pending& folder, const Held& held, bool wholeListing) {
  progress_.examined(held.file.path);
  catalog::joinPathInto(folder.utf8, held.utf8Name, utf8_);
  catalog::foldNameInto(held.utf8Name, foldedName_);
  const std::string& utf8 = utf8_;
  for (const Placed& placed : group.targets) {
    if (!startsWith(folder.names, placed.names)) continue;
    const catalog::Target& target = plan_.targets[placed.target];
    const int depth = static_cast<int>(folder.names.size() - placed.names.size());
    if (!target.wantsFolded(foldedName_, depth)) continue;
    if (deny_->deniesFile(folder.scope, markers_, utf8, foldedName_)) {
      ++refused_;
      return;
    }
    if (plan_.excludes(target.entry, utf8)) continue;
    if (!findings_.add(held.file, labels_[target.entry])) return;
    const catalog::Entry& entry = loaded_.entries[target.entry];
    FoundFile& finding = findings_.at(findings_.count() - 1);
    finding.rootLength = groupRootLength_;
    finding.toDelete = ticked_[target.entry] ? 1 : 0;
    finding.skipInUse = entry.skipInUse;
    // The system's own cleanup removes what a handler names: never file by file.
    finding.systemCleanupOnly = !entry.cleanupHandlers.empty() || folder.oldInstallation;
    if (catalog::isFresh(entry.minAgeDays, finding.creation, finding.lastWrite, now_) ||
        finding.systemCleanupOnly || !wholeListing) {
      protect(finding);
    }
    progress_.step();
    return;
  }
}

// The walker lists one folder at a time here: its subfolders wait until its whole
// listing is known.
bool CatalogScan::entryListed(const DirEntry& entry, int /*depth*/) {
  std::string name = platform_.utf8NameOf(entry);
  markers_.notice(name, entry.isDirectory);
  if (entry.isDirectory) {
    if (!entry.isLink) subfolders_.emplace_back(entry, std::move(name));
    return false;
  }
  pendingName_ = std::move(name);
  return true;
}

// The held records are reused from folder to folder, so that the files' paths keep their storage.
void CatalogScan::fileWalked(const WalkedFile& file) {
  if (heldCount_ == held_.size()) held_.emplace_back();
  Held& held = held_[heldCount_++];
  held.file = file;
  held.utf8Name = std::move(pendingName_);
}

}  // namespace scourix
