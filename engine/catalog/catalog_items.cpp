#include "engine/catalog/catalog_items.h"

#include "engine/catalog/names.h"
#include "platform/platform.h"

namespace scourix::catalog {
namespace {

void addItems(CatalogItems& items, const std::string& text, bool imported) {
  CatalogFile file = readCatalog(text);
  for (Entry& entry : file.entries) {
    CatalogItem item;
    item.name = itemName(entry, imported);
    item.entry = std::move(entry);
    item.imported = imported;
    items.items.push_back(std::move(item));
  }
  if (imported) items.importedBroken = static_cast<int>(file.broken.size());
}

// A listed name in UTF-8: a name that is not plain ASCII is taken from the exact path.
std::string utf8Name(Platform& platform, const FolderPath& folder, const DirEntry& entry) {
  if (entry.exactName.empty()) return entry.name;
  ExactPath path = folder.exact;
  path.appendName(entry.name, entry.exactName);
  const std::string full = platform.utf8Of(path);
  return full.substr(full.find_last_of(platform.separator()) + 1);
}

// Whether a folder or file the pattern names exists: its names are matched level by level
// against the listings.
bool patternExists(Platform& platform, const FolderPattern& pattern) {
  std::vector<FolderPath> folders{platform.folderOf(pattern.base)};
  if (pattern.below.empty()) return platform.openListing(folders.front()) != nullptr;
  for (std::size_t level = 0; level < pattern.below.size(); ++level) {
    const NamePattern name(pattern.below[level]);
    const bool last = level + 1 == pattern.below.size();
    std::vector<FolderPath> next;
    for (const FolderPath& folder : folders) {
      const std::unique_ptr<DirListing> listing = platform.openListing(folder);
      DirEntry entry;
      while (listing && listing->next(entry)) {
        if (isDotOrDotDot(entry.name) || !name.matches(utf8Name(platform, folder, entry))) continue;
        if (last) return true;
        if (!entry.isDirectory || entry.isLink) continue;
        FolderPath child = folder;
        child.path += entry.name;
        child.path += platform.separator();
        child.exact.appendName(entry.name, entry.exactName);
        child.exact.appendSeparator();
        next.push_back(std::move(child));
      }
    }
    folders = std::move(next);
  }
  return false;
}

}  // namespace

std::string itemName(const Entry& entry, bool imported) {
  return imported ? kImportedItemPrefix + entry.name : entry.name;
}

bool isTicked(const std::map<std::string, Flag>& ticks, const CatalogItem& item) {
  const auto found = ticks.find(item.name);
  if (found != ticks.end()) return found->second.get() != 0;
  return !item.imported && item.entry.defaultTicked;
}

CatalogItems catalogItems(const std::string& builtInText, const std::string& importedText) {
  CatalogItems items;
  addItems(items, builtInText, false);
  if (!importedText.empty()) addItems(items, importedText, true);
  return items;
}

Expander runningMachine(Platform& platform, const std::vector<FolderPath>& profileFolders) {
  const std::string systemDir = platform.systemDirectory();
  const std::string root = systemDir.size() >= 2 && systemDir[1] == ':' ? systemDir.substr(0, 2) : std::string();
  std::vector<ProfileFolders> profiles;
  for (const FolderPath& folder : profileFolders) {
    std::string dir = folder.path;
    while (platform.codePage().endsWith(dir, platform.separator())) dir.pop_back();
    profiles.push_back(ProfileFolders::standard(dir));
  }
  return Expander(root.empty() ? SystemFolders() : SystemFolders::standard(root), std::move(profiles));
}

DetectionProbe listingProbe(Platform& platform) {
  DetectionProbe probe;
  probe.exists = [&platform](const FolderPattern& pattern) { return patternExists(platform, pattern); };
  probe.registryKey = [](std::string_view, int) { return Presence::Unknown; };
  return probe;
}

std::vector<bool> shownItems(const CatalogItems& items, const Expander& machine, const DetectionProbe& probe) {
  // For the system, a per-profile detection is looked for in every profile.
  std::vector<bool> shown;
  for (const CatalogItem& item : items.items) shown.push_back(isDetected(item.entry, machine, -1, probe));
  return shown;
}

}  // namespace scourix::catalog
