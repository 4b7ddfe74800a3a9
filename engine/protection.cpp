#include "engine/protection.h"

#include <algorithm>
#include <initializer_list>

#include "engine/name_match.h"

namespace scourix {
namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// `text` from byte `at` on equals `lower` (all ASCII) but for the case of its letters.
// Every byte compared is ASCII, so none is a lead byte; only the start must be checked
// for being the trail byte of a double-byte character.
bool matchesAt(const CodePage& codePage, std::string_view text, std::size_t at,
               std::string_view lower) {
  if (text.size() - at != lower.size()) return false;
  for (std::size_t i = 0; i < lower.size(); ++i) {
    if (lowerAscii(text[at + i]) != lower[i]) return false;
  }
  return at == 0 || startsCharacter(codePage, text, at);
}

bool isOneOf(const CodePage& codePage, std::string_view name,
             std::initializer_list<std::string_view> lowerNames) {
  return std::any_of(lowerNames.begin(), lowerNames.end(), [&](std::string_view lower) {
    return name.size() == lower.size() && matchesAt(codePage, name, 0, lower);
  });
}

bool isProgramFile(std::string_view name, const CodePage& codePage) {
  if (name.size() > 4 && name[name.size() - 4] == '.') {
    for (std::string_view ending : {".exe", ".dll", ".sys", ".ocx", ".cpl", ".pyd"}) {
      if (matchesAt(codePage, name, name.size() - 4, ending)) return true;
    }
  }
  return name.size() > 3 && matchesAt(codePage, name, name.size() - 3, ".so");
}

void protect(FoundFile& file) {
  file.isProtected = 1;
  file.toDelete = 0;
}

}  // namespace

unsigned heldTraits(std::string_view name, bool isDirectory, const CodePage& codePage) {
  // A checkout's .git is a folder; in a linked worktree or a submodule it is a file.
  if (isOneOf(codePage, name, {".git"})) return kHoldsRepository;
  if (isDirectory) return isOneOf(codePage, name, {"system32"}) ? kHoldsSystem32 : 0;
  if (isOneOf(codePage, name, {"pyvenv.cfg"})) return kHoldsRepository;
  return isProgramFile(name, codePage) ? kHoldsProgram : 0;
}

unsigned folderTraits(std::string_view name, bool rootLevel, const CodePage& codePage) {
  if (isOneOf(codePage, name,
              {".git", ".svn", ".hg", "node_modules", "site-packages", "dist-packages"})) {
    return kSoftwareTree;
  }
  unsigned traits = 0;
  if (isOneOf(codePage, name, {"temp", "tmp", "cache"})) traits |= kTemporary;
  if (isOneOf(codePage, name, {"temp", "logs"})) traits |= kWindowsJunk;
  if (rootLevel) {
    if (isOneOf(codePage, name, {"program files", "program files (x86)", "programdata"})) {
      traits |= kSystemFolder;
    }
    if (isOneOf(codePage, name, {"windows"})) traits |= kWindowsFolder;
  }
  return traits;
}

void ProtectionTracker::start(bool active, const std::string& dir, char separator,
                              const CodePage& codePage) {
  active_ = active;
  separator_ = separator;
  codePage_ = &codePage;
  open_.clear();
  emptyFilePending_ = false;
  // "X:\" is depth 0; a walk may start further down.
  startDepth_ = static_cast<int>(std::count(dir.begin(), dir.end(), separator)) - 1;
}

void ProtectionTracker::folderOpened(const std::string& dir, Findings& found) {
  if (!active_) return;
  settleEmptyFile(found);
  const int depth = open_.empty() ? startDepth_ : open_.back().depth + 1;
  const std::size_t nameEnd = dir.size() - 1;
  const std::size_t slash = codePage_->lastOf(std::string_view(dir).substr(0, nameEnd), separator_);
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const unsigned traits = folderTraits(std::string_view(dir).substr(nameStart, nameEnd - nameStart),
                                       depth == 1, *codePage_);
  const bool temporary = (traits & kTemporary) != 0 || (!open_.empty() && open_.back().temporary);
  open_.push_back({found.count(), dir.size(), depth, traits, 0, temporary});
}

void ProtectionTracker::entryListed(const DirEntry& entry, Findings& found) {
  if (!active_ || open_.empty()) return;
  settleEmptyFile(found);
  Folder& folder = open_.back();
  folder.held |= heldTraits(entry.name, entry.isDirectory, *codePage_);
  if (!entry.isDirectory && entry.size == 0 && !folder.temporary) {
    emptyFilePending_ = true;
    emptyFileFindings_ = found.count();
  }
}

void ProtectionTracker::folderClosed(Findings& found) {
  if (!active_ || open_.empty()) return;
  settleEmptyFile(found);
  const Folder folder = open_.back();
  open_.pop_back();
  const bool wholeTree = (folder.traits & (kSoftwareTree | kSystemFolder)) != 0 ||
                         (folder.held & kHoldsRepository) != 0;
  const bool windows = (folder.traits & kWindowsFolder) != 0 || (folder.held & kHoldsSystem32) != 0;
  const bool ownFiles = (folder.held & kHoldsProgram) != 0;
  if (!wholeTree && !windows && !ownFiles) return;
  for (int i = folder.firstFinding; i < found.count(); ++i) {
    FoundFile& file = found.at(i);
    if (file.isProtected != 0) continue;
    if (wholeTree || (windows && !inWindowsJunk(file, folder.pathLength)) ||
        (ownFiles && directChild(file, folder.pathLength))) {
      protect(file);
    }
  }
}

// The findings since the empty file was listed are its own.
void ProtectionTracker::settleEmptyFile(Findings& found) {
  if (!emptyFilePending_) return;
  emptyFilePending_ = false;
  for (int i = emptyFileFindings_; i < found.count(); ++i) protect(found.at(i));
}

bool ProtectionTracker::directChild(const FoundFile& file, std::size_t pathLength) const {
  return codePage_->firstOf(file.path, separator_, pathLength) == std::string::npos;
}

bool ProtectionTracker::inWindowsJunk(const FoundFile& file, std::size_t pathLength) const {
  const std::size_t end = codePage_->firstOf(file.path, separator_, pathLength);
  if (end == std::string::npos) return false;
  const std::string_view child = std::string_view(file.path).substr(pathLength, end - pathLength);
  return (folderTraits(child, false, *codePage_) & kWindowsJunk) != 0;
}

}  // namespace scourix
