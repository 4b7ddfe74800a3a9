#include "settings/config_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "engine/choices.h"
#include "platform/platform.h"
#include "settings/archive.h"
#include "settings/config_extension.h"

namespace scourix {

namespace {

std::string counted(int n, const char* singular, const char* plural) {
  return std::to_string(n) + " " + (n == 1 ? singular : plural);
}

std::string part(int done, std::int32_t total, const char* singular, const char* plural) {
  if (done == total || (total < 0 && done == 0)) return counted(done, singular, plural);
  return std::to_string(done) + " of " + std::to_string(total) + " " + plural;
}

void storeAll(Choices& choices, Archive& archive) {
  for (const auto& field : kCategoryFlagsInFileOrder) {
    archive.writeInt32(choices.settings.*field.flag);
  }
  for (const auto& field : kTraceFlagsInFileOrder) {
    archive.writeInt32(choices.traceFlags.*field.flag);
  }
  archive.writeInt32(static_cast<std::int32_t>(choices.drives.size()));
  for (const DriveEntry& drive : choices.drives) {
    archive.writeString(drive.root);
    archive.writeString(drive.displayName);
    archive.writeInt32(drive.selected);
  }
  archive.writeInt32(choices.rules.count());
  for (const ScanRule& rule : choices.rules.all()) {
    archive.writeInt32(rule.enabled);
    archive.writeString(rule.pattern);
    archive.writeString(rule.description);
    archive.writeInt32(rule.matchMode);
  }
  storeExtension(choices, archive);
}

void loadAll(Choices& choices, Archive& archive, ConfigLoadProgress& progress) {
  // The lists go first, so whatever the file cannot give stays empty.
  choices.drives.clear();
  choices.rules.clear();
  choices.catalogTicks.clear();
  choices.exclusions.clear();
  for (const auto& field : kCategoryFlagsInFileOrder) {
    choices.settings.*field.flag = archive.readInt32();
    ++progress.flags;
  }
  for (const auto& field : kTraceFlagsInFileOrder) {
    choices.traceFlags.*field.flag = archive.readInt32();
    ++progress.traceFlags;
  }
  // No count reserves memory: an entry is appended only once it was read, so an
  // overlarge count runs into the end of the data.
  progress.driveCount = archive.readInt32();
  progress.driveCountRead = true;
  for (std::int32_t i = 0; i < progress.driveCount; ++i) {
    DriveEntry drive;
    drive.selected = 0;
    drive.root = archive.readString();
    drive.displayName = archive.readString();
    drive.selected = archive.readInt32();
    choices.drives.push_back(drive);
    ++progress.drives;
  }
  progress.ruleCount = archive.readInt32();
  progress.ruleCountRead = true;
  for (std::int32_t i = 0; i < progress.ruleCount; ++i) {
    ScanRule rule;
    rule.enabled = archive.readInt32();
    rule.pattern = archive.readString();
    rule.description = archive.readString();
    rule.matchMode = archive.readInt32();
    choices.rules.append(rule);
    ++progress.rules;
  }
  loadExtension(choices, archive, progress);
}

std::string lastError(const char* what, const std::string& path) {
  return std::string(what) + " " + path + ": " + std::strerror(errno);
}

// Copies a file byte for byte; a failed copy leaves no partial file behind.
bool copyFile(const std::string& from, const std::string& to) {
  std::FILE* in = std::fopen(from.c_str(), "rb");
  if (!in) return false;
  std::FILE* out = std::fopen(to.c_str(), "wb");
  if (!out) {
    std::fclose(in);
    return false;
  }
  bool ok = true;
  char chunk[Archive::kBufferSize];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
    if (std::fwrite(chunk, 1, got, out) != got) {
      ok = false;
      break;
    }
  }
  if (std::ferror(in)) ok = false;
  std::fclose(in);
  if (std::fclose(out) != 0) ok = false;
  if (!ok) std::remove(to.c_str());
  return ok;
}

}  // namespace

std::string ConfigLoadProgress::describe() const {
  if (flags == 0) return "nothing";
  std::string text = flags == 12 ? "flags" : std::to_string(flags) + " of 12 flags";
  if (traceFlags > 0) {
    text += traceFlags == 7 ? ", trace flags"
                            : ", " + std::to_string(traceFlags) + " of 7 trace flags";
  }
  if (driveCountRead) text += ", " + part(drives, driveCount, "drive", "drives");
  if (ruleCountRead) text += ", " + part(rules, ruleCount, "rule", "rules");
  if (exclusionCountRead) text += ", " + part(exclusions, exclusionCount, "exclusion", "exclusions");
  return text;
}

