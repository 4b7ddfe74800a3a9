// Deleting the ticked findings, and the recycle bin that a trace scan covered.
#include "engine/clean_engine.h"
#include "engine/trace_locations.h"

namespace scourix {
namespace {

bool isRecycleFinding(const FoundFile& file) {
  return file.category == kRecycledLabel || file.category == kRecyclerLabel;
}

}  // namespace

DeletionResult CleanEngine::deleteMarkedFiles() {
  DeletionResult result;
  // The worker empties and fills the list until its walk is over; from then on (its
  // "扫描完毕" box included) the list is the windows'.
  if (workerOwnsList_) return result;
  bool recycleFindingKept = false;
  std::vector<std::unique_ptr<FoundFile>> remaining;
  for (auto& file : foundFiles_) {
    if (file->toDelete == 0) {
      if (isRecycleFinding(*file)) recycleFindingKept = true;
      continue;
    }
    std::string reason;
    switch (platform_.deleteFile(file->path, reason)) {
      case RemoveOutcome::Removed:
        ++result.deleted;
        break;
      case RemoveOutcome::Gone:  // its program removed it meanwhile: it only leaves the list
        break;
      case RemoveOutcome::Failed:
        result.failures.push_back({file->path, file->category, reason});
        remaining.push_back(std::move(file));
        break;
    }
  }
  result.failed = static_cast<int>(result.failures.size());
  foundPaths_.clear();
  foundFiles_.clear();
  for (auto& file : remaining) {
    const std::uint32_t hash = PathIndex::hashOf(file->path);
    appendFinding(std::move(file), hash);
  }

  if (recycleBinPending != 0) {
    // The user unticked something in the bin: emptying it would destroy what they kept.
    if (recycleFindingKept) {
      recycleBinPending = 0;
    } else {
      emptyRecycleBin();
      result.recycleBinEmptied = true;
    }
  }
  return result;
}

void CleanEngine::emptyRecycleBin() {
  platform_.emptyRecycleBin();
  recycleBinPending = 0;
}

}  // namespace scourix
