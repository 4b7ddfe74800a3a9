#include "engine/walker.h"

#include <algorithm>

namespace scourix {

bool Walker::walk(const FolderPath& root, WalkSink& sink, Pacer* pacer) {
  file_ = WalkedFile();
  file_.path = root.path;
  file_.exact = root.exact;
  file_.rootLength = root.exact.length();
  open_.clear();
  if (!exclusions_.empty() && exclusions_.excludesFolder(platform_.utf8Of(root.exact))) return true;
  if (std::unique_ptr<DirListing> listing = platform_.openListing(root)) {
    open_.push_back({std::move(listing), 0, 0, file_.path.size(), file_.exact.length()});
    sink.folderOpened(file_.path);
  } else {
    sink.folderUnreadable(file_.path);
  }
  DirEntry entry;
  bool broken = false;
  while (!open_.empty() && !stop_) {
    if (open_.back().listing->next(entry)) {
      if (pacer != nullptr) pacer->step();
      listEntry(entry, sink);
    } else {
      if (open_.back().listing->failed()) {
        broken = true;
        sink.folderUnreadable(file_.path);
      }
      endFolder(sink);
    }
  }
  // A stopped walk still closes the folders left open, so that their findings settle.
  const bool complete = open_.empty() && !broken;
  while (!open_.empty()) endFolder(sink);
  return complete;
}

// One entry of the folder being listed: a subfolder is entered, a file handed on.
void Walker::listEntry(const DirEntry& entry, WalkSink& sink) {
  if (isDotOrDotDot(entry.name)) return;
  if (!sink.entryListed(entry, static_cast<int>(open_.size()) - 1) || excluded(entry)) return;
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

// The exclusion list by UTF-8 text: a folder by its whole path, a file by its name (the
// folders it lies in were checked on the way down).
bool Walker::excluded(const DirEntry& entry) const {
  if (exclusions_.empty()) return false;
  // A name of plain ASCII has no exact spelling of its own.
  const std::string name = entry.exactName.empty() ? entry.name : platform_.utf8Of(ExactPath(entry.exactName));
  if (!entry.isDirectory) return exclusions_.excludesName(name);
  ExactPath folder = file_.exact;
  folder.appendName(entry.name, entry.exactName);
  return exclusions_.excludesFolder(platform_.utf8Of(folder));
}

// A directory already being walked further up would make the walk endless.
bool Walker::onWalkPath(const DirEntry& entry) const {
  if (entry.fileId == 0 && entry.device == 0) return false;
  return std::any_of(open_.begin(), open_.end(), [&](const OpenFolder& folder) {
    return folder.device == entry.device && folder.fileId == entry.fileId;
  });
}

}  // namespace scourix
