#pragma once
// A platform for the engine tests: the real one underneath, with a settable clock and
// drive types, folders served from memory, counted sleeps, and deletes, syncs and
// replaces that can be made to fail. Paths that start with '[' are the memory's: their
// exact paths hold the same bytes.
#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace scourix::test {

// A listing of a copy of a memory folder.
struct VectorListing : DirListing {
  explicit VectorListing(std::vector<DirEntry> list) : entries(std::move(list)) {}
  bool next(DirEntry& entry) override { return index < entries.size() && (entry = entries[index++], true); }
  bool failed() const override { return breaksOff; }
  std::vector<DirEntry> entries;
  std::size_t index = 0;
  bool breaksOff = false;  // ends on an error after its entries
};

// Noon of a local calendar day, in seconds since 1970: far from any change of date.
inline std::int64_t localNoon(int year, int month, int day) {
  std::tm fields{};
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  fields.tm_hour = 12;
  fields.tm_isdst = -1;
  return static_cast<std::int64_t>(std::mktime(&fields));
}

// A folder that exists only in the fake's memory, ending with the separator.
inline std::string memoryRoot(const Platform& platform, const std::string& name = "[mem]") {
  return name + platform.separator();
}

inline DirEntry fileEntry(const std::string& name, std::uint64_t size = 1,
                          std::int64_t access = 0, std::int64_t write = 0) {
  return DirEntry{name, false, 0, false, size, access, write};
}

inline DirEntry dirEntry(const std::string& name, bool system = false) {
  return DirEntry{name, true, system ? kAttributeSystem : 0};
}

class FakePlatform : public Platform {
 public:
  // ---- Settings ----
  std::int64_t clock = 0;                 // now(); 0: the real time
  std::int64_t datelessBefore = 0;        // times before this have no local date
  std::map<std::string, int> driveTypes;  // by root; others are unknown (1)
  std::string systemDir, profilesDir;
  std::vector<std::string> registered;  // registeredProfiles(), as given
  std::vector<std::string> ownFolders;  // userFolders(), as given
  std::map<std::string, std::vector<DirEntry>> memoryDirs;  // by path ending in separator
  // Asked first; a null answer falls back to the memory folders, then the real ones.
  std::function<std::unique_ptr<DirListing>(const std::string&)> listingHook;
  std::set<std::string> failingDeletes;
  std::set<std::string> inUseDeletes;  // held open by another program
  std::uintmax_t binCapacity = static_cast<std::uintmax_t>(-1);  // bytes of the largest file the bin takes
  bool failSync = false, failReplace = false;
  std::string catalogText;                         // builtInCatalog(): none unless a test gives one
  std::map<std::string, std::string> environment;  // environmentVariable(); others unset
  std::map<std::string, KeyPresence> registry;     // registryKey(); others Unknown, or the system's
                                                   // after takeRunningCatalog()
  int osMajor = 0, osMinor = 0;                    // windowsVersion(); 0: no Windows
  bool elevated = true;                            // isElevated(): as under Wine
  ElevatedStart elevatedStart = ElevatedStart::Started;

  // The running machine's catalog and environment, as the program sees them.
  void takeRunningCatalog() {
    catalogText = real_.builtInCatalog();
    runningRegistry_ = true;
    for (const char* name : {"SystemDrive", "SystemRoot", "ProgramW6432", "ProgramFiles(x86)", "CommonProgramW6432",
                             "CommonProgramFiles(x86)", "ProgramData", "PUBLIC", "USERPROFILE"}) {
      environment[name] = real_.environmentVariable(name);
    }
  }

  // ---- What happened ----
  std::vector<std::string> listedDirs;  // every folder asked to be listed, in order
  std::vector<int> sleeps;
  int replaceCalls = 0;
  // Each call: the paths (as text).
  std::vector<std::vector<std::string>> recycleBatches;
  std::vector<std::string> elevatedStarts;  // the parameters of each start

