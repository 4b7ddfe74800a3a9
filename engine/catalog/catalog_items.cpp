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

std::string withSeparator(std::string folder, char separator) {
  if (folder.empty() || folder.back() != separator) folder += separator;
  return folder;
}

// Whether a folder or file the pattern names exists: its names are matched level by level
// against the listings, by the names as the file system spells them.
bool patternExists(Platform& platform, const FolderPattern& pattern) {
  const char separator = platform.separator();
  std::vector<std::string> folders{withSeparator(pattern.base, separator)};
  if (pattern.below.empty()) return platform.openListing(folders.front()) != nullptr;
  for (std::size_t level = 0; level < pattern.below.size(); ++level) {
    const NamePattern name(pattern.below[level]);
    const bool last = level + 1 == pattern.below.size();
    std::vector<std::string> next;
    for (const std::string& folder : folders) {
      const std::unique_ptr<DirListing> listing = platform.openListing(folder);
      DirEntry entry;
      while (listing && listing->next(entry)) {
        if (isDotOrDotDot(entry.name) || !name.matches(entry.exactName.empty() ? entry.name : entry.exactName)) continue;
        if (last) return true;
        if (entry.isDirectory && !entry.isLink) next.push_back(folder + entry.name + separator);
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

Expander runningMachine(Platform& platform, const std::vector<std::string>& profileDirs) {
  const std::string systemDir = platform.systemDirectory();
  const std::string root = systemDir.size() >= 2 && systemDir[1] == ':' ? systemDir.substr(0, 2) : std::string();
  std::vector<ProfileFolders> profiles;
  for (const std::string& dir : profileDirs) profiles.push_back(ProfileFolders::standard(dir));
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
