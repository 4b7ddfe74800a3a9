#pragma once
// Which findings of the disk scan start unticked because deleting them could break a
// program: those in a folder with program files, in software trees (repositories,
// package folders, virtual environments), in the system's own folders, and empty files
// outside temporary folders (programs use them as markers). The list itself does not
// change; only the starting tick does.
//
// The walk lists every folder once, and a folder's program file or .git may come after
// its findings. So the tracker decides when a folder's listing ends: the findings made
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
unsigned heldTraits(std::string_view name, bool isDirectory, const CodePage& codePage);

// What a folder's own name says; `rootLevel`: it lies directly in a drive's root.
constexpr unsigned kSoftwareTree = 1;   // .git, node_modules, site-packages...: its whole tree
constexpr unsigned kSystemFolder = 2;   // Program Files, ProgramData at the root: its whole tree
constexpr unsigned kWindowsFolder = 4;  // Windows at the root: its whole tree but Temp and Logs
constexpr unsigned kTemporary = 8;      // Temp, Tmp, Cache: empty files below it are junk
constexpr unsigned kWindowsJunk = 16;   // Temp or Logs: left out of a Windows folder's protection
unsigned folderTraits(std::string_view name, bool rootLevel, const CodePage& codePage);

// Follows one depth-first walk through three hooks and marks the protected findings.
class ProtectionTracker {
 public:
  // A new walk from `dir` (ending with the separator). Inactive: every hook returns at once.
  void start(bool active, const std::string& dir, char separator, const CodePage& codePage);
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
  };

  void settleEmptyFile(Findings& found);
  bool directChild(const FoundFile& file, std::size_t pathLength) const;
  bool inWindowsJunk(const FoundFile& file, std::size_t pathLength) const;

  bool active_ = false;
  char separator_ = '\\';
  const CodePage* codePage_ = nullptr;
  int startDepth_ = 0;
  std::vector<Folder> open_;
  // An empty file outside temporary folders was listed: its findings start here.
  bool emptyFilePending_ = false;
  int emptyFileFindings_ = 0;
};

}  // namespace scourix
