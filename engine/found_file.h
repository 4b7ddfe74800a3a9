#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace scourix {

// What a walk knows of one file it listed: handed as one value from the listing to the
// classification and into the found-file list.
struct WalkedFile {
  std::string name;  // in the code page; characters it cannot write are '?'
  std::string path;  // in the code page, for the texts of the windows, the log and the console
  ExactPath exact;   // the file as the file system spells it: what deletion and the shell use
  // Units at the start of `exact` that name the folder the walk started from: the folders
  // after them were no links when listed. 0: not found by a walk.
  std::size_t rootLength = 0;
  std::uint64_t size = 0;
  std::int64_t lastAccess = 0;  // seconds since 1970-01-01 UTC
  std::int64_t lastWrite = 0;
  std::int64_t creation = 0;  // 0: unknown
  std::uint32_t attributes = 0;  // kAttribute...
  std::uint64_t fileId = 0;      // the file's number on its volume; 0: unknown
};

// The recycle bin a finding lies in, as the trace scan that walked the bin knows it;
// never told by a label, which a user's catalog entry may copy.
enum class RecycleBin : std::uint8_t {
  None,
  Old,    // "Recycled" and "RECYCLER" of older systems
  Vista,  // "$Recycle.Bin": items "$R..." beside their records "$I..."
};

// One found file. Its exact path is the key of the found-file list.
struct FoundFile : WalkedFile {
  std::string category;
  std::int32_t toDelete = 1;
  // Started unticked because it lies where deleting could break a program.
  std::int32_t isProtected = 0;
  // A file its service or Explorer may hold: held open at deletion it is skipped and
  // counted as in use, no failure.
  bool skipInUse = false;
  // Removed only by the system's own cleanup (an old Windows installation, whose files
  // Windows protects): listed to show its size, never deleted one by one.
  bool systemCleanupOnly = false;
  // What is in a bin already never goes to one again.
  RecycleBin bin = RecycleBin::None;
};

}  // namespace scourix
