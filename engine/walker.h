#pragma once
// The walk that every listing of the scans goes through: the disk scan's drives and the
// trace scan's locations and caches alike. Depth first, in the order of the listings,
// with a stack of open listings instead of recursion, so that no depth of folders
// exhausts a thread's stack. Each subfolder is opened relative to its parent's listing
// without following a link, so that a folder swapped for a link after it was listed
// leads nowhere. Each file is handed on as one WalkedFile; what the user's exclusion list
// names is never entered or handed on.
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "engine/exclusions.h"
#include "engine/found_file.h"
#include "engine/scan_progress.h"
#include "platform/platform.h"

namespace scourix {

// The scan that runs a walk: what it hears of the walk, and where it passes entries over.
// The protection hooks of the disk scan sit in the first three.
class WalkSink {
 public:
  virtual ~WalkSink() = default;
  // A folder's listing starts, the start folder's first; `path` ends with the separator.
  virtual void folderOpened(const std::string& /*path*/) {}
  // An entry of the innermost open folder (depth 0: the start folder's own), before a
  // folder is entered or a file handed on. False: it is passed over.
  virtual bool entryListed(const DirEntry& /*entry*/, int /*depth*/) { return true; }
  // The innermost open folder's listing has ended.
  virtual void folderClosed() {}
  // A folder that exists (the start folder, or one a listing gave) but cannot be listed.
  virtual void folderUnreadable(const std::string& /*path*/) {}
  // A file of the walk; the value lives until the next entry.
  virtual void fileWalked(const WalkedFile& file) = 0;
};

class Walker {
 public:
  // The walk ends early once `stop` is set; it leaves out what `exclusions` names.
  Walker(Platform& platform, const std::atomic<bool>& stop, const Exclusions& exclusions)
      : platform_(platform), stop_(stop), exclusions_(exclusions) {}

  // Walks the tree below `root`. With a pacer, every entry listed is a step of it. False
  // when a stop cut it short or a listing broke off on an error: a folder's listing had
  // not ended, so what the walk has seen of that folder's tree may lack a marker that
  // protects it.
  bool walk(const FolderPath& root, WalkSink& sink, Pacer* pacer = nullptr);

 private:
  // A folder of the walk whose listing is open.
  struct OpenFolder {
    std::unique_ptr<DirListing> listing;
    // Where it leads, as far as its parent's listing told (see DirEntry).
    std::uint64_t device;
    std::uint64_t fileId;
    // The lengths of the paths before its name: restored when its listing ends.
    std::size_t pathEnd;
    std::size_t exactEnd;
  };

  void listEntry(const DirEntry& entry, WalkSink& sink);
  void enterFolder(const DirEntry& entry, WalkSink& sink);
  void endFolder(WalkSink& sink);
  void appendName(const DirEntry& entry);
  bool onWalkPath(const DirEntry& entry) const;
  bool excluded(const DirEntry& entry) const;

  Platform& platform_;
  const std::atomic<bool>& stop_;
  const Exclusions& exclusions_;
  // The open listings from the start down to the folder being listed.
  std::vector<OpenFolder> open_;
  // The folder being listed, in its path and exact path; while a file is handed on, the
  // file's.
  WalkedFile file_;
};

}  // namespace scourix
