#include "platform/posix/posix_platform.h"

#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/posix/posix_listing.h"
#include "platform/posix/posix_text.h"

namespace scourix {

// res/catalog.ini, embedded by the build (built_in_catalog.cpp.in).
extern const char kBuiltInCatalog[];

PosixPlatform::PosixPlatform() : codePage_(CodePage::gbk()) {}

std::unique_ptr<DirListing> PosixPlatform::openListing(const FolderPath& dir) {
  return openPosixListing(dir.exact.native());
}

FolderState PosixPlatform::folderState(const ExactPath& path) {
  struct stat st;
  if (::lstat(path.native().c_str(), &st) != 0) {
    return errno == ENOENT || errno == ENOTDIR ? FolderState::Missing : FolderState::Other;
  }
  return S_ISDIR(st.st_mode) ? FolderState::Plain : FolderState::Other;
}

FileLookup PosixPlatform::lookUpFile(const ExactPath& path, FileFacts& facts) {
  struct stat st;
  if (::lstat(path.native().c_str(), &st) != 0) {
    return errno == ENOENT || errno == ENOTDIR ? FileLookup::Gone : FileLookup::Unknown;
  }
  facts.fileId = static_cast<std::uint64_t>(st.st_ino);
  facts.size = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
  facts.lastWrite = static_cast<std::int64_t>(st.st_mtim.tv_sec);
  return FileLookup::Found;
}

// There are no drive letters: every root is unknown (DRIVE_NO_ROOT_DIR).
int PosixPlatform::driveType(const std::string&) { return 1; }

std::string PosixPlatform::systemDirectory() { return std::string(); }

FolderPath PosixPlatform::profilesDirectory() { return {}; }

std::vector<FolderPath> PosixPlatform::registeredProfiles() { return {}; }

void PosixPlatform::sleepMs(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::int64_t PosixPlatform::now() { return static_cast<std::int64_t>(::time(nullptr)); }

bool PosixPlatform::localDate(std::int64_t time, CalendarDate& date) {
  // Times before 1970 have no date, as on Windows.
  if (time < 0) return false;
  const time_t t = static_cast<time_t>(time);
  struct tm fields;
  if (localtime_r(&t, &fields) == nullptr) return false;
  date.year = fields.tm_year + 1900;
  date.month = fields.tm_mon + 1;
  date.day = fields.tm_mday;
  return true;
}

std::string PosixPlatform::wideToAnsi(const std::u16string& text) { return utf16ToCp936(text); }

// The worker keeps the default priority: raising it needs privileges here.
void PosixPlatform::raiseThreadPriority() {}

RemoveOutcome PosixPlatform::deleteFile(const ExactPath& path, std::string& reason) {
  if (::unlink(path.native().c_str()) == 0) return RemoveOutcome::Removed;
  if (errno == ENOENT || errno == ENOTDIR) return RemoveOutcome::Gone;
  reason = std::strerror(errno);
  return RemoveOutcome::Failed;
}

bool PosixPlatform::removeEmptyFolder(const ExactPath& path) {
  return ::rmdir(path.native().c_str()) == 0 || errno == ENOENT;
}

// The native build serves the command line and the tests, several of which may run at
// once: background mode is left to nice(1), and every claim on the scan succeeds.
void PosixPlatform::enterBackgroundMode() {}

std::unique_ptr<ScanLock> PosixPlatform::claimScanLock() { return std::make_unique<ScanLock>(); }

bool PosixPlatform::replaceFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool PosixPlatform::syncFile(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
  return ::fsync(::fileno(file)) == 0;
}

std::vector<RecycleAnswer> PosixPlatform::recycleFiles(const std::vector<ExactPath>& paths) {
  return std::vector<RecycleAnswer>(paths.size(), {RecycleAnswer::BinRefused, "no recycle bin on this system"});
}

// Paths and names here are their bytes, UTF-8 as the catalog writes them.
FolderPath PosixPlatform::folderOfUtf8(const std::string& utf8Path) { return folderOf(utf8Path); }

std::string PosixPlatform::utf8NameOf(const DirEntry& entry) { return entry.name; }

std::string PosixPlatform::builtInCatalog() { return kBuiltInCatalog; }

bool PosixPlatform::readFile(const std::string& path, std::size_t limit, std::string& content,
                             std::string& reason) {
  content.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    reason = std::strerror(errno);
    return false;
  }
  char buffer[65536];
  std::size_t got;
  while (content.size() <= limit && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    content.append(buffer, got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed || content.size() > limit) {
    reason = failed ? "read error" : "file too large";
    content.clear();
    return false;
  }
  return true;
}

std::string PosixPlatform::environmentVariable(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value == nullptr ? std::string() : std::string(value);
}

// No registry and no Windows here: a catalog's registry detections cannot be checked.
KeyPresence PosixPlatform::registryKey(const std::string&) { return KeyPresence::Unknown; }

bool PosixPlatform::windowsVersion(int&, int&) { return false; }

bool PosixPlatform::isElevated() { return ::geteuid() == 0; }

// No other rights to ask for in the native build.
ElevatedStart PosixPlatform::startElevated(const std::string&) { return ElevatedStart::Failed; }

Platform& systemPlatform() {
  static PosixPlatform platform;
  return platform;
}

}  // namespace scourix
