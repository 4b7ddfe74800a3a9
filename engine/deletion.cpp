#include "engine/deletion.h"

#include <algorithm>
#include <map>
#include <utility>
#include <set>

namespace scourix {
namespace {

// A folder on the file's path was swapped for a link after the scan: deleting through
// it could reach a file outside the scanned tree.
constexpr char kThroughLinkReason[] = "路径中的文件夹已变成链接";
// Another file took the listed one's place (a reused name, a folder its program made
// anew): it was never shown, so it stays.
constexpr char kChangedReason[] = "文件在扫描后已被更改";
// A finding's marks in `stays`: it stays, and is no failure: held by its service, or
// left to the system's own cleanup.
constexpr char kStaysInUse = 2;
constexpr char kStaysForSystem = 3;
// Windows protects these files and keeps its own cleanup for them; taking them one by one
// would leave a broken half of an installation.
constexpr char kSystemCleanupReason[] = "请用 Windows 的磁盘清理删除";

// The folders below a walk's start were no links when listed. One that has become a link
// since would take the deletion elsewhere: then the file stays. One that is gone took its
// files with it. Files come folder by folder in walk order, so only the folders below
// what a file's folder shares with the one checked last are checked again.
class FolderCheck {
 public:
  explicit FolderCheck(Platform& platform) : platform_(platform) {}

  FolderState foldersOf(const FoundFile& file, const ExactPath& exact) {
    if (file.rootLength == 0) return FolderState::Plain;
    const std::size_t nameStart = exact.nameStart();
    if (nameStart <= file.rootLength) return FolderState::Plain;
    std::size_t shared = std::min(exact.sharedLength(checked_), nameStart);
    // Back to the end of the last whole folder they share, and never above the start.
    while (shared > 0 && !exact.isSeparatorAt(shared - 1)) --shared;
    for (std::size_t end = exact.separatorFrom(std::max<std::size_t>(shared, file.rootLength)); end < nameStart;
         end = exact.separatorFrom(end + 1)) {
      const FolderState state = platform_.folderState(exact.prefix(end));
      if (state != FolderState::Plain) {
        checked_ = ExactPath();
        return state;
      }
    }
    checked_ = exact.prefix(nameStart);
    return FolderState::Plain;
  }

