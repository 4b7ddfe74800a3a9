#include "engine/catalog/plan.h"

#include <algorithm>
#include <map>
#include <optional>

namespace scourix::catalog {
namespace {

std::vector<NamePattern> compile(const std::vector<std::string>& texts) {
  std::vector<NamePattern> patterns;
  for (const std::string& text : texts) patterns.emplace_back(text);
  return patterns;
}

// How deep `folder` lies below the folder the pattern names; -1 when not within it.
int depthBelow(const FolderPattern& pattern, const FoldedPath& folder) {
  const FoldedPath base = foldPath(pattern.base);
  if (!isWithin(folder, base) || folder.size() < base.size() + pattern.below.size()) return -1;
  for (std::size_t i = 0; i < pattern.below.size(); ++i) {
    if (!NamePattern(pattern.below[i]).matchesFolded(folder[base.size() + i])) return -1;
  }
  return static_cast<int>(folder.size() - base.size() - pattern.below.size());
}

// The pattern can name `target` or a folder above it; with `anyLast`, `target` stands for
// every folder directly in it instead.
bool couldName(const FoldedPath& base, const std::vector<NamePattern>& below,
               const FoldedPath& target, bool anyLast) {
  const std::size_t length = base.size() + below.size();
  if (anyLast ? length != target.size() + 1 : length > target.size()) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (anyLast && i == target.size()) return true;
    const bool same = i < base.size() ? base[i] == target[i]
                                      : below[i - base.size()].matchesFolded(target[i]);
    if (!same) return false;
  }
  return true;
}

bool isShellFolderName(const std::u32string& name) {
  static const std::vector<NamePattern> names = compile(
      {"Desktop", "Documents", "Downloads", "Pictures", "Music", "Videos", "Favorites", "Links",
       "Contacts", "Searches", "Saved Games", "3D Objects", "My Documents", "AppData",
       "Application Data", "Local Settings", "Start Menu", "OneDrive*"});
  return std::any_of(names.begin(), names.end(),
                     [&](const NamePattern& pattern) { return pattern.matchesFolded(name); });
}

std::optional<std::vector<std::string>> versionParts(std::string_view version) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= version.size(); ++i) {
    if (i < version.size() && version[i] != '.') {
      if (version[i] < '0' || version[i] > '9') return std::nullopt;
      continue;
    }
    if (i == start) return std::nullopt;
    const std::size_t digit = version.find_first_not_of('0', start);
    parts.emplace_back(digit < i ? version.substr(digit, i - digit) : "");
    start = i + 1;
  }
  return parts;
}

int compareVersions(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    const std::string x = i < a.size() ? a[i] : "";
    const std::string y = i < b.size() ? b[i] : "";
    if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

}  // namespace

bool Target::wantsFile(std::string_view name, int depth) const {
  return wantsFolded(foldName(name), depth);
}

bool Target::wantsFolded(const std::u32string& foldedName, int depth) const {
  if (depth != 0 && !recurse) return false;
  return std::any_of(patterns.begin(), patterns.end(),
                     [&](const NamePattern& pattern) { return pattern.matchesFolded(foldedName); });
}

bool Plan::excludes(std::size_t entry, std::string_view filePath) const {
  // Most entries exclude nothing: their files' paths need no folding.
  if (entry >= exclusions.size() || exclusions[entry].empty()) return false;
  FoldedPath folder = foldPath(filePath);
  if (folder.empty()) return false;
  const std::u32string name = folder.back();
  folder.pop_back();
  for (const Exclusion& exclusion : exclusions[entry]) {
    const int depth = depthBelow(exclusion.folder, folder);
    if (depth < 0 || (depth > 0 && !exclusion.subfolders)) continue;
    if (exclusion.patterns.empty()) return true;
    for (const NamePattern& pattern : exclusion.patterns) {
      if (pattern.matchesFolded(name)) return true;
    }
  }
  return false;
}

bool Plan::excludesFolder(std::size_t entry, std::string_view folderPath) const {
  if (entry >= exclusions.size()) return false;
  const FoldedPath folder = foldPath(folderPath);
  return std::any_of(exclusions[entry].begin(), exclusions[entry].end(), [&](const Exclusion& e) {
    return e.subfolders && e.patterns.empty() && depthBelow(e.folder, folder) >= 0;
  });
}

