#include "autoclean/auto_clean.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "settings/config_file.h"

namespace scourix {
namespace {

std::vector<FoundFile> copyFindings(const CleanEngine& engine) {
  std::vector<FoundFile> copies;
  copies.reserve(static_cast<std::size_t>(engine.findings().count()));
  for (const auto& file : engine.findings()) copies.push_back(file);
  return copies;
}

void tally(AutoCleanReport& report) {
  std::unordered_map<std::string, std::size_t> rowOf;
  for (const FoundFile& file : report.removed) {
    const auto found = rowOf.emplace(file.category(), report.categories.size());
    if (found.second) report.categories.push_back({file.category(), 0, 0});
    CategoryTally& row = report.categories[found.first->second];
    ++row.files;
    row.bytes += file.size;
  }
}

}  // namespace

bool isAutoCleanSwitch(std::string_view argument) {
  if (argument.size() != 5 || (argument[0] != '/' && argument[0] != '-')) return false;
  for (std::size_t i = 1; i < argument.size(); ++i) {
    if ((argument[i] | 0x20) != "auto"[i - 1]) return false;
  }
  return true;
}

AutoCleanReport runAutoClean(CleanEngine& engine, const AutoCleanRun& run) {
  Platform& platform = engine.platform();
  AutoCleanReport report;
  report.startTime = platform.now();
  const std::unique_ptr<ScanLock> lock = platform.claimScanLock();
  if (lock == nullptr) {
    report.exitCode = kAutoCleanBusy;
    report.problem = "另一个扫描正在进行";
    return report;
  }
  // Only what the file says: no drive attached since, no item it does not mention.
  const ConfigResult config = readChosenOnly(engine.choices(), platform, run.configPath);
  const LoadMeaning meaning = meaningOf(config.status);
  if (!meaning.unattendedRuns) {
    report.exitCode = kAutoCleanNoSettings;
    report.problem = std::string(meaning.refusal) + " (" + config.error + ")";
    return report;
  }
  if (run.toRecycleBin) engine.choices().options.deleteToRecycleBin = 1;

  platform.enterBackgroundMode();
  // The catalog the window showed: the built-in one and the winapp2.ini imported beside
  // data.dsfw, whose entries the file may tick.
  catalog::CatalogSources sources;
  sources.files.push_back(platform.utf8Of(importedCatalogPath(run.configPath)));
  engine.catalogScan().setSources(sources);
  engine.catalogScan().setDefaultTicks(false);
  engine.setPacing(false);
  engine.runDiskScan();
  std::vector<FoundFile> findings = copyFindings(engine);
  // The trace scan starts from an empty list; the disk scan's findings join its own, so
  // that one deletion takes both. Only the bins of the drives data.dsfw ticks are looked
  // into: a disk attached since is none of the user's choosing.
  for (DriveEntry& drive : engine.choices().drives) {
    if (drive.selected == 0) drive.present = 0;
  }
  engine.runTraceScan();
  for (FoundFile& file : copyFindings(engine)) findings.push_back(std::move(file));
  engine.findings().clear();
  for (FoundFile& file : findings) engine.findings().add(std::move(file));

  for (const auto& file : engine.findings()) {
    if (file.toDelete != 0) report.removed.push_back(file);
  }
  if (!run.dryRun) {
    report.deletion = engine.deleteMarkedFiles();
    // By the exact path: two names may have the same bytes in the code page.
    std::unordered_set<std::string_view> stayed;
    for (const DeletionFailure& failure : report.deletion.failures) stayed.insert(failure.exact.key());
    for (const ExactPath& path : report.deletion.skipped) stayed.insert(path.key());
    for (const DeletionFailure& held : report.deletion.inUse) stayed.insert(held.exact.key());
    for (const DeletionFailure& left : report.deletion.systemCleanup) stayed.insert(left.exact.key());
    std::vector<FoundFile> removed;
    for (FoundFile& file : report.removed) {
      if (stayed.count(file.exact().key()) == 0) removed.push_back(std::move(file));
    }
    report.removed = std::move(removed);
    if (report.deletion.failed != 0) report.exitCode = kAutoCleanIncomplete;
  }
  tally(report);
  return report;
}

}  // namespace scourix
