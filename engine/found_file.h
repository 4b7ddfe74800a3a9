#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

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

// The folder a run of findings lies in, and their names: each finding keeps its folder's
// paths once per folder rather than once per file, which is most of a large list's memory.
// Only the list that made it appends names, from the thread that owns the list. A finding
// whose path does not end with its name keeps both its paths whole in a record of its own,
// and no name apart.
struct FoundFolder {
  std::string path;       // in the code page, ending with the separator (empty: none)
  ExactPath exact;        // ending with the separator
  std::string names;      // its findings' names in the code page, one after another
  NativeText exactNames;  // their names as the file system spells them
};

// One found file. Its exact path is the key of the found-file list.
class FoundFile {
  // First, so that the record packs without gaps.
  std::shared_ptr<const FoundFolder> folder_;
  std::shared_ptr<const std::string> category_;
  std::uint32_t nameAt_ = 0;
  std::uint32_t exactNameAt_ = 0;
  std::uint16_t nameLength_ = 0;
  std::uint16_t exactNameLength_ = 0;

 public:
  FoundFile() = default;
  // `file` in its own folder record.
  FoundFile(const WalkedFile& file, const std::string& category);

  // In the code page, for the texts of the windows, the log and the console.
  std::string path() const;
  void appendPath(std::string& out) const;
  // As the file system spells it: what deletion and the shell use.
  ExactPath exact() const;
  std::string_view name() const;
  const std::string& category() const;

  // Units at the start of `exact()` that name the folder the walk started from: the
  // folders after them were no links when listed. 0: not found by a walk.
  std::uint32_t rootLength = 0;
  std::uint64_t size = 0;
  std::int64_t lastAccess = 0;  // seconds since 1970-01-01 UTC
  std::int64_t lastWrite = 0;
  std::int64_t creation = 0;     // 0: unknown
  std::uint64_t fileId = 0;      // the file's number on its volume; 0: unknown
  std::uint32_t attributes = 0;  // kAttribute...
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

 private:
  friend class Findings;
  // Units of `file.path` before its name, or npos when the finding keeps its paths whole:
  // the path does not end with the name, or a name is longer than the record holds.
  static std::size_t folderPathLength(const WalkedFile& file);
  // A new record of `file`'s folder, or of both its paths whole.
  static std::shared_ptr<FoundFolder> folderRecordOf(const WalkedFile& file);
  // Takes `file`'s facts and names into `folder`, the record of its folder.
  FoundFile(const WalkedFile& file, std::shared_ptr<FoundFolder> folder,
            std::shared_ptr<const std::string> category);
  // Whether the file's exact path is `key` (ExactPath::key()).
  bool hasKey(std::string_view key) const;
  std::string_view exactNameKey() const;
};

}  // namespace scourix