Plan planCatalog(const std::vector<Entry>& entries, const Expander& expander,
                 const DetectedFn& detected) {
  Plan plan;
  plan.exclusions.resize(entries.size());
  plan.refused.assign(entries.size(), false);
  const RemovalGuard guard(expander);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& entry = entries[i];
    for (const ExcludeKey& key : entry.excludeKeys) {
      if (key.form == ExcludeForm::Registry) continue;
      const Expansion expansion = expander.expand(key.folder);
      if (expansion.status != ExpandStatus::Ok) {
        plan.refused[i] = true;
        break;
      }
      // An embedded browser's profile is found by the walk, not named by a path: an
      // exclusion below one cannot be placed, so the entry cannot honour it.
      if (std::any_of(expansion.folders.begin(), expansion.folders.end(),
                      [](const FolderPattern& f) { return f.embeddedBrowserProfile; })) {
        plan.refused[i] = true;
        break;
      }
      for (const FolderPattern& folder : expansion.folders) {
        plan.exclusions[i].push_back(
            {folder, compile(key.patterns), key.form == ExcludeForm::Path});
      }
    }
    if (plan.refused[i]) continue;
    for (const FileKey& key : entry.fileKeys) {
      const bool pathInPattern =
          std::any_of(key.patterns.begin(), key.patterns.end(), [](const std::string& p) {
            return p.find_first_of("\\/") != std::string::npos;
          });
      const Expansion expansion = expander.expand(key.folder);
      if (pathInPattern || expansion.status != ExpandStatus::Ok) {
        ++plan.skippedKeys;
        continue;
      }
      for (const FolderPattern& folder : expansion.folders) {
        if (detected && !detected(i, folder.profile)) continue;
        if (key.removeSelf && !guard.mayRemovePattern(folder)) {
          ++plan.refusedRemoveSelf;
          continue;
        }
        plan.targets.push_back({i, key.number, folder, compile(folder.below),
                                compile(key.patterns), key.recurse, key.removeSelf});
      }
    }
  }
  return plan;
}

RemovalGuard::RemovalGuard(const Expander& expander) {
  const auto keep = [this](const std::string& folder) {
    if (!folder.empty()) kept_.push_back(foldPath(folder));
  };
  for (const ProfileFolders& p : expander.profiles()) {
    for (const std::string* folder :
         {&p.profile, &p.roaming, &p.local, &p.localLow, &p.documents, &p.desktop, &p.downloads,
          &p.music, &p.pictures, &p.videos, &p.temp}) {
      keep(*folder);
    }
    for (const std::string& folder : p.weChatFiles) keep(folder);
    for (const std::string& folder : p.weixinFiles) keep(folder);
    FoldedPath parent = foldPath(p.profile);
    if (!parent.empty()) {
      parent.pop_back();
      profileParents_.push_back(parent);
    }
  }
  const SystemFolders& s = expander.system();
  for (const std::string* folder :
       {&s.drive, &s.windows, &s.programFiles, &s.programFilesX86, &s.commonFiles,
        &s.commonFilesX86, &s.programData, &s.publicProfile, &s.profiles}) {
    keep(*folder);
  }
  if (!s.profiles.empty()) profileParents_.push_back(foldPath(s.profiles));
}

bool RemovalGuard::mayRemove(std::string_view folderPath) const {
  const FoldedPath folder = foldPath(folderPath);
  if (folder.size() <= 1 || isShellFolderName(folder.back())) return false;
  for (const FoldedPath& kept : kept_) {
    if (isWithin(kept, folder)) return false;
  }
  for (const FoldedPath& parent : profileParents_) {
    if (folder.size() == parent.size() + 1 && isWithin(folder, parent)) return false;
  }
  return true;
}

bool RemovalGuard::mayRemovePattern(const FolderPattern& folder) const {
  if (folder.embeddedBrowserProfile) return true;
  if (!folder.hasWildcard()) return mayRemove(folder.path());
  const FoldedPath base = foldPath(folder.base);
  const std::vector<NamePattern> below = compile(folder.below);
  if (base.size() + below.size() <= 1) return false;
  if (!below.back().hasWildcard() && isShellFolderName(foldName(folder.below.back()))) {
    return false;
  }
  for (const FoldedPath& kept : kept_) {
    if (couldName(base, below, kept, false)) return false;
  }
  for (const FoldedPath& parent : profileParents_) {
    if (couldName(base, below, parent, true)) return false;
  }
  return true;
}

