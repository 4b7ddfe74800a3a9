#include "engine/catalog/deny_list.h"

#include <algorithm>

#include "engine/catalog/program_data.h"

namespace scourix::catalog {
namespace {

using Reach = DenyList::Rule::Reach;

struct RuleText {
  const char* names;  // '\\' separates
  Reach reach;
  const char* exception = nullptr;
};

const RuleText kRules[] = {
    {"FileStorage\\File", Reach::Tree},
    {"FileStorage\\Image", Reach::Tree},
    {"FileStorage\\Video", Reach::Tree},
    {"FileStorage\\MsgAttach", Reach::Tree},
    {"WeChat Files\\*\\Msg", Reach::Tree},
    {"xwechat_files\\*\\msg", Reach::Tree},
    {"xwechat_files\\*\\db_storage", Reach::Tree},
    // A known community entry deletes Tencent Files whole; only QQ's logs may go.
    {"Tencent Files", Reach::Tree, "*\\nt_qq\\nt_data\\log"},
    {"nt_qq\\nt_db", Reach::Tree},
    {"nt_data\\Pic", Reach::Tree},
    {"nt_data\\Video", Reach::Tree},
    {"nt_data\\File", Reach::Tree},
    {"nt_data\\Ptt", Reach::Tree},
    {"nt_data\\Emoji", Reach::Tree},
    {"WXWork Files\\File", Reach::Tree},
    {"WXWork\\*\\Data", Reach::Tree},
    {"DingTalk\\*\\DBFiles", Reach::Tree},
    {"DingTalk\\*\\resource_cache", Reach::Tree},
    {"sdk_storage\\*\\resources", Reach::Tree},
    {"office6\\backup", Reach::Tree},
    {"qing\\filecache", Reach::Tree},
    {"WPSDrive", Reach::Tree},
    {"BaiduNetdiskDownload", Reach::Tree},
    {"CloudMusic\\Library", Reach::Tree},
    {"SogouPY*", Reach::Tree},
    {"Packages\\*\\LocalCache", Reach::Tree},
    {"Packages\\*\\LocalState", Reach::Tree},
    {"System Volume Information", Reach::Tree},
    {"$Recycle.Bin", Reach::Tree},
    {"BaiduYunCacheFileV0.db", Reach::File},
    {"KGMusicV3.db", Reach::File},
    {"playlistV3.db", Reach::File},
    {"TaskDb.dat", Reach::File},
    {"*.evtx", Reach::File},
    {"NTUSER.DAT*", Reach::File},
    {"UsrClass.dat*", Reach::File},
    {"*.regtrans-ms", Reach::File},
    {"*.blf", Reach::File},
    {"pagefile.sys", Reach::File},
    {"swapfile.sys", Reach::File},
    {"hiberfil.sys", Reach::File},
};

const struct {
  const char* below;
  Reach reach;
} kWindowsRules[] = {
    {"Installer", Reach::Tree},          {"WinSxS", Reach::Tree},
    {"System32\\DriverStore", Reach::Tree}, {"System32\\catroot2", Reach::Tree},
    {"System32\\winevt", Reach::Tree},   {"System32\\config", Reach::Files},
    {"SoftwareDistribution\\DataStore", Reach::Tree},
    {"assembly", Reach::Tree},           {"Fonts", Reach::Tree},
    {"Prefetch", Reach::Tree},
};

std::vector<NamePattern> patterns(std::string_view path) {
  std::vector<NamePattern> names;
  for (std::string_view name : pathNames(path)) names.emplace_back(name);
  return names;
}

// The last names of `names` match `rule`, one name each.
bool endsWith(const std::vector<std::u32string>& names, const std::vector<NamePattern>& rule) {
  if (rule.size() > names.size()) return false;
  const std::size_t offset = names.size() - rule.size();
  for (std::size_t i = 0; i < rule.size(); ++i) {
    if (!rule[i].matchesFolded(names[offset + i])) return false;
  }
  return true;
}

bool endsWithFolded(const std::u32string& name, std::u32string_view ending) {
  return name.size() > ending.size() &&
         name.compare(name.size() - ending.size(), ending.size(), ending) == 0;
}

std::u32string_view sqliteJournalEnding(const std::u32string& name) {
  for (std::u32string_view ending : {U"-journal", U"-wal", U"-shm"}) {
    if (endsWithFolded(name, ending)) return ending;
  }
  return {};
}

}  // namespace

void FolderMarkers::notice(std::string_view name, bool isDirectory) {
  if (isDirectory) return;
  foldNameInto(name, folded_);
  const std::u32string& folded = folded_;
  if (isBrowserProfileMarker(folded)) browserProfile_ = true;
  if (folded == U"current") current_ = true;
  if (folded.compare(0, 9, U"manifest-") == 0) manifest_ = true;
  for (std::u32string_view ending : {U".edb", U".jrs", U".jfm", U".jcp"}) {
    if (endsWithFolded(folded, ending)) eseFile_ = true;
  }
  if (endsWithFolded(folded, U".chk")) checkpoint_ = true;
  if (endsWithFolded(folded, U".log") || endsWithFolded(folded, U".jtx")) transactionLog_ = true;
  const std::u32string_view journal = sqliteJournalEnding(folded);
  if (!journal.empty()) journaled_.insert(folded.substr(0, folded.size() - journal.size()));
  fileHashes_.push_back(hashOf(folded));
  hashesSorted_ = false;
}

std::size_t FolderMarkers::hashOf(std::u32string_view foldedName) {
  return std::hash<std::u32string_view>()(foldedName);
}

bool FolderMarkers::sqliteFamily(const std::u32string& foldedName) const {
  if (journaled_.count(foldedName) != 0) return true;
  const std::u32string_view journal = sqliteJournalEnding(foldedName);
  if (journal.empty()) return false;
  if (!hashesSorted_) {
    std::sort(fileHashes_.begin(), fileHashes_.end());
    hashesSorted_ = true;
  }
  const std::u32string_view database(foldedName.data(), foldedName.size() - journal.size());
  return std::binary_search(fileHashes_.begin(), fileHashes_.end(), hashOf(database));
}

DenyList::DenyList(const std::vector<SystemFolders>& systems) {
  for (const RuleText& text : kRules) {
    Rule rule{patterns(text.names), text.reach, {}};
    if (text.exception != nullptr) rule.exceptions.push_back(patterns(text.exception));
    rules_.push_back(std::move(rule));
  }
  for (const SystemFolders& system : systems) {
    for (const auto& rule : kWindowsRules) {
      if (!system.windows.empty()) {
        anchored_.push_back({foldPath(joinPath(system.windows, rule.below)), rule.reach});
      }
    }
    if (!system.programData.empty()) {
      anchored_.push_back({foldPath(joinPath(system.programData, "Package Cache")), Reach::Tree});
    }
  }
}

void DenyList::applyPathRules(DenyScope& scope, const std::vector<std::u32string>& names) const {
  for (std::size_t i = 0; i < rules_.size(); ++i) {
    const Rule& rule = rules_[i];
    if (rule.reach == Reach::File || !endsWith(names, rule.names)) continue;
    if (rule.reach == Reach::Files) {
      scope.files = true;
    } else if (rule.exceptions.empty()) {
      scope.tree = true;
    } else {
      scope.files = true;
      scope.exceptionRule = static_cast<int>(i);
      scope.exceptionDepth = names.size();
    }
  }
  for (const Anchored& anchored : anchored_) {
    if (names != anchored.path) continue;
    (anchored.reach == Reach::Tree ? scope.tree : scope.files) = true;
  }
}

DenyScope DenyList::scopeOf(std::string_view folderPath,
                            const std::function<bool(std::string_view)>& isBrowserProfile) const {
  const std::vector<std::string_view> names = pathNames(folderPath);
  DenyScope scope;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::size_t end = static_cast<std::size_t>(names[i].data() - folderPath.data()) +
                            names[i].size();
    const std::string_view path = folderPath.substr(0, end);
    if (i == 0) {
      applyPathRules(scope, {foldName(names[0])});
      continue;
    }
    const std::size_t parentEnd =
        static_cast<std::size_t>(names[i - 1].data() - folderPath.data()) + names[i - 1].size();
    scope = childScope(scope, isBrowserProfile(folderPath.substr(0, parentEnd)), path);
  }
  return scope;
}

