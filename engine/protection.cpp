#include "engine/protection.h"

#include <algorithm>
#include <initializer_list>

#include "engine/browser_caches.h"
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

bool endsWithAny(const CodePage& codePage, std::string_view name,
                 std::initializer_list<std::string_view> lowerEndings) {
  return std::any_of(lowerEndings.begin(), lowerEndings.end(), [&](std::string_view ending) {
    return name.size() > ending.size() && matchesAt(codePage, name, name.size() - ending.size(), ending);
  });
}

bool startsWithLower(std::string_view name, std::string_view lowerPrefix) {
  if (name.size() < lowerPrefix.size()) return false;
  for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
    if (lowerAscii(name[i]) != lowerPrefix[i]) return false;
  }
  return true;
}

unsigned stateTraits(std::string_view name, const CodePage& codePage) {
  unsigned traits = 0;
  if (isOneOf(codePage, name, {"current"})) traits |= kHoldsLevelDbCurrent;
  if (startsWithLower(name, "manifest-")) traits |= kHoldsLevelDbManifest;
  if (endsWithAny(codePage, name, {".edb", ".jrs", ".jfm", ".jcp"})) traits |= kHoldsEseDatabase;
  if (endsWithAny(codePage, name, {".chk"})) traits |= kHoldsCheckpoint;
  if (endsWithAny(codePage, name, {".log", ".jtx"})) traits |= kHoldsTransactionLog;
  if (isOneOf(codePage, name, {"local state", "preferences", "prefs.js"})) traits |= kHoldsBrowserProfile;
  return traits;
}

// The database a SQLite journal's name belongs to (lower-cased); empty for other names.
std::string journaledDatabase(const CodePage& codePage, const std::string& name) {
  for (std::string_view ending : {"-journal", "-wal", "-shm"}) {
    if (endsWithAny(codePage, name, {ending})) return codePage.lower(name.substr(0, name.size() - ending.size()));
  }
  return {};
}

bool contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace

void protect(FoundFile& file) {
  file.isProtected = 1;
  file.toDelete = 0;
}

UserPlaces UserPlaces::of(Platform& platform) {
  const CodePage& codePage = platform.codePage();
  UserPlaces places;
  if (const FolderPath folder = platform.profilesDirectory(); !folder.path.empty()) {
    places.profilesFolders.push_back(codePage.lower(folder.path));
  }
  for (const FolderPath& profile : platform.registeredProfiles()) {
    places.profiles.push_back(codePage.lower(codePage.withSeparator(profile.path, platform.separator())));
  }
  for (const FolderPath& folder : platform.userFolders()) {
    places.userFolders.push_back(codePage.lower(codePage.withSeparator(folder.path, platform.separator())));
  }
  return places;
}

unsigned heldTraits(std::string_view name, bool isDirectory, const CodePage& codePage) {
  // A checkout's .git is a folder; in a linked worktree or a submodule it is a file.
  if (isOneOf(codePage, name, {".git"}) || (isDirectory && isOneOf(codePage, name, {".svn", ".hg"}))) {
    return kHoldsRepository;
  }
  if (isDirectory) return isOneOf(codePage, name, {"system32"}) ? kHoldsSystem32 : 0;
  if (isOneOf(codePage, name, {"pyvenv.cfg"})) return kHoldsRepository;
  return (isProgramFile(name, codePage) ? kHoldsProgram : 0) | stateTraits(name, codePage);
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
    // An old installation (and an upgrade's own folders) holds a whole system with its
    // users' files: Windows' own cleanup takes it, never a file at a time.
    if (isOneOf(codePage, name, {"program files", "program files (x86)", "programdata", "windows.old",
                                 "$windows.~bt", "$windows.~ws"})) {
      traits |= kSystemFolder;
    }
    if (isOneOf(codePage, name, {"windows"})) traits |= kWindowsFolder;
  }
  return traits;
}

void ProtectionTracker::start(bool active, const std::string& dir, char separator,
                              const CodePage& codePage, UserPlaces places) {
  active_ = active;
  places_ = std::move(places);
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
  const std::string_view name = std::string_view(dir).substr(nameStart, nameEnd - nameStart);
  const unsigned traits = folderTraits(name, depth == 1, *codePage_);
  const bool temporary = (traits & kTemporary) != 0 || (!open_.empty() && open_.back().temporary);
  const unsigned place = placeOf(dir, name, depth);
  const bool userOwn =
      !temporary && ((place & kUserFolder) != 0 || (!open_.empty() && open_.back().userOwn));
  open_.push_back({found.count(), dir.size(), depth, traits, 0, temporary, place, userOwn, {}});
}

