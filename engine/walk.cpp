// The recursive walk that both scans use.
#include <algorithm>

#include "engine/clean_engine.h"
#include "engine/trace_locations.h"

namespace scourix {
namespace {

bool isDotOrDotDot(const std::string& name) { return name == "." || name == ".."; }

}  // namespace

void CleanEngine::walkDirectory(const std::string& dir, const std::string& label) {
  std::string path = withSeparator(dir);
  walkStack_.clear();
  protection_.start(label.empty() && protecting_, path, platform_.separator(),
                    platform_.codePage());
  walkInto(path, label);
}

// `dir` ends with the separator; it grows by each entry's name and is restored, so the
// whole walk works in one buffer.
void CleanEngine::walkInto(std::string& dir, const std::string& label) {
  const std::unique_ptr<DirListing> listing = platform_.openListing(dir);
  if (!listing) return;
  protection_.folderOpened(dir, foundFiles_);
  const std::size_t base = dir.size();
  const char separator = platform_.separator();
  DirEntry entry;
  while (!stopRequested_ && listing->next(entry)) {
    if (!label.empty()) paceStep();
    if (isDotOrDotDot(entry.name)) continue;
    protection_.entryListed(entry, foundFiles_);
    if (entry.isDirectory) {
      // Links and junctions lead elsewhere, often back up the tree: never followed.
      if (entry.isLink || onWalkPath(entry)) continue;
      const bool known = entry.fileId != 0 || entry.device != 0;
      if (known) walkStack_.push_back({entry.device, entry.fileId});
      dir.append(entry.name);
      dir += separator;
      walkInto(dir, label);
      dir.resize(base);
      if (known) walkStack_.pop_back();
      continue;
    }
    dir.append(entry.name);
    if (label.empty()) {
      classifyFile(entry.name, dir, entry.lastAccess, entry.lastWrite, entry.size);
    } else {
      listTraceFile(entry, dir, label);
    }
    dir.resize(base);
  }
  protection_.folderClosed(foundFiles_);
}

// A directory already being walked further up would make the walk endless.
bool CleanEngine::onWalkPath(const DirEntry& entry) const {
  if (entry.fileId == 0 && entry.device == 0) return false;
  return std::any_of(walkStack_.begin(), walkStack_.end(), [&](const DirectoryId& id) {
    return id.device == entry.device && id.fileId == entry.fileId;
  });
}

void CleanEngine::listTraceFile(const DirEntry& entry, const std::string& path,
                                const std::string& label) {
  countExamined();
  setCurrentPath(path);
  if (isTraceIndexFile(platform_.codePage().lower(entry.name))) return;
  offerFinding(entry.lastAccess, entry.lastWrite, entry.name, path, label);
  raiseProgress();
}

}  // namespace scourix
