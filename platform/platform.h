#pragma once
// What the engine and the settings need from the operating system, and nothing more.
// The product uses the Win32 implementation; the native build uses the POSIX one.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/code_page.h"
#include "platform/exact_path.h"

namespace scourix {

// What a listing tells of an entry besides its kind, the same on every platform.
constexpr std::uint32_t kAttributeReadOnly = 1;
constexpr std::uint32_t kAttributeHidden = 2;
constexpr std::uint32_t kAttributeSystem = 4;  // FILE_ATTRIBUTE_SYSTEM

// One entry of a directory listing. Times are seconds since 1970-01-01 UTC.
struct DirEntry {
  std::string name;  // in the ANSI code page; characters it cannot write are '?'
  bool isDirectory = false;
  std::uint32_t attributes = 0;  // kAttribute...
  bool isLink = false;           // a reparse point or symbolic link
  std::uint64_t size = 0;
  std::int64_t lastAccess = 0;
  std::int64_t lastWrite = 0;
  std::int64_t creation = 0;  // 0: unknown
  // The volume (0 when the platform cannot tell cheaply) and the entry's number on it
  // (0: unknown). A folder's are those of the directory it leads to (its target, for a
  // link), so that a walk can refuse to re-enter a directory on its own path.
  std::uint64_t device = 0;
  std::uint64_t fileId = 0;
  // The name as the file system spells it when `name` is not plain ASCII; empty otherwise.
  NativeText exactName{};

  bool isSystem() const { return (attributes & kAttributeSystem) != 0; }
};

// A folder in both spellings: `path` in the ANSI code page (for texts and the category
// rules), `exact` as the file system spells it. Both end with the separator.
struct FolderPath {
  std::string path;
  ExactPath exact;
};

// The entries "." and ".." a listing may give, which name no content of the folder.
inline bool isDotOrDotDot(const std::string& name) { return name == "." || name == ".."; }

class DirListing {
 public:
  virtual ~DirListing() = default;
  // Fills the entry with the next one of the listing; false at its end.
  virtual bool next(DirEntry& entry) = 0;
  // After next() gave false: the listing broke off on an error before its real end, so
  // what it did not give is unknown.
  virtual bool failed() const { return false; }
  // Opens the folder this listing just gave as `entry`, relative to this one and without
  // following a link: nullptr when it cannot be listed or is no folder of its own any
  // more (swapped for a link since it was listed). Listings of no real folder have none.
  virtual std::unique_ptr<DirListing> openSubfolder(const DirEntry&) { return nullptr; }
};

struct CalendarDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
};

constexpr int kDriveFixed = 3;  // DRIVE_FIXED

// What became of a file the user asked to delete.
enum class RemoveOutcome {
  Removed,
  Gone,    // it was not there any more (its program removed it meanwhile): no failure
  Failed,  // it is still there (a folder now, no access, ...)
  InUse,   // it is still there: a program holds it open without sharing its deletion
};

// Whether a registry key exists, as far as the system can tell.
enum class KeyPresence { Present, Absent, Unknown };
// What became of a start of the program with administrator rights.
enum class ElevatedStart {
  Started,
  Declined,  // the user said no to the system's question: nothing changes
  Failed,
};

// What stands at the place of a folder a walk listed.
enum class FolderState {
  Plain,    // a folder that is no link (no reparse point)
  Missing,  // nothing: removed with everything below it
  Other,    // a link, a file, or nothing the system lets us look at
};

// What tells one file from another that took its place: its number on the volume (0:
// unknown), its size and its last write (seconds since 1970-01-01 UTC).
struct FileFacts {
  std::uint64_t fileId = 0;
  std::uint64_t size = 0;
  std::int64_t lastWrite = 0;
};

enum class FileLookup {
  Found,
  Gone,     // no file by that name (or its folder is gone)
  Unknown,  // the system would not tell
};

// What became of a file handed to the recycle bin.
struct RecycleAnswer {
  enum Outcome {
    InBin,       // it is gone from its place
    BinRefused,  // the bin cannot take it: untouched, in its place
    Failed,      // still there for another reason (no access)
    InUse,       // still there: a program holds it open without sharing its deletion
  } outcome = InBin;
  std::string reason;  // why it is still there
};

// The claim on the one scan that may run at a time among all of the program's processes;
// it ends when the object goes.
class ScanLock {
 public:
  virtual ~ScanLock() = default;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // The path separator: '\\' on Windows, '/' elsewhere.
  virtual char separator() const = 0;

  // Lists a directory by its exact path. Returns nullptr when it cannot be listed
  // (missing, no access); that is a normal outcome. The listing may or may not include
  // "." and "..".
  virtual std::unique_ptr<DirListing> openListing(const FolderPath& dir) = 0;
  // The folder `parent` just listed as `entry` (see DirListing::openSubfolder); `path` is
  // its path in the code page, ending with the separator.
  virtual std::unique_ptr<DirListing> openSubfolder(DirListing& parent, const DirEntry& entry,
                                                    const std::string& /*path*/) {
    return parent.openSubfolder(entry);
  }
  // The exact path of a path given as text in the code page: a drive's root, a folder
  // named on the command line. Everything below it comes from listings.
  virtual ExactPath exactPathOf(const std::string& path) = 0;
  // A folder given as text in both spellings, each ending with the separator.
  FolderPath folderOf(const std::string& path) {
    std::string text = codePage().withSeparator(path, separator());
    ExactPath exact = exactPathOf(text);
    return {std::move(text), std::move(exact)};
  }
  // The folder `parent`'s listing gave as `entry`, in both spellings.
  FolderPath childOf(const FolderPath& parent, const DirEntry& entry) const {
    FolderPath child = parent;
    child.path += entry.name;
    child.path += separator();
    child.exact.appendName(entry.name, entry.exactName);
    child.exact.appendSeparator();
    return child;
  }
  // The exact path as UTF-8 text for people to read (on Windows without "\\?\").
  virtual std::string utf8Of(const ExactPath& path) = 0;
  // Text of the ANSI code page as UTF-8.
  virtual std::string utf8Of(const std::string& codePageText) = 0;
  // What stands at a folder's exact path now.
  virtual FolderState folderState(const ExactPath& path) = 0;
  // The facts of the file at an exact path, not following a link.
  virtual FileLookup lookUpFile(const ExactPath& path, FileFacts& facts) = 0;