DenyScope DenyList::childScope(const DenyScope& parent, const FolderMarkers& parentMarkers,
                               std::string_view childPath) const {
  return childScope(parent, parentMarkers.browserProfile(), childPath);
}

DenyScope DenyList::childScope(const DenyScope& parent, bool parentIsProfile,
                               std::string_view childPath) const {
  DenyScope scope;
  if (parent.tree) {
    scope.tree = true;
    return scope;
  }
  const std::vector<std::string_view> names = pathNames(childPath);
  if (names.empty()) return scope;
  std::vector<std::u32string> folded;
  for (std::string_view name : names) folded.push_back(foldName(name));
  if (parent.exceptionRule >= 0) {
    const Rule& rule = rules_[static_cast<std::size_t>(parent.exceptionRule)];
    const std::size_t below = folded.size() - parent.exceptionDepth;
    bool onTheWay = false, reached = false;
    for (const std::vector<NamePattern>& exception : rule.exceptions) {
      bool matches = true;
      for (std::size_t i = 0; i < below && i < exception.size() && matches; ++i) {
        matches = exception[i].matchesFolded(folded[parent.exceptionDepth + i]);
      }
      if (matches && below >= exception.size()) reached = true;
      if (matches && below < exception.size()) onTheWay = true;
    }
    if (!reached && !onTheWay) {
      scope.tree = true;
      return scope;
    }
    if (!reached) {
      scope.files = true;
      scope.exceptionRule = parent.exceptionRule;
      scope.exceptionDepth = parent.exceptionDepth;
    }
  }
  const std::string_view name = names.back();
  if (parentIsProfile && isProfileCacheFolder(name)) {
    // A cache the browser rebuilds: open.
  } else if (parentIsProfile && isCrashpadFolder(name)) {
    scope.inProfile = scope.crashpad = true;
  } else if (parent.crashpad && isCrashpadReports(name)) {
    // The crash reports of a profile's Crashpad: open.
  } else if (parentIsProfile || parent.inProfile) {
    scope.inProfile = true;
  }
  applyPathRules(scope, folded);
  return scope;
}

bool DenyList::deniesFile(const DenyScope& scope, const FolderMarkers& markers,
                          std::string_view filePath) const {
  return deniesFile(scope, markers, filePath, foldName(lastPathName(filePath)));
}

bool DenyList::deniesFile(const DenyScope& scope, const FolderMarkers& markers,
                          std::string_view filePath, const std::u32string& name) const {
  if (scope.tree || scope.files || scope.inProfile || markers.browserProfile()) return true;
  if (name.empty()) return false;
  // The whole path is split only for a rule whose last name the file's matches.
  if (markers.levelDb() && name != U"log" && name != U"log.old") return true;
  if (markers.ese() || markers.sqliteFamily(name)) return true;
  std::vector<std::u32string> folded;
  for (const Rule& rule : rules_) {
    if (rule.reach != Reach::File || !rule.names.back().matchesFolded(name)) continue;
    if (rule.names.size() == 1) return true;
    if (folded.empty()) {
      for (std::string_view each : pathNames(filePath)) folded.push_back(foldName(each));
    }
    if (endsWith(folded, rule.names)) return true;
  }
  return false;
}

}  // namespace scourix::catalog
