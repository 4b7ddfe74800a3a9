// Deleting the ticked findings, and the recycle bin that a trace scan covered.
#include <algorithm>

#include "engine/clean_engine.h"
#include "engine/trace_locations.h"

namespace scourix {
namespace {

bool isRecycleFinding(const FoundFile& file) {
  return file.category == kRecycledLabel || file.category == kRecyclerLabel ||
         file.category == kRecycleBinLabel;
}

// A folder on the file's path was swapped for a link after the scan: deleting through
// it could reach a file outside the scanned tree.
constexpr char kThroughLinkReason[] = "路径中的文件夹已变成链接";

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
  std::string checkedFolder;
  for (std::size_t i = 0; i < foundFiles_.size(); ++i) {
    const FoundFile& file = *foundFiles_[i];
    if (file.toDelete == 0) {
      if (isRecycleFinding(file)) recycleFindingKept = true;
      continue;
    }
    const std::string exact = exactPathOf(file);
    if (!foldersStillPlain(exact, file.rootLength, checkedFolder)) {
      stayed[i] = 1;
      reasons[i] = kThroughLinkReason;
      continue;
    }
    // What is already in a bin cannot go to one.
    if (choices_.options.deleteToRecycleBin != 0 && !isRecycleFinding(file)) {
      toRecycle.push_back(exact);
      recycledAt.push_back(i);
      continue;
    }
    switch (platform_.deleteFile(exact, reasons[i])) {
      case RemoveOutcome::Removed:
        ++result.deleted;
        result.bytesFreed += file.size;
        break;
      case RemoveOutcome::Gone:  // its program removed it meanwhile: it only leaves the list
        break;
      case RemoveOutcome::Failed:
        stayed[i] = 1;
        break;
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
    const std::uint32_t hash = PathIndex::hashOf(foundKeyOf(*file));
    appendFinding(std::move(file), hash);
  }
  return result;
}

// The folders below a walk's start were no links when listed. One that has become a link
// since would take the deletion elsewhere: then the file stays. `checked` is the folder
// checked last: files come folder by folder in walk order, so only the folders below
// what a file's folder shares with it are checked again.
bool CleanEngine::foldersStillPlain(const std::string& exact, std::size_t rootLength,
                                    std::string& checked) {
  if (rootLength == 0) return true;
  const char separator = platform_.separator();
  const std::size_t nameStart = exact.rfind(separator) + 1;
  if (nameStart <= rootLength) return true;
  std::size_t shared = 0;
  const std::size_t limit = std::min(checked.size(), nameStart);
  while (shared < limit && checked[shared] == exact[shared]) ++shared;
  // Back to the end of the last whole folder they share, and never above the start.
  while (shared > 0 && exact[shared - 1] != separator) --shared;
  const std::size_t from = std::max(shared, rootLength);
  for (std::size_t end = exact.find(separator, from); end != std::string::npos && end < nameStart;
       end = exact.find(separator, end + 1)) {
    if (!platform_.isPlainFolder(exact.substr(0, end))) {
      checked.clear();
      return false;
    }
  }
  checked.assign(exact, 0, nameStart);
  return true;
}

void CleanEngine::emptyRecycleBin() {
  platform_.emptyRecycleBin();
  recycleBinPending = 0;
}

}  // namespace scourix
