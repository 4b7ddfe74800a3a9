// The walk that both scans use: depth first, in the order of the listings, with a stack
// of open listings instead of recursion, so that no depth of folders exhausts a thread's
// stack. Each subfolder is opened relative to its parent's listing without following a
// link, so that a folder swapped for a link after it was listed leads nowhere.
#include <algorithm>

#include "engine/clean_engine.h"
#include "engine/trace_locations.h"

namespace scourix {

void CleanEngine::walkDirectory(const std::string& dir, const std::string& label) {
  walkPath_ = withSeparator(dir);
  walkExact_ = platform_.exactPathOf(walkPath_);
  walkRootLength_ = walkExact_.size();
  openFolders_.clear();
  protection_.start(label.empty() && protecting_, walkPath_, platform_.separator(), platform_.codePage());
  if (std::unique_ptr<DirListing> listing = platform_.openListing(walkPath_)) {
    openFolders_.push_back({std::move(listing), 0, 0, walkPath_.size(), walkExact_.size()});
    protection_.folderOpened(walkPath_, foundFiles_);
  } else if (!label.empty()) {
    // Every folder a trace walk starts from exists: it was found by a listing.
    noteUnreadable(walkPath_);
  }
  DirEntry entry;
  while (!openFolders_.empty() && !stopRequested_) {
    if (openFolders_.back().listing->next(entry)) {
      listEntry(entry, label);
    } else {
      endFolder();
    }
  }
  // A stopped walk still settles what it found in the folders left open.
  while (!openFolders_.empty()) endFolder();
}

// One entry of the folder being listed: a subfolder is entered, a file handed to the scan.
void CleanEngine::listEntry(const DirEntry& entry, const std::string& label) {
  if (!label.empty()) paceStep();
  if (isDotOrDotDot(entry.name)) return;
  protection_.entryListed(entry, foundFiles_);
  if (entry.isDirectory) {
    // Links and junctions lead elsewhere, often back up the tree: never followed.
    if (!entry.isLink && !onWalkPath(entry)) enterFolder(entry, label);
    return;
  }
  const std::size_t pathEnd = walkPath_.size();
  const std::size_t exactEnd = walkExact_.size();
  appendName(entry);
  offeredExact_ = &walkExact_;
  if (label.empty()) {
    classifyFile(entry.name, walkPath_, entry.lastAccess, entry.lastWrite, entry.size);
  } else {
    listTraceFile(entry, walkPath_, label);
  }
  offeredExact_ = nullptr;
  walkPath_.resize(pathEnd);
  walkExact_.resize(exactEnd);
}

// Opens a subfolder; its entries come next, before the rest of its parent's.
void CleanEngine::enterFolder(const DirEntry& entry, const std::string& label) {
  const std::size_t pathEnd = walkPath_.size();
  const std::size_t exactEnd = walkExact_.size();
  appendName(entry);
  walkPath_ += platform_.separator();
  walkExact_ += platform_.separator();
  std::unique_ptr<DirListing> listing =
      platform_.openSubfolder(*openFolders_.back().listing, entry, walkPath_);
  if (!listing) {
    if (!label.empty()) noteUnreadable(walkPath_);
    walkPath_.resize(pathEnd);
    walkExact_.resize(exactEnd);
    return;
  }
  openFolders_.push_back({std::move(listing), entry.device, entry.fileId, pathEnd, exactEnd});
  protection_.folderOpened(walkPath_, foundFiles_);
}

// The listing of the innermost open folder has ended: its parent's goes on.
void CleanEngine::endFolder() {
  protection_.folderClosed(foundFiles_);
  walkPath_.resize(openFolders_.back().pathEnd);
  walkExact_.resize(openFolders_.back().exactEnd);
  openFolders_.pop_back();
}

void CleanEngine::appendName(const DirEntry& entry) {
  walkPath_ += entry.name;
  walkExact_ += entry.exactName.empty() ? entry.name : entry.exactName;
}

// A directory already being walked further up would make the walk endless.
bool CleanEngine::onWalkPath(const DirEntry& entry) const {
  if (entry.fileId == 0 && entry.device == 0) return false;
  return std::any_of(openFolders_.begin(), openFolders_.end(), [&](const OpenFolder& folder) {
    return folder.device == entry.device && folder.fileId == entry.fileId;
  });
}

void CleanEngine::listTraceFile(const DirEntry& entry, const std::string& path,
                                const std::string& label) {
  countExamined();
  setCurrentPath(path);
  if (isTraceIndexFile(platform_.codePage().lower(entry.name))) return;
  offerFinding(entry.lastAccess, entry.lastWrite, entry.size, entry.name, path, label);
  raiseProgress();
}

}  // namespace scourix
