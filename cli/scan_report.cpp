#include "cli/scan_report.h"

#include <chrono>
#include <cstdio>

namespace scourix::cli {
namespace {

constexpr std::size_t kOutputChunk = 1 << 20;

void printFindings(const CleanEngine& engine) {
  // Large findings lists are written in big blocks, not line by line.
  std::string out;
  out.reserve(kOutputChunk + 4096);
  for (const auto& file : engine.foundFiles()) {
    out += file->category;
    out += '\t';
    out += file->path;
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
  const std::string path = platform.codePage().withSeparator(dir, platform.separator());
  if (platform.openListing(path)) return true;
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
    engine.drives.push_back(drive);
  }
  return true;
}

int runAndReport(CleanEngine& engine, void (CleanEngine::*scan)()) {
  const auto start = std::chrono::steady_clock::now();
  (engine.*scan)();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  printFindings(engine);
  std::fprintf(stderr, "files examined: %lld, findings: %d, %.3f s, mandated sleeps: %lld ms\n",
               static_cast<long long>(engine.filesExamined()), engine.foundCount(), seconds,
               static_cast<long long>(engine.mandatedSleepMs()));
  return 0;
}

int usageError(const std::string& command, const std::string& message) {
  std::fprintf(stderr, "scourix-cli %s: %s\n", command.c_str(), message.c_str());
  std::fputs("usage: scourix-cli scan [--no-pace] [--rules FILE] DIR...\n"
             "       scourix-cli trace [--no-pace] --profiles DIR [--recycle ROOT]...\n",
             stderr);
  return 2;
}

}  // namespace scourix::cli