void serialize(Choices& choices, Archive& archive, ConfigLoadProgress* progress) {
  if (archive.isStoring()) {
    storeAll(choices, archive);
    return;
  }
  ConfigLoadProgress unused;
  loadAll(choices, archive, progress ? *progress : unused);
}

LoadMeaning meaningOf(ConfigStatus status) {
  static constexpr char kLoadError[] = "加载配置文件出错";
  switch (status) {
    case ConfigStatus::Loaded:
      return {nullptr, true, true, nullptr};
    case ConfigStatus::Absent:
      return {nullptr, true, false, "没有配置文件：请先在程序窗口中选择要清理的驱动器和项目，关闭窗口时即保存"};
    case ConfigStatus::Damaged:
      // The next save replaces the file; loadConfig keeps a copy of it first.
      return {kLoadError, true, false, "配置文件已损坏"};
    case ConfigStatus::Unreadable:
      // The user's settings are still in it: a save would lose them.
      return {kLoadError, false, false, "无法读取配置文件，可能正被其他程序占用"};
  }
  // Only a value outside the enumeration gets here: the safest meaning.
  return {kLoadError, false, false, "配置文件已损坏"};
}

LoadMeaning meaningOf(const ConfigResult& result) {
  LoadMeaning meaning = meaningOf(result.status);
  if (result.status == ConfigStatus::Damaged && result.keptCopy.empty()) meaning.windowMaySave = false;
  return meaning;
}

ConfigResult readConfigFile(Choices& choices, Platform& platform, const std::string& path) {
  ConfigResult result;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    // Only a missing file or folder is a first run; any other failure means a file is
    // there whose settings a save at exit would lose.
    const bool missing = errno == ENOENT || errno == ENOTDIR;
    result.status = missing ? ConfigStatus::Absent : ConfigStatus::Unreadable;
    result.error = lastError("cannot open", path);
    return result;
  }
  try {
    Archive archive(file, ArchiveMode::Loading, platform);
    if (archive.remaining() == 0) {
      result.status = ConfigStatus::Absent;
      result.error = "empty file " + path;
    } else {
      serialize(choices, archive, &result.progress);
      result.status = ConfigStatus::Loaded;
    }
  } catch (const ArchiveError& e) {
    result.status = ConfigStatus::Damaged;
    result.error = e.what();
  } catch (const std::bad_alloc&) {
    result.status = ConfigStatus::Damaged;
    result.error = "out of memory";
  }
  std::fclose(file);
  return result;
}

ConfigResult readChosenOnly(Choices& choices, Platform& platform, const std::string& path) {
  for (const auto& field : kCategoryFlagsInFileOrder) choices.settings.*field.flag = 0;
  for (const auto& field : kTraceFlagsInFileOrder) choices.traceFlags.*field.flag = 0;
  for (const auto& field : kExtensionFieldsInFileOrder) extensionFlag(choices, field) = 0;
  choices.drives.clear();
  choices.rules.clear();
  return readConfigFile(choices, platform, path);
}

ConfigResult loadConfig(Choices& choices, Platform& platform, const std::string& path) {
  ConfigResult result = readConfigFile(choices, platform, path);
  if (result.status == ConfigStatus::Damaged) {
    const std::string copy = path + ".bad";
    if (copyFile(path, copy)) result.keptCopy = copy;
  }
  return result;
}

SaveResult saveConfig(Choices& choices, Platform& platform, const std::string& path) {
  SaveResult result;
  const std::string temp = path + ".tmp";
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) {
    result.error = lastError("cannot create", temp);
    return result;
  }
  try {
    Archive archive(file, ArchiveMode::Storing, platform);
    serialize(choices, archive);
    archive.close();
  } catch (const ArchiveError& e) {
    result.error = e.what();
  } catch (const std::bad_alloc&) {
    result.error = "out of memory";
  }
  if (result.error.empty() && (std::fflush(file) != 0 || std::ferror(file))) {
    result.error = lastError("cannot write", temp);
  }
  if (result.error.empty() && !platform.syncFile(file)) {
    result.error = lastError("cannot write through", temp);
  }
  if (std::fclose(file) != 0 && result.error.empty()) {
    result.error = lastError("cannot close", temp);
  }
  if (result.error.empty() && !platform.replaceFile(temp, path)) {
    result.error = "cannot replace " + path + " with " + temp;
  }
  if (!result.error.empty()) {
    std::remove(temp.c_str());
    return result;
  }
  result.saved = true;
  return result;
}

std::string importedCatalogPath(const std::string& configPath) {
  const std::size_t slash = configPath.find_last_of("\\/");
  return configPath.substr(0, slash == std::string::npos ? 0 : slash + 1) + kImportedCatalogFileName;
}

}  // namespace scourix
