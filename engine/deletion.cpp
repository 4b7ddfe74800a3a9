#include "engine/deletion.h"

#include <algorithm>

#include "engine/trace_locations.h"

namespace scourix {
namespace {

bool isRecycleFinding(const FoundFile& file) {
  return file.category == kRecycledLabel || file.category == kRecyclerLabel || file.category == kRecycleBinLabel;
}

// A folder on the file's path was swapped for a link after the scan: deleting through
// it could reach a file outside the scanned tree.
constexpr char kThroughLinkReason[] = "路径中的文件夹已变成链接";

// The folders below a walk's start were no links when listed. One that has become a link
// since would take the deletion elsewhere: then the file stays. Files come folder by
// folder in walk order, so only the folders below what a file's folder shares with the
// one checked last are checked again.
class LinkCheck {
 public:
  explicit LinkCheck(Platform& platform) : platform_(platform) {}

  bool foldersStillPlain(const FoundFile& file) {
    if (file.rootLength == 0) return true;
    const ExactPath& exact = file.exact;
    const std::size_t nameStart = exact.nameStart();
    if (nameStart <= file.rootLength) return true;
    std::size_t shared = std::min(exact.sharedLength(checked_), nameStart);
    // Back to the end of the last whole folder they share, and never above the start.
    while (shared > 0 && !exact.isSeparatorAt(shared - 1)) --shared;
    for (std::size_t end = exact.separatorFrom(std::max(shared, file.rootLength)); end < nameStart;
         end = exact.separatorFrom(end + 1)) {
      if (!platform_.isPlainFolder(exact.prefix(end))) {
        checked_ = ExactPath();
        return false;
      }
    }
    checked_ = exact.prefix(nameStart);
    return true;
  }

 private:
  Platform& platform_;
  ExactPath checked_;  // the folder of the file checked last, with its separator
};

}  // namespace

DeletionResult deleteTickedFindings(Findings& findings, Platform& platform, const CleanOptions& options) {
  DeletionResult result;
  // The worker empties and fills the list until its walk is over; from then on (its
  // "扫描完毕" box included) the list is the windows'.
  if (findings.workerOwns()) return result;
  const bool toBin = options.deleteToRecycleBin != 0;
  bool recycleFindingKept = false;
  const int count = findings.count();
  // Per finding: whether it stays, and why.
  std::vector<char> stays(count, 0);
  std::vector<std::string> reasons(count);
  std::vector<ExactPath> toRecycle;
  std::vector<int> recycledAt;
  LinkCheck links(platform);
  for (int i = 0; i < count; ++i) {
    const FoundFile& file = findings.at(i);
    if (file.toDelete == 0) {
      if (isRecycleFinding(file)) recycleFindingKept = true;
      continue;
    }
    if (!links.foldersStillPlain(file)) {
      stays[i] = 1;
      reasons[i] = kThroughLinkReason;
      continue;
    }
    // What is already in a bin cannot go to one.
    if (toBin && !isRecycleFinding(file)) {
      toRecycle.push_back(file.exact);
      recycledAt.push_back(i);
      continue;
    }
    switch (platform.deleteFile(file.exact, reasons[i])) {
      case RemoveOutcome::Removed:
        ++result.deleted;
        result.bytesFreed += file.size;
        break;
      case RemoveOutcome::Gone:  // its program removed it meanwhile: it only leaves the list
        break;
      case RemoveOutcome::Failed:
        stays[i] = 1;
        break;
    }
  }

  if (findings.coversRecycleBin()) {
    findings.setCoversRecycleBin(false);
    // Unless the user unticked something in the bin: emptying it would destroy what they kept.
    if (!recycleFindingKept) {
      platform.emptyRecycleBin();
      result.recycleBinEmptied = true;
    }
  }
  // Only now, so that emptying the bin does not take what this deletion put in it.
  if (!toRecycle.empty()) {
    const std::vector<std::string> answers = platform.recycleFiles(toRecycle);
    for (std::size_t j = 0; j < recycledAt.size(); ++j) {
      const int at = recycledAt[j];
      if (answers[j].empty()) {
        ++result.recycled;
        result.bytesRecycled += findings.at(at).size;
      } else {
        stays[at] = 1;
        reasons[at] = answers[j];
      }
    }
  }

  for (int i = 0; i < count; ++i) {
    if (stays[i] == 0) continue;
    ++result.failed;
    result.failures.push_back({findings.at(i).path, findings.at(i).category, reasons[i]});
  }
  findings.keep(stays);
  return result;
}

}  // namespace scourix
