#pragma once
// "data.dsfw": the category flags, the trace flags, the drive list and the custom rules,
// then the extension block, moved between the user's choices and the binary configuration file.
#include <array>
#include <cstdint>
#include <string>

#include "engine/scan_settings.h"

namespace scourix {

class Archive;
class Platform;
struct Choices;

constexpr char kConfigFileName[] = "data.dsfw";
// The winapp2.ini the user imported, kept beside data.dsfw.
constexpr char kImportedCatalogFileName[] = "winapp2.ini";
// The imported winapp2.ini that belongs to this data.dsfw: the window's and /auto's.
std::string importedCatalogPath(const std::string& configPath);

struct CategoryFlagField {
  const char* name;
  Flag ScanSettings::*flag;
};

// The twelve category flags in the order the file stores them (not their declaration
// order).
inline constexpr std::array<CategoryFlagField, 12> kCategoryFlagsInFileOrder = {{
    {"backupFiles", &ScanSettings::backupFiles},
    {"garbageFiles", &ScanSettings::garbageFiles},
    {"cppBuilderFiles", &ScanSettings::cppBuilderFiles},
    {"emptyFiles", &ScanSettings::emptyFiles},
    {"helpTempFiles", &ScanSettings::helpTempFiles},
    {"logTxtFiles", &ScanSettings::logTxtFiles},
    {"customRules", &ScanSettings::customRules},
    {"setupTempFiles", &ScanSettings::setupTempFiles},
    {"systemLogFiles", &ScanSettings::systemLogFiles},
    {"tempFiles", &ScanSettings::tempFiles},
    {"visualCppFiles", &ScanSettings::visualCppFiles},
    {"cpyFiles", &ScanSettings::cpyFiles},
}};

struct TraceFlagField {
  const char* name;
  Flag TraceFlags::*flag;
};

inline constexpr std::array<TraceFlagField, 7> kTraceFlagsInFileOrder = {{
    {"tempInternetFiles", &TraceFlags::tempInternetFiles},
    {"internetHistory", &TraceFlags::internetHistory},
    {"internetCookies", &TraceFlags::internetCookies},
    {"offlinePages", &TraceFlags::offlinePages},
    {"recycleBin", &TraceFlags::recycleBin},
    {"windowsTemp", &TraceFlags::windowsTemp},
    {"recentDocuments", &TraceFlags::recentDocuments},
}};

// What a load had read completely when it ended.
struct ConfigLoadProgress {
  int flags = 0;       // category flags, 0..12
  int traceFlags = 0;  // 0..7
  bool driveCountRead = false;
  std::int32_t driveCount = 0;
  int drives = 0;  // complete drive records
  bool ruleCountRead = false;
  std::int32_t ruleCount = 0;
  int rules = 0;  // complete rule records
  int extensionFields = 0;  // fields of the extension block taken
  bool exclusionCountRead = false;
  std::int32_t exclusionCount = 0;
  int exclusions = 0;  // complete exclusion entries
  int catalogTicks = 0;  // catalog items' ticks taken

  // For example "flags, trace flags, 2 drives, 1 rule" or "flags, 1 of 3 trace flags".
  std::string describe() const;
};

// Moves the choices' category flags, trace flags, drives and rules through the archive
// in the file's layout. Loading empties both lists first, takes every value as read,
// treats a count of zero or less as no entries and appends an entry only once all its
// fields were read; an archive error ends it with the state reached so far. `progress`
// (loading only, may be null) follows what was read.
void serialize(Choices& choices, Archive& archive, ConfigLoadProgress* progress = nullptr);

// What a load found.
enum class ConfigStatus {
  Loaded,
  Absent,   // no file or folder by that path, or an empty file: the choices keep their defaults
  Damaged,  // the load ended early: the choices hold what was read
  // The file is there but could not be opened (held without sharing, no access): the
  // choices keep their defaults.
  Unreadable,
};

struct ConfigResult {
  ConfigStatus status = ConfigStatus::Absent;
  ConfigLoadProgress progress;  // what was read
  std::string error;            // why a load ended early or a file was absent
  std::string keptCopy;         // a damaged file's copy, when one was made
};

// What a load's status means for each program that loads data.dsfw.
struct LoadMeaning {
  const char* windowNotice;  // the window's box, or nullptr
  bool windowMaySave;        // the window may replace the file when it closes
  // An unattended clean (/auto, scourix-cli clean) runs on the file, or refuses and
  // logs why; it then never takes a default.
  bool unattendedRuns;
  const char* refusal;
};

LoadMeaning meaningOf(ConfigStatus status);
// The same for a load by loadConfig: a damaged file of which no copy could be kept is not
// saved over, since what it holds past the damage would be lost with it.
LoadMeaning meaningOf(const ConfigResult& result);

// Reads the file at path into the choices and reports how far it got.
ConfigResult readConfigFile(Choices& choices, Platform& platform, const std::string& path);

// readConfigFile for a run nobody watches: what the file does not mention (a field a
// later version added) stays unticked instead of taking its default.
ConfigResult readChosenOnly(Choices& choices, Platform& platform, const std::string& path);

// readConfigFile for the program's own file: a damaged file is also copied to
// path + ".bad", since the next save replaces it.
ConfigResult loadConfig(Choices& choices, Platform& platform, const std::string& path);

// Writes the choices to path + ".tmp" beside the file, forces it to the disk, then puts
// it in place of path in one step. On any failure the previous file stays as it was and
// the temporary file is removed: the window then says "保存配置文件出错".
struct SaveResult {
  bool saved = false;
  std::string error;  // why not
};
SaveResult saveConfig(Choices& choices, Platform& platform, const std::string& path);

}  // namespace scourix