  // The type of the drive whose root is "X:\" (GetDriveTypeA numbering, 3 = fixed).
  virtual int driveType(const std::string& root) = 0;

  // The system directory (its first character is the system drive's letter on Windows).
  virtual std::string systemDirectory() = 0;
  // The folder that holds the user profiles (C:\Users on current Windows); an empty
  // path when unknown.
  virtual FolderPath profilesDirectory() = 0;
  // The folders of the profiles the system has registered (ProfileList), as recorded,
  // those that exist; empty when the system keeps no such list.
  virtual std::vector<FolderPath> registeredProfiles() = 0;
  // The current user's own folders (Desktop, Documents, Downloads, Pictures, Music,
  // Videos, OneDrive) where the system says they are: the user may have moved them.
  virtual std::vector<FolderPath> userFolders() { return {}; }

  virtual void sleepMs(int milliseconds) = 0;
  // The current time, seconds since 1970-01-01 UTC.
  virtual std::int64_t now() = 0;
  // The local calendar date of a time; false when it has none.
  virtual bool localDate(std::int64_t time, CalendarDate& date) = 0;

  // The multi-byte rules of the ANSI code page.
  virtual const CodePage& codePage() const = 0;
  // Converts UTF-16LE text to the ANSI code page.
  virtual std::string wideToAnsi(const std::u16string& text) = 0;

  // Raises the calling thread to the highest normal priority.
  virtual void raiseThreadPriority() = 0;
  // Puts the calling thread in background mode (lowest processor, disk and memory
  // priority) for a run nobody waits for.
  virtual void enterBackgroundMode() = 0;
  // Claims the scan for this process among all of the program's processes of every
  // session and account; nullptr while another scan holds it or may hold it.
  virtual std::unique_ptr<ScanLock> claimScanLock() = 0;

  // Deletes the file at an exact path; a read-only one too (its attribute is cleared
  // first, as Explorer's delete does). On failure `reason` is the system's message for
  // the error.
  virtual RemoveOutcome deleteFile(const ExactPath& path, std::string& reason) = 0;
  // Removes a folder if it is empty (never one with anything in it, nor through a link);
  // true when no folder is there any more.
  virtual bool removeEmptyFolder(const ExactPath& path) = 0;
  // Replaces (or creates) `to` with the file `from`, as one step that leaves either the
  // old or the new file in place, never neither.
  virtual bool replaceFile(const std::string& from, const std::string& to) = 0;
  // Writes a stream's buffers through to the disk.
  virtual bool syncFile(std::FILE* file) = 0;
  // Moves files to the recycle bin, many at a time, without confirmation, progress or
  // error window, and never deletes one for good: a file the bin cannot take (too big for
  // it, a drive whose bin is off, a name the shell would take for another: see
  // shellFormOf on Windows) is left where it is. Per path, in order.
  virtual std::vector<RecycleAnswer> recycleFiles(const std::vector<ExactPath>& paths) = 0;

  // ---- What the catalog reads of the machine (texts and paths in UTF-8) ----
  // A folder given by its UTF-8 path (the catalog's), in both spellings.
  virtual FolderPath folderOfUtf8(const std::string& utf8Path) = 0;
  // A listed entry's name in UTF-8.
  virtual std::string utf8NameOf(const DirEntry& entry) = 0;
  // UTF-8 text (a catalog's label) in the code page, as the windows and the log show it.
  virtual std::string codePageOf(const std::string& utf8Text) = 0;
  // The built-in catalog, res/catalog.ini, compiled into the program.
  virtual std::string builtInCatalog() = 0;
  // The whole file (a catalog the user keeps, a program's configuration) by the calls
  // that take every name; false, with the system's reason, when it cannot be read or is
  // larger than `limit` bytes.
  virtual bool readFile(const std::string& path, std::size_t limit, std::string& content,
                        std::string& reason) = 0;
  // A variable of the process's environment (WINDIR, ProgramFiles, USERPROFILE, ...);
  // empty when it is not set.
  virtual std::string environmentVariable(const std::string& name) = 0;
  // A key of the running system's registry, "HKCU\Software\..", "HKEY_LOCAL_MACHINE\.."
  // (HKCU, HKLM, HKCR, HKU, in either view of a 64-bit system).
  virtual KeyPresence registryKey(const std::string& key) = 0;
  // The running Windows's version (10.0 for Windows 10 and 11); false where there is none.
  virtual bool windowsVersion(int& major, int& minor) = 0;

  // The process has administrator rights (under Wine every program has them).
  virtual bool isElevated() = 0;
  // Starts this program again with administrator rights (the system asks the user), with
  // these parameters (UTF-8, one command line), and returns at once.
  virtual ElevatedStart startElevated(const std::string& parameters) = 0;
};

// The real platform of this build.
Platform& systemPlatform();

}  // namespace scourix