  char separator() const override { return real_.separator(); }
  std::unique_ptr<DirListing> openListing(const FolderPath& dir) override {
    auto listing = served(dir.path);
    return listing ? std::move(listing) : real_.openListing(dir);
  }
  std::unique_ptr<DirListing> openSubfolder(DirListing& parent, const DirEntry& entry, const std::string& path) override {
    auto listing = served(path);
    return listing ? std::move(listing) : real_.openSubfolder(parent, entry, path);
  }
  ExactPath exactPathOf(const std::string& path) override {
    if (!inMemory(path)) return real_.exactPathOf(path);
    NativeText bytes;
    for (char c : path) bytes += static_cast<PathUnit>(static_cast<unsigned char>(c));
    return ExactPath(bytes);
  }
  std::string utf8Of(const ExactPath& path) override { return textOf(path); }
  std::string utf8Of(const std::string& text) override { return real_.utf8Of(text); }
  FolderState folderState(const ExactPath& path) override {
    return memoryDirs.count(textOf(path) + separator()) != 0 ? FolderState::Plain : real_.folderState(path);
  }
  // A memory file has the facts of its entry; one the memory does not hold, none to tell.
  FileLookup lookUpFile(const ExactPath& path, FileFacts& facts) override {
    const std::string text = textOf(path);
    if (!inMemory(text)) return real_.lookUpFile(path, facts);
    const std::size_t nameStart = text.rfind(separator()) + 1;
    const auto dir = memoryDirs.find(text.substr(0, nameStart));
    if (dir == memoryDirs.end()) return FileLookup::Unknown;
    for (const DirEntry& entry : dir->second) {
      if (entry.name != text.substr(nameStart)) continue;
      facts = {entry.fileId, entry.size, entry.lastWrite};
      return FileLookup::Found;
    }
    return FileLookup::Unknown;
  }
  int driveType(const std::string& root) override { return driveTypes.count(root) ? driveTypes[root] : 1; }
  std::string systemDirectory() override { return systemDir; }
  FolderPath profilesDirectory() override { return profilesDir.empty() ? FolderPath() : folderOf(profilesDir); }
  std::vector<FolderPath> registeredProfiles() override {
    std::vector<FolderPath> folders;
    for (const std::string& path : registered) folders.push_back({path, exactPathOf(path)});
    return folders;
  }
  std::vector<FolderPath> userFolders() override {
    std::vector<FolderPath> folders;
    for (const std::string& path : ownFolders) folders.push_back(folderOf(path));
    return folders;
  }
  void sleepMs(int milliseconds) override { sleeps.push_back(milliseconds); }
  std::int64_t now() override { return clock != 0 ? clock : real_.now(); }
  bool localDate(std::int64_t time, CalendarDate& date) override {
    return time >= datelessBefore && real_.localDate(time, date);
  }
  const CodePage& codePage() const override { return real_.codePage(); }
  std::string wideToAnsi(const std::u16string& text) override { return real_.wideToAnsi(text); }
  void raiseThreadPriority() override {}
  void enterBackgroundMode() override {}
  std::unique_ptr<ScanLock> claimScanLock() override { return real_.claimScanLock(); }
  RemoveOutcome deleteFile(const ExactPath& target, std::string& reason) override {
    if (failingDeletes.count(textOf(target)) || inUseDeletes.count(textOf(target))) {
      reason = "held by the test";
      return failingDeletes.count(textOf(target)) ? RemoveOutcome::Failed : RemoveOutcome::InUse;
    }
    // A file of a memory folder can always be deleted.
    return inMemory(textOf(target)) ? RemoveOutcome::Removed : real_.deleteFile(target, reason);
  }
  bool removeEmptyFolder(const ExactPath& path) override {
    return inMemory(textOf(path)) || real_.removeEmptyFolder(path);
  }
  bool replaceFile(const std::string& from, const std::string& to) override {
    ++replaceCalls;
    return !failReplace && real_.replaceFile(from, to);
  }
  bool syncFile(std::FILE* file) override { return !failSync && real_.syncFile(file); }
  // Every file goes to the bin but the failing ones and those bigger than the bin.
  std::vector<RecycleAnswer> recycleFiles(const std::vector<ExactPath>& paths) override {
    std::vector<std::string> texts;
    std::vector<RecycleAnswer> reasons;
    for (const ExactPath& path : paths) texts.push_back(textOf(path));
    for (const std::string& text : texts) {
      std::error_code missing;
      const std::uintmax_t size = std::filesystem::file_size(text, missing);
      if (failingDeletes.count(text)) {
        reasons.push_back({RecycleAnswer::Failed, "locked"});
      } else if (inUseDeletes.count(text)) {
        reasons.push_back({RecycleAnswer::InUse, "held"});
      } else if (!missing && size > binCapacity) {
        reasons.push_back({RecycleAnswer::BinRefused, "too big for the bin"});
      } else {
        reasons.push_back({});
      }
    }
    recycleBatches.push_back(texts);
    return reasons;
  }
  FolderPath folderOfUtf8(const std::string& path) override { return real_.folderOfUtf8(path); }
  std::string utf8NameOf(const DirEntry& entry) override { return real_.utf8NameOf(entry); }
  std::string codePageOf(const std::string& text) override { return real_.codePageOf(text); }
  std::string builtInCatalog() override { return catalogText; }
  bool readFile(const std::string& path, std::size_t limit, std::string& content, std::string& reason) override {
    return real_.readFile(path, limit, content, reason);
  }
  std::string environmentVariable(const std::string& name) override {
    return environment.count(name) ? environment[name] : std::string();
  }
  KeyPresence registryKey(const std::string& key) override {
    if (registry.count(key) != 0) return registry[key];
    return runningRegistry_ ? real_.registryKey(key) : KeyPresence::Unknown;
  }
  bool windowsVersion(int& major, int& minor) override {
    major = osMajor, minor = osMinor;
    return osMajor != 0;
  }
  bool isElevated() override { return elevated; }
  ElevatedStart startElevated(const std::string& parameters) override {
    elevatedStarts.push_back(parameters);
    return elevatedStart;
  }

  // A path as the tests write it: the memory's bytes, or the real path as text.
  std::string textOf(const ExactPath& path) {
    const NativeText& native = path.native();
    if (native.empty() || native[0] != PathUnit('[')) return real_.utf8Of(path);
    std::string bytes;
    for (PathUnit unit : native) bytes += static_cast<char>(unit);
    return bytes;
  }

 private:
  static bool inMemory(const std::string& path) { return !path.empty() && path[0] == '['; }

  // Notes the request; the hook's listing or a memory folder's, if any.
  std::unique_ptr<DirListing> served(const std::string& dir) {
    listedDirs.push_back(dir);
    if (auto listing = listingHook ? listingHook(dir) : nullptr) return listing;
    const auto found = memoryDirs.find(dir);
    return found == memoryDirs.end() ? nullptr : std::make_unique<VectorListing>(found->second);
  }

  Platform& real_ = systemPlatform();
  bool runningRegistry_ = false;
};

}  // namespace scourix::test