bool isDetected(const Entry& entry, const Expander& expander, int profile,
                const DetectionProbe& probe) {
  if (!entry.detectOs.empty() && probe.osMajor > 0 &&
      !osInRange(entry.detectOs, probe.osMajor, probe.osMinor)) {
    return false;
  }
  bool anyAbsent = false;
  for (const std::string& key : entry.detectKeys) {
    const Presence presence = probe.registryKey ? probe.registryKey(key, profile)
                                                : Presence::Unknown;
    if (presence == Presence::Present) return true;
    anyAbsent = anyAbsent || presence == Presence::Absent;
  }
  for (const std::string& file : entry.detectFiles) {
    const Expansion expansion = expander.expandFor(file, profile);
    for (const FolderPattern& folder : expansion.folders) {
      if (probe.exists && probe.exists(folder)) return true;
    }
    anyAbsent = true;
  }
  return !anyAbsent;
}

// A condition that cannot be checked holds the entry back: it guards against cleaning
// while something is under way (an update waiting for a restart). Only another
// installation's registry is left unread, as the running system's is not its own.
bool isHeldBack(const Entry& entry, const Expander& expander, int profile,
                const DetectionProbe& probe) {
  for (const std::string& condition : entry.skipIf) {
    if (sameName(condition.substr(0, 2), "HK")) {
      if (probe.registryKey && probe.registryKey(condition, profile) != Presence::Absent) return true;
      continue;
    }
    const Expansion expansion = expander.expandFor(condition, profile);
    if (expansion.status != ExpandStatus::Ok) return true;
    for (const FolderPattern& folder : expansion.folders) {
      if (folder.embeddedBrowserProfile) return true;  // no path to look at
      if (probe.exists && probe.exists(folder)) return true;
    }
  }
  return false;
}

std::vector<std::string> claimedFolders(const Plan& plan) {
  std::vector<std::string> claims;
  for (const Target& target : plan.targets) {
    if (target.folder.embeddedBrowserProfile) continue;
    std::size_t literal = 0;
    while (literal < target.folderNames.size() && !target.folderNames[literal].hasWildcard()) {
      ++literal;
    }
    if (literal == 0) continue;  // a variable's own folder is no program's
    FolderPattern program = target.folder;
    program.below.resize(literal == 1 ? 1 : literal - 1);
    claims.push_back(program.path());
  }
  return claims;
}

bool isClaimed(std::string_view folder, const std::vector<std::string>& claims) {
  const FoldedPath path = foldPath(folder);
  return std::any_of(claims.begin(), claims.end(),
                     [&](const std::string& claim) { return isWithin(path, foldPath(claim)); });
}

std::vector<bool> olderVersions(const std::vector<std::string>& names) {
  struct Group {
    bool doubt = false;
    std::vector<std::pair<std::size_t, std::vector<std::string>>> versions;
  };
  std::map<std::u32string, Group> groups;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::size_t underscore = names[i].rfind('_');
    if (underscore == std::string::npos) continue;
    Group& group = groups[foldName(std::string_view(names[i]).substr(0, underscore))];
    const auto parts = versionParts(std::string_view(names[i]).substr(underscore + 1));
    if (!parts) group.doubt = true;
    else group.versions.emplace_back(i, *parts);
  }
  std::vector<bool> older(names.size(), false);
  for (const auto& [name, group] : groups) {
    if (group.doubt) continue;
    const std::vector<std::string>* newest = nullptr;
    for (const auto& [index, parts] : group.versions) {
      if (newest == nullptr || compareVersions(parts, *newest) > 0) newest = &parts;
    }
    for (const auto& [index, parts] : group.versions) {
      older[index] = compareVersions(parts, *newest) < 0;
    }
  }
  return older;
}

bool isFresh(int minAgeDays, std::int64_t created, std::int64_t written, std::int64_t now) {
  return minAgeDays > 0 &&
         std::max(created, written) > now - static_cast<std::int64_t>(minAgeDays) * 86400;
}

}  // namespace scourix::catalog