// Profiles lie in a profiles folder: the platform's, or Users or Documents and Settings
// in a drive's root (also another drive's, an older system's); a user's own folders in a
// profile.
unsigned ProtectionTracker::placeOf(const std::string& dir, std::string_view name, int depth) const {
  const unsigned parent = open_.empty() ? 0 : open_.back().place;
  const std::string lower = codePage_->lower(dir);
  unsigned place = 0;
  if ((depth == 1 && isOneOf(*codePage_, name, {"users", "documents and settings"})) ||
      contains(places_.profilesFolders, lower)) {
    place |= kProfilesFolder;
  }
  if ((parent & kProfilesFolder) != 0 || contains(places_.profiles, lower)) place |= kProfile;
  if (((parent & kProfile) != 0 &&
       // An older system's too: "My Documents", and the desktop by its Chinese name.
       (isOneOf(*codePage_, name, {"desktop", "documents", "downloads", "pictures", "music", "videos",
                                   "saved games", "favorites", "my documents", "桌面"}) ||
        startsWithLower(name, "onedrive"))) ||
      contains(places_.userFolders, lower)) {
    place |= kUserFolder;
  }
  return place;
}

void ProtectionTracker::entryListed(const DirEntry& entry, Findings& found) {
  if (!active_ || open_.empty()) return;
  settleEmptyFile(found);
  Folder& folder = open_.back();
  folder.held |= heldTraits(entry.name, entry.isDirectory, *codePage_);
  if (!entry.isDirectory) folder.fileNames.push_back(codePage_->lower(entry.name));
  if (!entry.isDirectory && entry.size == 0 && !folder.temporary) {
    emptyFilePending_ = true;
    emptyFileFindings_ = found.count();
  }
}

void ProtectionTracker::folderClosed(Findings& found) {
  if (!active_ || open_.empty()) return;
  settleEmptyFile(found);
  const Folder folder = std::move(open_.back());
  open_.pop_back();
  for (int i = folder.firstFinding; i < found.count(); ++i) {
    FoundFile& file = found.at(i);
    if (file.isProtected != 0) continue;
    path_.clear();
    file.appendPath(path_);
    if (protects(folder, file.name(), path_)) protect(file);
  }
}

// Whether what the folder's name, place and listing tell protects a finding of its tree.
bool ProtectionTracker::protects(const Folder& folder, std::string_view name, std::string_view path) const {
  if ((folder.traits & (kSoftwareTree | kSystemFolder)) != 0 || (folder.held & kHoldsRepository) != 0) {
    return true;
  }
  if (((folder.traits & kWindowsFolder) != 0 || (folder.held & kHoldsSystem32) != 0) &&
      !inWindowsJunk(path, folder.pathLength)) {
    return true;
  }
  if ((folder.held & kHoldsBrowserProfile) != 0 && !inBrowserCache(path, folder.pathLength)) return true;
  if (!directChild(path, folder.pathLength)) return false;
  const unsigned held = folder.held;
  if ((held & kHoldsProgram) != 0 || folder.userOwn) return true;
  if ((held & kHoldsEseDatabase) != 0 || (held & (kHoldsCheckpoint | kHoldsTransactionLog)) ==
                                             (kHoldsCheckpoint | kHoldsTransactionLog)) {
    return true;
  }
  if ((held & (kHoldsLevelDbCurrent | kHoldsLevelDbManifest)) ==
          (kHoldsLevelDbCurrent | kHoldsLevelDbManifest) &&
      !isOneOf(*codePage_, name, {"log", "log.old"})) {
    return true;
  }
  const std::string database = journaledDatabase(*codePage_, std::string(name));
  return !database.empty() && contains(folder.fileNames, database);
}

// The file lies in a cache folder directly in the browser's folder or in a profile of it.
bool ProtectionTracker::inBrowserCache(std::string_view path, std::size_t pathLength) const {
  std::size_t start = pathLength;
  for (int level = 0; level < 2; ++level) {
    const std::size_t end = codePage_->firstOf(path, separator_, start);
    if (end == std::string::npos) return false;
    if (isBrowserCacheFolder(codePage_->lower(path.substr(start, end - start)))) return true;
    start = end + 1;
  }
  return false;
}

// The findings since the empty file was listed are its own.
void ProtectionTracker::settleEmptyFile(Findings& found) {
  if (!emptyFilePending_) return;
  emptyFilePending_ = false;
  for (int i = emptyFileFindings_; i < found.count(); ++i) protect(found.at(i));
}

bool ProtectionTracker::directChild(std::string_view path, std::size_t pathLength) const {
  return codePage_->firstOf(path, separator_, pathLength) == std::string::npos;
}

bool ProtectionTracker::inWindowsJunk(std::string_view path, std::size_t pathLength) const {
  const std::size_t end = codePage_->firstOf(path, separator_, pathLength);
  if (end == std::string::npos) return false;
  const std::string_view child = path.substr(pathLength, end - pathLength);
  return (folderTraits(child, false, *codePage_) & kWindowsJunk) != 0;
}

}  // namespace scourix
