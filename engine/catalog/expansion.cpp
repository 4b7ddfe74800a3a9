#include "engine/catalog/expansion.h"

#include <algorithm>
#include <utility>

#include "engine/catalog/names.h"

namespace scourix::catalog {
namespace {

using Values = std::vector<std::string>;

struct Variable {
  const char* lowerName;
  Values (*profileValues)(const ProfileFolders&);  // null for a system-wide variable
  Values (*systemValues)(const SystemFolders&);
  bool embeddedBrowserProfile = false;
};

const Variable* findVariable(std::string_view name) {
  static const Variable variables[] = {
      {"userprofile", [](const ProfileFolders& p) { return Values{p.profile}; }, nullptr},
      {"appdata", [](const ProfileFolders& p) { return Values{p.roaming}; }, nullptr},
      {"localappdata", [](const ProfileFolders& p) { return Values{p.local}; }, nullptr},
      {"locallowappdata", [](const ProfileFolders& p) { return Values{p.localLow}; }, nullptr},
      {"localappdatalow", [](const ProfileFolders& p) { return Values{p.localLow}; }, nullptr},
      {"documents", [](const ProfileFolders& p) { return Values{p.documents}; }, nullptr},
      {"desktop", [](const ProfileFolders& p) { return Values{p.desktop}; }, nullptr},
      {"music", [](const ProfileFolders& p) { return Values{p.music}; }, nullptr},
      {"pictures", [](const ProfileFolders& p) { return Values{p.pictures}; }, nullptr},
      {"video", [](const ProfileFolders& p) { return Values{p.videos}; }, nullptr},
      {"videos", [](const ProfileFolders& p) { return Values{p.videos}; }, nullptr},
      {"temp", [](const ProfileFolders& p) { return Values{p.temp}; }, nullptr},
      {"tmp", [](const ProfileFolders& p) { return Values{p.temp}; }, nullptr},
      {"wechatfiles", [](const ProfileFolders& p) { return p.weChatFiles; }, nullptr},
      {"weixinfiles", [](const ProfileFolders& p) { return p.weixinFiles; }, nullptr},
      {"embeddedbrowserprofile", [](const ProfileFolders& p) { return Values{p.roaming}; },
       nullptr, true},
      {"windir", nullptr, [](const SystemFolders& s) { return Values{s.windows}; }},
      {"systemroot", nullptr, [](const SystemFolders& s) { return Values{s.windows}; }},
      {"systemdrive", nullptr, [](const SystemFolders& s) { return Values{s.drive}; }},
      {"programfiles", nullptr,
       [](const SystemFolders& s) { return Values{s.programFiles, s.programFilesX86}; }},
      {"programw6432", nullptr, [](const SystemFolders& s) { return Values{s.programFiles}; }},
      {"programfiles(x86)", nullptr,
       [](const SystemFolders& s) { return Values{s.programFilesX86}; }},
      {"commonprogramfiles", nullptr,
       [](const SystemFolders& s) { return Values{s.commonFiles, s.commonFilesX86}; }},
      {"commonprogramw6432", nullptr,
       [](const SystemFolders& s) { return Values{s.commonFiles}; }},
      {"commonprogramfiles(x86)", nullptr,
       [](const SystemFolders& s) { return Values{s.commonFilesX86}; }},
      {"commonappdata", nullptr, [](const SystemFolders& s) { return Values{s.programData}; }},
      {"programdata", nullptr, [](const SystemFolders& s) { return Values{s.programData}; }},
      {"allusersprofile", nullptr,
       [](const SystemFolders& s) { return Values{s.programData}; }},
      {"public", nullptr, [](const SystemFolders& s) { return Values{s.publicProfile}; }},
  };
  std::string lower(name);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  for (const Variable& variable : variables) {
    if (lower == variable.lowerName) return &variable;
  }
  return nullptr;
}

// Adds one folder pattern per distinct, non-empty value.
void addFolders(Expansion& expansion, const Values& values, const std::vector<std::string>& below,
                int profile, bool embeddedBrowserProfile) {
  for (const std::string& given : values) {
    if (given.empty()) continue;
    // "C:" alone is the current folder of drive C:, not its root.
    const std::string value = given.size() == 2 && given[1] == ':' ? given + '\\' : given;
    const auto same = [&](const FolderPattern& f) {
      return f.profile == profile && sameName(f.base, value);
    };
    if (!embeddedBrowserProfile &&
        std::any_of(expansion.folders.begin(), expansion.folders.end(), same)) {
      continue;
    }
    expansion.folders.push_back({embeddedBrowserProfile ? std::string() : value, below,
                                 profile, embeddedBrowserProfile});
  }
}

}  // namespace

ProfileFolders ProfileFolders::standard(const std::string& profileDir) {
  ProfileFolders folders;
  folders.profile = profileDir;
  const std::string appData = joinPath(profileDir, "AppData");
  folders.roaming = joinPath(appData, "Roaming");
  folders.local = joinPath(appData, "Local");
  folders.localLow = joinPath(appData, "LocalLow");
  folders.temp = joinPath(folders.local, "Temp");
  folders.documents = joinPath(profileDir, "Documents");
  folders.desktop = joinPath(profileDir, "Desktop");
  folders.downloads = joinPath(profileDir, "Downloads");
  folders.music = joinPath(profileDir, "Music");
  folders.pictures = joinPath(profileDir, "Pictures");
  folders.videos = joinPath(profileDir, "Videos");
  folders.weChatFiles = {joinPath(folders.documents, "WeChat Files")};
  folders.weixinFiles = {joinPath(folders.documents, "xwechat_files")};
  return folders;
}

SystemFolders SystemFolders::standard(const std::string& root) {
  SystemFolders folders;
  folders.drive = root;
  while (folders.drive.size() > 1 &&
         (folders.drive.back() == '\\' || folders.drive.back() == '/')) {
    folders.drive.pop_back();
  }
  folders.windows = joinPath(folders.drive, "Windows");
  folders.programFiles = joinPath(folders.drive, "Program Files");
  folders.programFilesX86 = joinPath(folders.drive, "Program Files (x86)");
  folders.commonFiles = joinPath(folders.programFiles, "Common Files");
  folders.commonFilesX86 = joinPath(folders.programFilesX86, "Common Files");
  folders.programData = joinPath(folders.drive, "ProgramData");
  folders.profiles = joinPath(folders.drive, "Users");
  folders.publicProfile = joinPath(folders.profiles, "Public");
  return folders;
}

bool FolderPattern::hasWildcard() const {
  return std::any_of(below.begin(), below.end(), [](const std::string& name) {
    return name.find_first_of("*?") != std::string::npos;
  });
}

std::string FolderPattern::path() const {
  std::string joined = base;
  for (const std::string& name : below) joined = joinPath(joined, name);
  return joined;
}

Expander::Expander(SystemFolders system, std::vector<ProfileFolders> profiles)
    : system_(std::move(system)), profiles_(std::move(profiles)) {}

Expansion Expander::expand(std::string_view path) const { return expandFor(path, -1); }

Expansion Expander::expandFor(std::string_view path, int profile) const {
  Expansion expansion;
  const std::size_t start = path.find_first_not_of(" \t");
  path = start == std::string_view::npos ? std::string_view() : path.substr(start);
  const std::size_t close = path.empty() || path[0] != '%' ? std::string_view::npos
                                                            : path.find('%', 1);
  if (close == std::string_view::npos) {
    expansion.status = ExpandStatus::NotAnchored;
    return expansion;
  }
  const std::string_view rest = path.substr(close + 1);
  if (!rest.empty() && rest[0] != '\\' && rest[0] != '/') {
    expansion.status = ExpandStatus::NotAnchored;
    return expansion;
  }
  std::vector<std::string> below;
  for (std::string_view name : pathNames(rest)) {
    if (name.find('%') != std::string_view::npos) {
      expansion.status = ExpandStatus::UnknownVariable;
      return expansion;
    }
    if (name == "." || name == ".." || name.find(':') != std::string_view::npos) {
      expansion.status = ExpandStatus::NotAnchored;
      return expansion;
    }
    below.emplace_back(name);
  }
  const Variable* variable = findVariable(path.substr(1, close - 1));
  if (variable == nullptr) {
    expansion.status = ExpandStatus::UnknownVariable;
    return expansion;
  }
  expansion.perProfile = variable->profileValues != nullptr;
  if (!expansion.perProfile) {
    addFolders(expansion, variable->systemValues(system_), below, -1, false);
    return expansion;
  }
  for (int i = 0; i < static_cast<int>(profiles_.size()); ++i) {
    if (profile >= 0 && i != profile) continue;
    addFolders(expansion, variable->profileValues(profiles_[i]), below, i,
               variable->embeddedBrowserProfile);
  }
  return expansion;
}

}  // namespace scourix::catalog
