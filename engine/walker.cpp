#include "engine/walker.h"

#include <algorithm>

namespace scourix {

void Walker::walk(const FolderPath& root, WalkSink& sink, Pacer* pacer) {
  file_ = WalkedFile();
  file_.path = root.path;
  file_.exact = root.exact;
  file_.rootLength = root.exact.length();
  open_.clear();
  if (std::unique_ptr<DirListing> listing = platform_.openListing(root)) {
    open_.push_back({std::move(listing), 0, 0, file_.path.size(), file_.exact.length()});
    sink.folderOpened(file_.path);
  } else {
    sink.folderUnreadable(file_.path);
  }
  DirEntry entry;
  while (!open_.empty() && !stop_) {
    if (open_.back().listing->next(entry)) {
      if (pacer != nullptr) pacer->step();
      listEntry(entry, sink);
    } else {
      endFolder(sink);
    }
  }
  // A stopped walk still closes the folders left open, so that their findings settle.
  while (!open_.empty()) endFolder(sink);
}

// One entry of the folder being listed: a subfolder is entered, a file handed on.
void Walker::listEntry(const DirEntry& entry, WalkSink& sink) {
  if (isDotOrDotDot(entry.name)) return;
  if (!sink.entryListed(entry, static_cast<int>(open_.size()) - 1)) return;
  if (entry.isDirectory) {
    // Links and junctions lead elsewhere, often back up the tree: never followed.
    if (!entry.isLink && !onWalkPath(entry)) enterFolder(entry, sink);
    return;
  }
  const std::size_t pathEnd = file_.path.size();
  const std::size_t exactEnd = file_.exact.length();
  appendName(entry);
  file_.name = entry.name;
  file_.size = entry.size;
  file_.lastAccess = entry.lastAccess;
  file_.lastWrite = entry.lastWrite;
  file_.creation = entry.creation;
  file_.attributes = entry.attributes;
  file_.fileId = entry.fileId;
  sink.fileWalked(file_);
  file_.path.resize(pathEnd);
  file_.exact.truncate(exactEnd);
}

// Opens a subfolder; its entries come next, before the rest of its parent's.
void Walker::enterFolder(const DirEntry& entry, WalkSink& sink) {
  const std::size_t pathEnd = file_.path.size();
  const std::size_t exactEnd = file_.exact.length();
  appendName(entry);
  file_.path += platform_.separator();
  file_.exact.appendSeparator();
  std::unique_ptr<DirListing> listing = platform_.openSubfolder(*open_.back().listing, entry, file_.path);
  if (!listing) {
    sink.folderUnreadable(file_.path);
    file_.path.resize(pathEnd);
    file_.exact.truncate(exactEnd);
    return;
  }
  open_.push_back({std::move(listing), entry.device, entry.fileId, pathEnd, exactEnd});
  sink.folderOpened(file_.path);
}

// The listing of the innermost open folder has ended: its parent's goes on.
void Walker::endFolder(WalkSink& sink) {
  sink.folderClosed();
  file_.path.resize(open_.back().pathEnd);
  file_.exact.truncate(open_.back().exactEnd);
  open_.pop_back();
}

void Walker::appendName(const DirEntry& entry) {
  file_.path += entry.name;
  file_.exact.appendName(entry.name, entry.exactName);
}

// A directory already being walked further up would make the walk endless.
bool Walker::onWalkPath(const DirEntry& entry) const {
  if (entry.fileId == 0 && entry.device == 0) return false;
  return std::any_of(open_.begin(), open_.end(), [&](const OpenFolder& folder) {
    return folder.device == entry.device && folder.fileId == entry.fileId;
  });
}

}  // namespace scourix
