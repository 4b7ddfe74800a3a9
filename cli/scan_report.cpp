#include "cli/scan_report.h"

#include <chrono>
#include <cstdio>

#include "cli/commands.h"
#include "settings/config_file.h"

namespace scourix::cli {
namespace {

constexpr std::size_t kOutputChunk = 1 << 16;

void printFindings(CleanEngine& engine, const OutputStyle& style) {
  // Large findings lists are written in big blocks, not line by line.
  std::string out;
  out.reserve(kOutputChunk + 4096);
  Platform& platform = engine.platform();
  for (const auto& file : engine.findings()) {
    if (style.tickedOnly && file.toDelete == 0) continue;
    out += style.utf8 ? platform.utf8Of(file.category()) : file.category();
    out += '\t';
    if (style.sizes) {
      out += std::to_string(file.size);
      out += '\t';
    }
    if (style.utf8) {
      out += platform.utf8Of(file.exact());
    } else {
      file.appendPath(out);
    }
    out += '\n';
    if (out.size() >= kOutputChunk) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fflush(stdout);
}

}  // namespace

bool checkListable(Platform& platform, const std::string& command, const std::string& dir) {
  if (platform.openListing(platform.folderOf(dir))) return true;
  std::fprintf(stderr, "scourix-cli %s: cannot list directory %s\n", command.c_str(), dir.c_str());
  return false;
}

bool addRoots(CleanEngine& engine, const std::string& command,
              const std::vector<std::string>& dirs) {
  for (const std::string& dir : dirs) {
    if (!checkListable(engine.platform(), command, dir)) return false;
    DriveEntry drive;
    drive.root = dir;
    drive.displayName = dir;
    engine.choices().drives.push_back(drive);
  }
  return true;
}

bool takeExclusions(CleanEngine& engine, const std::string& command, const std::string& configPath) {
  Choices stored;
  const ConfigResult result = readConfigFile(stored, engine.platform(), configPath);
  // Only what an unattended clean would run on: a scan without the list would show what it leaves out.
  if (!meaningOf(result.status).unattendedRuns) {
    std::fprintf(stderr, "scourix-cli %s: cannot take the exclusions of %s: %s\n", command.c_str(), configPath.c_str(),
                 result.error.c_str());
    return false;
  }
  engine.choices().exclusions = stored.exclusions;
  return true;
}

int runAndReport(CleanEngine& engine, void (CleanEngine::*scan)(), const OutputStyle& style) {
  const auto start = std::chrono::steady_clock::now();
  (engine.*scan)();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  printFindings(engine, style);
  unsigned long long totalSize = 0;
  int findings = 0;
  for (const auto& file : engine.findings()) {
    if (style.tickedOnly && file.toDelete == 0) continue;
    totalSize += file.size;
    ++findings;
  }
  std::fprintf(stderr,
               "files examined: %lld, findings: %d, %.3f s, mandated sleeps: %lld ms, "
               "total size: %llu bytes\n",
               static_cast<long long>(engine.progress().filesExamined()), findings, seconds,
               static_cast<long long>(engine.mandatedSleepMs()), totalSize);
  return 0;
}

int usageError(const std::string& command, const std::string& message) {
  std::fprintf(stderr, "scourix-cli %s: %s\n", command.c_str(), message.c_str());
  printUsage(stderr);
  return 2;
}

}  // namespace scourix::cli
