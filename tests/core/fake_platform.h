#pragma once
// A platform for the engine tests: the real one underneath, with a settable clock, drive
// types, folders served from memory, counted sleeps and deletes that can fail.
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace scourix::test {

// A listing served from a list of entries.
class VectorListing : public DirListing {
 public:
  explicit VectorListing(std::vector<DirEntry> entries) : entries_(std::move(entries)) {}
  bool next(DirEntry& entry) override {
    if (index_ >= entries_.size()) return false;
    entry = entries_[index_++];
    return true;
  }

 private:
  std::vector<DirEntry> entries_;
  std::size_t index_ = 0;
};

// A real listing, seen through the fake's adjustments.
class AdjustedListing : public DirListing {
 public:
  AdjustedListing(std::unique_ptr<DirListing> real, const std::set<std::string>& systemNames,
                  bool hideLinks)
      : real_(std::move(real)), systemNames_(systemNames), hideLinks_(hideLinks) {}
  bool next(DirEntry& entry) override {
    if (!real_->next(entry)) return false;
    if (systemNames_.count(entry.name)) entry.isSystem = true;
    if (hideLinks_) entry.isLink = false;
    return true;
  }

 private:
  std::unique_ptr<DirListing> real_;
  const std::set<std::string>& systemNames_;
  bool hideLinks_;
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
  DirEntry entry;
  entry.name = name;
  entry.size = size;
  entry.lastAccess = access;
  entry.lastWrite = write;
  return entry;
}

inline DirEntry dirEntry(const std::string& name, bool system = false) {
  DirEntry entry;
  entry.name = name;
  entry.isDirectory = true;
  entry.isSystem = system;
  return entry;
}

class FakePlatform : public Platform {
 public:
  // ---- Settings ----
  std::int64_t clock = 0;                   // now(); 0: the real time
  std::int64_t datelessBefore = 0;          // times before this have no local date
  std::map<std::string, int> driveTypes;    // by root; others are unknown (1)
  std::string systemDir;
  std::string profilesDir;
  std::map<std::string, std::vector<DirEntry>> memoryDirs;  // by path ending in separator
  std::set<std::string> systemNames;        // real entries of these names are system
  bool hideLinks = false;                   // real links look like plain directories
  std::set<std::string> failingDeletes;     // deleting these paths fails
  std::function<std::unique_ptr<DirListing>(const std::string&)> listingHook;
  std::function<void(int)> onSleep;

  // ---- What happened ----
  std::vector<std::string> listedDirs;  // every openListing request, in order
  std::vector<std::string> askedRoots;  // every driveType request, in order
  std::vector<int> sleeps;
  std::vector<std::string> deleted;
  int recycleBinEmptied = 0;
  int priorityRaises = 0;

  int sleptMs() const {
    int total = 0;
    for (int ms : sleeps) total += ms;
    return total;
  }

  // A path below the real or memory root, with the platform's separator.
  std::string path(const std::string& base, const std::string& relative) const {
    std::string out = base;
    for (char c : relative) out += c == '/' ? separator() : c;
    return out;
  }

  char separator() const override { return real_.separator(); }
  std::unique_ptr<DirListing> openListing(const std::string& dir) override {
    listedDirs.push_back(dir);
    if (listingHook) {
      if (auto listing = listingHook(dir)) return listing;
    }
    const auto found = memoryDirs.find(dir);
    if (found != memoryDirs.end()) return std::make_unique<VectorListing>(found->second);
    auto real = real_.openListing(dir);
    if (!real) return nullptr;
    return std::make_unique<AdjustedListing>(std::move(real), systemNames, hideLinks);
  }
  int driveType(const std::string& root) override {
    askedRoots.push_back(root);
    const auto found = driveTypes.find(root);
    return found == driveTypes.end() ? 1 : found->second;
  }
  std::string systemDirectory() override { return systemDir; }
  std::string profilesDirectory() override { return profilesDir; }
  void sleepMs(int milliseconds) override {
    sleeps.push_back(milliseconds);
    if (onSleep) onSleep(milliseconds);
  }
  std::int64_t now() override { return clock != 0 ? clock : real_.now(); }
  bool localDate(std::int64_t time, CalendarDate& date) override {
    if (time < datelessBefore) return false;
    return real_.localDate(time, date);
  }
  const CodePage& codePage() const override { return real_.codePage(); }
  std::string wideToAnsi(const std::u16string& text) override { return real_.wideToAnsi(text); }
  void raiseThreadPriority() override { ++priorityRaises; }
  bool deleteFile(const std::string& target) override {
    if (failingDeletes.count(target)) return false;
    deleted.push_back(target);
    return real_.deleteFile(target) || memoryFile(target);
  }
  bool replaceFile(const std::string& from, const std::string& to) override {
    return real_.replaceFile(from, to);
  }
  bool syncFile(std::FILE* file) override { return real_.syncFile(file); }
  void emptyRecycleBin() override { ++recycleBinEmptied; }

 private:
  // Files of memory folders can always be deleted.
  bool memoryFile(const std::string& target) const {
    for (const auto& [dir, entries] : memoryDirs) {
      if (target.compare(0, dir.size(), dir) != 0) continue;
      for (const DirEntry& entry : entries) {
        if (!entry.isDirectory && dir + entry.name == target) return true;
      }
    }
    return false;
  }

  Platform& real_ = systemPlatform();
};

}  // namespace scourix::test
