#include "engine/catalog/machine.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "engine/catalog/names.h"
#include "engine/catalog/program_data.h"

namespace scourix::catalog {
namespace {

// A configuration file of WeChat's holds one short path.
constexpr std::size_t kLargestConfig = 4096;
// Folders a wildcard of a DetectFile path may fan out to at one level.
constexpr std::size_t kMostMatches = 256;

// `relative` ('\\' between its names) below `folder`, in the folder's separator.
std::string below(const std::string& folder, std::string_view relative) {
  std::string path = folder;
  for (std::string_view name : pathNames(relative)) path = joinPath(path, name);
  return path;
}

void readWeChatConfig(Platform& platform, FolderLister& listings, ProfileFolders& profile) {
  if (profile.roaming.empty()) return;
  std::string weChat, reason;
  platform.readFile(below(profile.roaming, kWeChatConfigFile), kLargestConfig, weChat, reason);
  std::vector<std::string> weixin;
  const std::string folder = below(profile.roaming, kWeixinConfigFolder);
  const NamePattern ini("*.ini");
  for (const FolderLister::Listed& listed : listings.list(folder)) {
    std::string text;
    if (!listed.folder && ini.matches(listed.name) &&
        platform.readFile(joinPath(folder, listed.name), kLargestConfig, text, reason)) {
      weixin.push_back(std::move(text));
    }
  }
  applyWeChatConfig(profile, weChat, weixin);
}

bool startsWithKey(std::string_view key, std::string_view root) {
  return key.size() > root.size() && key[root.size()] == '\\' &&
         sameName(key.substr(0, root.size()), root);
}

}  // namespace

const std::vector<FolderLister::Listed>& FolderLister::list(const std::string& folder) {
  const auto [at, added] = listings_.try_emplace(foldPath(folder));
  if (!added) return at->second;
  if (const std::unique_ptr<DirListing> listing = platform_.openListing(platform_.folderOfUtf8(folder))) {
    DirEntry entry;
    while (listing->next(entry)) {
      if (isDotOrDotDot(entry.name)) continue;
      at->second.push_back({platform_.utf8NameOf(entry), entry.isDirectory, entry.isLink});
    }
    if (listing->failed()) brokenOff_.insert(at->first);
  }
  return at->second;
}

std::vector<std::string> FolderLister::resolve(const FolderPattern& pattern, bool foldersOnly,
                                               bool olderOnly) {
  if (pattern.base.empty()) return {};
  std::vector<std::string> level{pattern.base};
  for (std::size_t i = 0; i < pattern.below.size() && !level.empty(); ++i) {
    const NamePattern name(pattern.below[i]);
    const bool last = i + 1 == pattern.below.size();
    std::vector<std::string> next;
    for (const std::string& folder : level) {
      std::vector<std::string> names;
      for (const Listed& listed : list(folder)) {
        const bool folderHere = listed.folder && !listed.link;
        if ((folderHere || (last && !foldersOnly && !listed.folder)) && name.matches(listed.name)) {
          names.push_back(listed.name);
        }
      }
      const std::vector<bool> older = olderOnly && last ? olderVersions(names) : std::vector<bool>();
      for (std::size_t n = 0; n < names.size() && next.size() < kMostMatches; ++n) {
        if (older.empty() || older[n]) next.push_back(joinPath(folder, names[n]));
      }
    }
    level = std::move(next);
  }
  if (pattern.below.empty() && platform_.openListing(platform_.folderOfUtf8(pattern.base)) == nullptr) {
    level.clear();
  }
  return level;
}

LoadedCatalog loadCatalog(Platform& platform, const CatalogSources& sources) {
  LoadedCatalog loaded;
  const auto add = [&](const std::string& text, bool imported) {
    CatalogFile file = readCatalog(text);
    loaded.broken += static_cast<int>(file.broken.size());
    for (Entry& entry : file.entries) {
      entry.defaultTicked = entry.defaultTicked && !imported;
      loaded.entries.push_back(std::move(entry));
      loaded.imported.push_back(imported);
    }
  };
  if (sources.builtIn) add(platform.builtInCatalog(), false);
  for (const std::string& path : sources.files) {
    std::string text, reason;
    if (platform.readFile(path, kLargestCatalog, text, reason)) {
      add(text, true);
    } else {
      loaded.failures.push_back(path + ": " + reason);
    }
  }
  return loaded;
}

std::string tickName(const LoadedCatalog& catalog, std::size_t entry) {
  return (catalog.imported[entry] ? kImportedItemPrefix : "") + catalog.entries[entry].name;
}

bool isTicked(const std::map<std::string, Flag>& ticks, const LoadedCatalog& catalog,
              std::size_t entry) {
  const auto found = ticks.find(tickName(catalog, entry));
  return found != ticks.end() ? found->second.get() != 0 : catalog.entries[entry].defaultTicked;
}

SystemFolders runningSystemFolders(Platform& platform, const std::string& profilesFolder) {
  const auto first = [&](const char* name, const char* otherwise) {
    const std::string value = platform.environmentVariable(name);
    return value.empty() && otherwise != nullptr ? platform.environmentVariable(otherwise) : value;
  };
  SystemFolders system;
  system.drive = first("SystemDrive", nullptr);
  system.windows = first("SystemRoot", "windir");
  system.programFiles = first("ProgramW6432", "ProgramFiles");
  system.programFilesX86 = first("ProgramFiles(x86)", nullptr);
  system.commonFiles = first("CommonProgramW6432", "CommonProgramFiles");
  system.commonFilesX86 = first("CommonProgramFiles(x86)", nullptr);
  system.programData = first("ProgramData", "ALLUSERSPROFILE");
  system.publicProfile = first("PUBLIC", nullptr);
  system.profiles = profilesFolder;
  return system;
}

Expander machineExpander(Platform& platform, const MachineChoice& machine) {
  SystemFolders system = machine.systemRoot.empty()
                             ? runningSystemFolders(platform, machine.profilesFolder)
                             : SystemFolders::standard(machine.systemRoot);
  FolderLister listings(platform);
  std::vector<ProfileFolders> profiles;
  for (const std::string& folder : machine.profiles) {
    profiles.push_back(ProfileFolders::standard(folder));
    readWeChatConfig(platform, listings, profiles.back());
  }
  return Expander(std::move(system), std::move(profiles));
}

DetectionProbe machineProbe(Platform& platform, const Expander& expander,
                            const MachineChoice& machine) {
  DetectionProbe probe;
  auto listings = std::make_shared<FolderLister>(platform);
  probe.exists = [listings](const FolderPattern& folder) {
    return !listings->resolve(folder, false, false).empty();
  };
  if (!machine.runningSystem) return probe;
  int current = -2;
  const FoldedPath user = foldPath(platform.environmentVariable("USERPROFILE"));
  for (std::size_t i = 0; i < expander.profiles().size(); ++i) {
    if (!user.empty() && foldPath(expander.profiles()[i].profile) == user) current = static_cast<int>(i);
  }
  probe.registryKey = [&platform, current](std::string_view key, int profile) {
    const bool currentUser = startsWithKey(key, "HKCU") || startsWithKey(key, "HKEY_CURRENT_USER");
    if (currentUser && profile != -1 && profile != current) return Presence::Unknown;
    return platform.registryKey(std::string(key));
  };
  platform.windowsVersion(probe.osMajor, probe.osMinor);
  return probe;
}

DetectionTable::DetectionTable(const std::vector<Entry>& entries, const Expander& expander,
                               DetectionProbe probe)
    : entries_(entries), expander_(expander), probe_(std::move(probe)),
      contexts_(expander.profiles().size() + 1), known_(entries.size() * contexts_, -1) {}

bool DetectionTable::shown(std::size_t entry, int profile) {
  signed char& known = known_.at(entry * contexts_ + static_cast<std::size_t>(profile + 1));
  if (known < 0) {
    known = isDetected(entries_[entry], expander_, profile, probe_) &&
            !isHeldBack(entries_[entry], expander_, profile, probe_);
  }
  return known != 0;
}

bool DetectionTable::shownAnywhere(std::size_t entry) {
  for (int profile = -1; profile + 1 < static_cast<int>(contexts_); ++profile) {
    if (shown(entry, profile)) return true;
  }
  return false;
}

}  // namespace scourix::catalog
