// clean [--config FILE] [--dry-run] [--sizes] [--utf8] [--recycle]: the unattended clean
// of "scourix.exe /auto" with the settings of FILE (data.dsfw in the current folder).
#include <cstdio>
#include <string>

#include "autoclean/auto_clean.h"
#include "cli/commands.h"
#include "cli/scan_report.h"
#include "settings/config_file.h"

namespace scourix::cli {
namespace {

void printRemoved(CleanEngine& engine, const AutoCleanReport& report, const OutputStyle& style) {
  std::string out;
  for (const FoundFile& file : report.removed) {
    out += style.utf8 ? engine.platform().utf8Of(file.category()) : file.category();
    out += '\t';
    if (style.sizes) out += std::to_string(file.size) + '\t';
    out += style.utf8 ? engine.platform().utf8Of(file.exact()) : file.path();
    out += '\n';
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fflush(stdout);
}

void printSummary(const AutoCleanReport& report, bool dryRun) {
  std::uint64_t bytes = 0;
  for (const CategoryTally& row : report.categories) bytes += row.bytes;
  const DeletionResult& deletion = report.deletion;
  if (dryRun) {
    std::fprintf(stderr, "would delete: %zu files, %llu bytes\n", report.removed.size(),
                 static_cast<unsigned long long>(bytes));
    return;
  }
  for (const DeletionFailure& failure : deletion.failures) {
    std::fprintf(stderr, "cannot delete %s: %s\n", failure.path.c_str(), failure.reason.c_str());
  }
  std::fprintf(stderr, "deleted: %d files, %llu bytes; recycled: %d files, %llu bytes; not deleted: %d; in use: %zu; "
               "left to Disk Cleanup: %zu\n",
               deletion.deleted, static_cast<unsigned long long>(deletion.bytesFreed), deletion.recycled,
               static_cast<unsigned long long>(deletion.bytesRecycled), deletion.failed, deletion.inUse.size(),
               deletion.systemCleanup.size());
}

}  // namespace

int cleanCommand(const Args& args) {
  AutoCleanRun run;
  run.configPath = kConfigFileName;
  OutputStyle style;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--config") {
      if (i + 1 >= args.size() || args[i + 1].empty()) return usageError("clean", "--config needs a file");
      run.configPath = args[++i];
    } else if (arg == "--dry-run") {
      run.dryRun = true;
    } else if (arg == "--sizes") {
      style.sizes = true;
    } else if (arg == "--utf8") {
      style.utf8 = true;
    } else if (arg == "--recycle") {
      run.toRecycleBin = true;
    } else {
      return usageError("clean", "unexpected argument " + arg);
    }
  }
  CleanEngine engine(systemPlatform());
  const AutoCleanReport report = runAutoClean(engine, run);
  if (!report.problem.empty()) {
    std::fprintf(stderr, "scourix-cli clean: %s\n", report.problem.c_str());
    return report.exitCode;
  }
  printRemoved(engine, report, style);
  printSummary(report, run.dryRun);
  return report.exitCode;
}

}  // namespace scourix::cli
