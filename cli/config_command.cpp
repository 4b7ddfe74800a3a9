// config show FILE: the decoded content of a configuration file.
// config copy IN OUT: load a configuration file and save it again, as the program does.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "engine/clean_engine.h"
#include "settings/config_extension.h"
#include "settings/config_file.h"

namespace scourix::cli {

namespace {

void printText(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

// Only what the load read: the fields it did not reach hold defaults, not file content.
void printRead(CleanEngine& engine, const ConfigLoadProgress& progress) {
  for (int i = 0; i < progress.flags; ++i) {
    const auto& field = kCategoryFlagsInFileOrder[i];
    std::printf("%s\t%d\n", field.name, static_cast<int>(engine.choices().settings.*field.flag));
  }
  for (int i = 0; i < progress.traceFlags; ++i) {
    const auto& field = kTraceFlagsInFileOrder[i];
    std::printf("%s\t%d\n", field.name, static_cast<int>(engine.choices().traceFlags.*field.flag));
  }
  if (progress.driveCountRead) {
    std::printf("drives\t%d\n", static_cast<int>(progress.driveCount));
    for (const DriveEntry& drive : engine.choices().drives) {
      std::fputs("drive\t", stdout);
      printText(drive.root);
      std::fputs("\t", stdout);
      printText(drive.displayName);
      std::printf("\t%d\n", static_cast<int>(drive.selected));
    }
  }
  if (progress.ruleCountRead) {
    std::printf("rules\t%d\n", static_cast<int>(progress.ruleCount));
    for (const ScanRule& rule : engine.choices().rules.all()) {
      std::printf("rule\t%d\t", static_cast<int>(rule.enabled));
      printText(rule.pattern);
      std::fputs("\t", stdout);
      printText(rule.description);
      std::printf("\t%d\n", static_cast<int>(rule.matchMode));
    }
  }
  for (int i = 0; i < progress.extensionFields; ++i) {
    const auto& field = kExtensionFieldsInFileOrder[i];
    std::printf("%s\t%d\n", field.name, static_cast<int>(extensionFlag(engine.choices(), field)));
  }
  if (progress.exclusionCountRead) {
    std::printf("exclusions\t%d\n", static_cast<int>(progress.exclusionCount));
    for (const Exclusion& entry : engine.choices().exclusions.entries()) {
      std::fputs(entry.kind == Exclusion::Kind::Folder ? "exclusion\tfolder\t" : "exclusion\tname\t", stdout);
      printText(entry.text);
      std::fputs("\n", stdout);
    }
  }
  // The load empties them first: every one was read.
  for (const auto& [name, tick] : engine.choices().catalogTicks) {
    std::fputs("catalog\t", stdout);
    printText(name);
    std::printf("\t%d\n", static_cast<int>(tick));
  }
}

bool fileExists(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}

// Loads `path`; false (and a message) when the file is missing, unreadable or damaged.
bool load(CleanEngine& engine, const std::string& path, ConfigLoadProgress& progress) {
  if (!fileExists(path)) {
    std::fprintf(stderr, "scourix-cli: cannot open %s\n", path.c_str());
    return false;
  }
  const ConfigResult result = readConfigFile(engine.choices(), engine.platform(), path);
  progress = result.progress;
  switch (result.status) {
    case ConfigStatus::Loaded:
      return true;
    case ConfigStatus::Absent:
      std::fprintf(stderr, "scourix-cli: %s is empty: the program keeps its defaults\n", path.c_str());
      return true;
    case ConfigStatus::Unreadable:
      std::fprintf(stderr, "scourix-cli: %s\n", result.error.c_str());
      return false;
    case ConfigStatus::Damaged:
      std::fprintf(stderr, "scourix-cli: %s: error after %s: %s\n", path.c_str(),
                   result.progress.describe().c_str(), result.error.c_str());
      return false;
  }
  return false;
}

int show(const std::string& path) {
  CleanEngine engine(systemPlatform());
  ConfigLoadProgress progress;
  const bool ok = load(engine, path, progress);
  printRead(engine, progress);
  std::fflush(stdout);
  return ok ? 0 : 1;
}

int copy(const std::string& from, const std::string& to) {
  CleanEngine engine(systemPlatform());
  ConfigLoadProgress progress;
  if (!load(engine, from, progress)) return 1;
  const SaveResult result = saveConfig(engine.choices(), engine.platform(), to);
  if (!result.saved) {
    std::fprintf(stderr, "scourix-cli: cannot save %s: %s\n", to.c_str(), result.error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int configCommand(const Args& args) {
  if (args.size() == 2 && args[0] == "show") return show(args[1]);
  if (args.size() == 3 && args[0] == "copy") return copy(args[1], args[2]);
  std::fputs("usage: scourix-cli config show FILE\n       scourix-cli config copy IN OUT\n",
             stderr);
  return 2;
}

}  // namespace scourix::cli