 private:
  Platform& platform_;
  ExactPath checked_;  // the folder of the file checked last, with its separator
};

// Whether the file the walk listed is still the one at its path. What the system will not
// tell is left to the deletion, which reports why it fails.
FileLookup lookUpListed(Platform& platform, const FoundFile& file, const ExactPath& exact, bool& changed) {
  FileFacts now;
  const FileLookup lookup = platform.lookUpFile(exact, now);
  const bool sameId = now.fileId == 0 || file.fileId == 0 || now.fileId == file.fileId;
  changed = lookup == FileLookup::Found && (!sameId || now.size != file.size || now.lastWrite != file.lastWrite);
  return lookup;
}

// Vista's bin keeps each recycled item as "$R<x>" (a file or a folder) in a folder per
// user, beside its record "$I<x>". Where the item of a finding of such a bin starts, and
// where it ends (npos: the finding is the item itself); false for findings of no such bin.
bool binItemOf(const FoundFile& file, const ExactPath& exact, std::size_t& start, std::size_t& end) {
  if (file.bin != RecycleBin::Vista || file.rootLength == 0) return false;
  std::size_t user = file.rootLength;
  if (exact.isSeparatorAt(user - 1) == false && exact.isSeparatorAt(user)) ++user;
  const std::size_t userEnd = exact.separatorFrom(user);
  if (userEnd == ExactPath::npos) return false;
  start = userEnd + 1;
  end = exact.separatorFrom(start);
  return exact.hasAsciiAt(start, '$');
}

// The record of a recycled item as a key; empty when the finding is no part of one.
std::string recordKeyOf(const FoundFile& file, const ExactPath& exact) {
  std::size_t start = 0, end = 0;
  if (!binItemOf(file, exact, start, end) || !exact.hasAsciiAt(start + 1, 'R')) return std::string();
  const std::size_t length = end == ExactPath::npos ? exact.length() : end;
  return std::string(exact.prefixWithAsciiAt(length, start + 1, 'I').key());
}

// The folder of a recycled folder item ("$R<x>") and its folders above the file, each
// ending before its separator; none for a file item or a finding of no such bin.
std::vector<ExactPath> itemFoldersOf(const FoundFile& file, const ExactPath& exact) {
  std::vector<ExactPath> folders;
  std::size_t start = 0, end = 0;
  if (!binItemOf(file, exact, start, end) || end == ExactPath::npos || !exact.hasAsciiAt(start + 1, 'R')) return folders;
  const std::size_t nameStart = exact.nameStart();
  for (std::size_t at = end; at != ExactPath::npos && at < nameStart; at = exact.separatorFrom(at + 1)) {
    folders.push_back(exact.prefix(at));
  }
  return folders;
}

bool isRecord(const FoundFile& file, const ExactPath& exact) {
  std::size_t start = 0, end = 0;
  return binItemOf(file, exact, start, end) && end == ExactPath::npos && exact.hasAsciiAt(start + 1, 'I');
}

}  // namespace

DeletionResult deleteTickedFindings(Findings& findings, Platform& platform, const CleanOptions& options) {
  DeletionResult result;
  // The worker empties and fills the list until its walk is over; from then on (its
  // "扫描完毕" box included) the list is the windows'.
  if (findings.workerOwns()) return result;
  const bool toBin = options.deleteToRecycleBin != 0;
  const int count = findings.count();
  // Per finding: whether it stays, and why.
  std::vector<char> stays(count, 0);
  std::vector<std::string> reasons(count);
  std::vector<ExactPath> toRecycle;
  std::vector<int> recycledAt;
  std::set<std::uint64_t> queuedIds;  // of the files in `toRecycle`
  std::vector<int> waiting;           // findings of a file already in `toRecycle`
  // The bin's records go last, each only when nothing of its item stays.
  std::vector<int> records;
  std::set<std::string> keptRecords;
  // The folders of recycled folder items with ticked files, by their key: the record of
  // the item each belongs to, and the folder.
  std::map<std::string, std::pair<std::string, ExactPath>> itemFolders;
  FolderCheck folders(platform);
  const auto remove = [&](int i, const ExactPath& exact) {
    const FoundFile& file = findings.at(i);
    if (file.systemCleanupOnly) {
      stays[i] = kStaysForSystem;
      reasons[i] = kSystemCleanupReason;
      return;
    }
    const FolderState state = folders.foldersOf(file, exact);
    if (state == FolderState::Missing) {  // gone with its folder: it only leaves the list
      result.skipped.push_back(exact);
      return;
    }
    if (state == FolderState::Other) {
      stays[i] = 1;
      reasons[i] = kThroughLinkReason;
      return;
    }
    bool changed = false;
    if (lookUpListed(platform, file, exact, changed) == FileLookup::Gone) {
      result.skipped.push_back(exact);
      return;
    }
    if (changed) {
      stays[i] = 1;
      reasons[i] = kChangedReason;
      return;
    }
    // What is already in a bin cannot go to one.
    if (toBin && file.bin == RecycleBin::None) {
      // The same file by another spelling ("C:\\WINDOWS", "C:\\Windows") or name (a hard
      // link) waits for the next operation: the bin would be handed it twice.
      if (file.fileId != 0 && !queuedIds.insert(file.fileId).second) {
        waiting.push_back(i);
        return;
      }
      toRecycle.push_back(exact);
      recycledAt.push_back(i);
      return;
    }
    switch (platform.deleteFile(exact, reasons[i])) {
      case RemoveOutcome::Removed:
        ++result.deleted;
        result.bytesFreed += file.size;
        break;
      case RemoveOutcome::Gone:  // its program removed it meanwhile: it only leaves the list
        result.skipped.push_back(exact);
        break;
      case RemoveOutcome::Failed:
        stays[i] = 1;
        break;
      case RemoveOutcome::InUse:
        stays[i] = file.skipInUse ? kStaysInUse : 1;
        break;
    }
  };
  for (int i = 0; i < count; ++i) {
    const FoundFile& file = findings.at(i);
    const ExactPath exact = file.exact();
    if (isRecord(file, exact)) {
      if (file.toDelete != 0) records.push_back(i);
      continue;
    }
    if (file.toDelete != 0) {
      remove(i, exact);
      for (ExactPath& folder : itemFoldersOf(file, exact)) {
        std::string key(folder.key());
        itemFolders.emplace(std::move(key), std::make_pair(recordKeyOf(file, exact), std::move(folder)));
      }
    }
    // An item the user kept, or that could not go, keeps its record: without it the bin
    // would no longer show the item, nor restore it.
    if (file.toDelete == 0 || stays[i] != 0) {
      const std::string record = recordKeyOf(file, exact);
      if (!record.empty()) keptRecords.insert(record);
    }
  }
  // A folder item whose files all went goes too, deepest folder first (a folder's key
  // sorts before those below it); one that keeps anything keeps its record.
  for (auto folder = itemFolders.rbegin(); folder != itemFolders.rend(); ++folder) {
    const std::string& record = folder->second.first;
    if (keptRecords.count(record) == 0 && !platform.removeEmptyFolder(folder->second.second)) keptRecords.insert(record);
  }
  for (int i : records) {
    const ExactPath exact = findings.at(i).exact();
    if (keptRecords.count(std::string(exact.key())) == 0) {
      remove(i, exact);
    } else {
      result.skipped.push_back(exact);
    }
  }
  // A file that waited is looked up again: gone with its other spelling, it only leaves
  // the list; another name of the file goes in the next operation.
  while (!toRecycle.empty()) {
    const std::vector<RecycleAnswer> answers = platform.recycleFiles(toRecycle);
    for (std::size_t j = 0; j < recycledAt.size(); ++j) {
      const int at = recycledAt[j];
      if (answers[j].outcome == RecycleAnswer::InBin) {
        ++result.recycled;
        result.bytesRecycled += findings.at(at).size;
      } else {
        if (answers[j].outcome == RecycleAnswer::BinRefused) ++result.binRefused;
        const bool skipped = answers[j].outcome == RecycleAnswer::InUse && findings.at(at).skipInUse;
        stays[at] = skipped ? kStaysInUse : 1;
        reasons[at] = answers[j].reason;
      }
    }
    toRecycle.clear();
    recycledAt.clear();
    queuedIds.clear();
    for (const int i : std::exchange(waiting, {})) remove(i, findings.at(i).exact());
  }

  for (int i = 0; i < count; ++i) {
    if (stays[i] == 0) continue;
    const FoundFile& file = findings.at(i);
    const DeletionFailure why{file.path(), file.exact(), file.category(), reasons[i]};
    if (stays[i] == kStaysInUse) {
      result.inUse.push_back(why);
      continue;
    }
    if (stays[i] == kStaysForSystem) {
      result.systemCleanup.push_back(why);
      continue;
    }
    ++result.failed;
    result.failures.push_back(why);
  }
  findings.keep(stays);
  return result;
}

}  // namespace scourix
