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
  // Per finding: whether it stayed, and why.
  std::vector<char> stayed(foundFiles_.size(), 0);
  std::vector<std::string> reasons(foundFiles_.size());
  std::vector<std::string> toRecycle;
  std::vector<std::size_t> recycledAt;
  for (std::size_t i = 0; i < foundFiles_.size(); ++i) {
    const FoundFile& file = *foundFiles_[i];
    if (file.toDelete == 0) {
      if (isRecycleFinding(file)) recycleFindingKept = true;
      continue;
    }
    // What is already in a bin cannot go to one.
    if (options.deleteToRecycleBin != 0 && !isRecycleFinding(file)) {
      toRecycle.push_back(file.path);
      recycledAt.push_back(i);
    } else if (platform_.deleteFile(file.path)) {
      ++result.deleted;
      result.bytesFreed += file.size;
    } else {
      stayed[i] = 1;
    }
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
  // Only now, so that emptying the bin does not take what this deletion put in it.
  if (!toRecycle.empty()) {
    const std::vector<std::string> answers = platform_.recycleFiles(toRecycle);
    for (std::size_t j = 0; j < recycledAt.size(); ++j) {
      const FoundFile& file = *foundFiles_[recycledAt[j]];
      if (answers[j].empty()) {
        ++result.recycled;
        result.bytesRecycled += file.size;
      } else {
        stayed[recycledAt[j]] = 1;
        reasons[recycledAt[j]] = answers[j];
      }
    }
  }

  std::vector<std::unique_ptr<FoundFile>> remaining;
  for (std::size_t i = 0; i < foundFiles_.size(); ++i) {
    if (stayed[i] == 0) continue;
    ++result.failed;
    result.failures.push_back({foundFiles_[i]->path, foundFiles_[i]->category, reasons[i]});
    remaining.push_back(std::move(foundFiles_[i]));
  }
  foundPaths_.clear();
  foundFiles_.clear();
  for (auto& file : remaining) {
    const std::uint32_t hash = PathIndex::hashOf(file->path);
    appendFinding(std::move(file), hash);
  }
  return result;
}

void CleanEngine::emptyRecycleBin() {
  platform_.emptyRecycleBin();
  recycleBinPending = 0;
}

}  // namespace scourix
