#pragma once
// Which findings of the disk scan start unticked because deleting them could break a
// program or lose the user's own files: those in a folder with program files, in software
// trees (repositories, package folders, virtual environments), in the system's own
// folders, empty files outside temporary folders (programs use them as markers), program
// state whose names look like junk (LevelDB stores but their LOG and LOG.old, ESE
// databases with their logs, SQLite journals beside their database, browser profiles but
// the caches the trace scan cleans), and the files of a profile's own folders (Desktop,
// Documents, ...) outside Temp, Tmp and Cache folders. The list itself does not change;
// only the starting tick does.
//
// The walk lists every folder once, and a folder's program file, .git or marker file
// may come after its findings. So the tracker decides when a folder's listing ends: the findings made
// since it opened are exactly its subtree's, a contiguous range of the found-file list.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/findings.h"
#include "platform/platform.h"

namespace scourix {

// What an entry tells about the folder that lists it.
constexpr unsigned kHoldsProgram = 1;     // a program file: the folder's own findings
constexpr unsigned kHoldsRepository = 2;  // .git or pyvenv.cfg: its whole tree
constexpr unsigned kHoldsSystem32 = 4;    // a Windows installation: its tree but Temp and Logs
constexpr unsigned kHoldsLevelDbCurrent = 8;     // CURRENT
constexpr unsigned kHoldsLevelDbManifest = 16;   // MANIFEST-*
constexpr unsigned kHoldsEseDatabase = 32;       // *.edb, *.jrs, *.jfm, *.jcp
constexpr unsigned kHoldsCheckpoint = 64;        // *.chk
constexpr unsigned kHoldsTransactionLog = 128;   // *.log, *.jtx
constexpr unsigned kHoldsBrowserProfile = 256;   // Local State, Preferences, prefs.js: its tree
unsigned heldTraits(std::string_view name, bool isDirectory, const CodePage& codePage);

// What a folder's own name says; `rootLevel`: it lies directly in a drive's root.
constexpr unsigned kSoftwareTree = 1;   // .git, node_modules, site-packages...: its whole tree
constexpr unsigned kSystemFolder = 2;   // Program Files, ProgramData at the root: its whole tree
constexpr unsigned kWindowsFolder = 4;  // Windows at the root: its whole tree but Temp and Logs
constexpr unsigned kTemporary = 8;      // Temp, Tmp, Cache: empty files below it are junk
constexpr unsigned kWindowsJunk = 16;   // Temp or Logs: left out of a Windows folder's protection
unsigned folderTraits(std::string_view name, bool rootLevel, const CodePage& codePage);

// The folders that hold a user's own files: the profiles' Desktop, Documents, Downloads,
// Pictures, Music, Videos and OneDrive*, and where the current user moved them.
struct UserPlaces {
  std::vector<std::string> profilesFolders;  // each ending with the separator
  std::vector<std::string> profiles;
  std::vector<std::string> userFolders;
  static UserPlaces of(Platform& platform);
};

// Starts the finding unticked, with the lock.
void protect(FoundFile& file);

// Follows one depth-first walk through three hooks and marks the protected findings.
class ProtectionTracker {
 public:
  // A new walk from `dir` (ending with the separator). Inactive: every hook returns at once.
  void start(bool active, const std::string& dir, char separator, const CodePage& codePage,
             UserPlaces places = {});
  // A folder's listing starts; `dir` ends with the separator.
  void folderOpened(const std::string& dir, Findings& found);
  // An entry of the innermost open folder, before it is classified or walked into.
  void entryListed(const DirEntry& entry, Findings& found);
  // The innermost open folder's listing has ended.
  void folderClosed(Findings& found);

 private:
  struct Folder {
    int firstFinding;
    std::size_t pathLength;
    int depth;  // 0: a drive's root
    unsigned traits;
    unsigned held;
    bool temporary;  // it or a folder above it is temporary
    unsigned place;  // kProfilesFolder...
    bool userOwn;    // in a user's own folder, not in a temporary one
    std::vector<std::string> fileNames;  // lower-cased, for the SQLite journals
  };
  static constexpr unsigned kProfilesFolder = 1, kProfile = 2, kUserFolder = 4;

  unsigned placeOf(const std::string& dir, std::string_view name, int depth) const;
  // `name` and `path` (in the code page) of a finding of the folder's tree.
  bool protects(const Folder& folder, std::string_view name, std::string_view path) const;
  bool inBrowserCache(std::string_view path, std::size_t pathLength) const;

  void settleEmptyFile(Findings& found);
  bool directChild(std::string_view path, std::size_t pathLength) const;
  bool inWindowsJunk(std::string_view path, std::size_t pathLength) const;

  bool active_ = false;
  char separator_ = '\\';
  const CodePage* codePage_ = nullptr;
  int startDepth_ = 0;
  UserPlaces places_;
  std::vector<Folder> open_;
  // An empty file outside temporary folders was listed: its findings start here.
  bool emptyFilePending_ = false;
  int emptyFileFindings_ = 0;
  std::string path_;  // the path of the finding being weighed, its storage reused
};

}  // namespace scourix
