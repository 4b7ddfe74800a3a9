#include "platform/posix/posix_listing.h"

#include <dirent.h>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scourix {
namespace {

bool isDotOrDotDot(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

void clearFacts(DirEntry& entry) {
  entry.exactName.clear();
  entry.isDirectory = false;
  entry.attributes = 0;
  entry.isLink = false;
  entry.size = 0;
  entry.lastAccess = 0;
  entry.lastWrite = 0;
  entry.creation = 0;
  entry.device = 0;
  entry.fileId = 0;
}

void takeFacts(const struct stat& st, DirEntry& entry) {
  entry.size = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
  entry.lastAccess = static_cast<std::int64_t>(st.st_atim.tv_sec);
  entry.lastWrite = static_cast<std::int64_t>(st.st_mtim.tv_sec);
  // stat tells no creation time; the status change is never earlier than it.
  entry.creation = static_cast<std::int64_t>(st.st_ctim.tv_sec);
  entry.fileId = static_cast<std::uint64_t>(st.st_ino);
  if (S_ISDIR(st.st_mode)) {
    entry.isDirectory = true;
    entry.device = static_cast<std::uint64_t>(st.st_dev);
  }
}

std::unique_ptr<DirListing> listingOf(int fd);

class PosixListing : public DirListing {
 public:
  explicit PosixListing(DIR* dir) : dir_(dir), fd_(dirfd(dir)) {}
  ~PosixListing() override { closedir(dir_); }
  PosixListing(const PosixListing&) = delete;
  PosixListing& operator=(const PosixListing&) = delete;

  bool next(DirEntry& entry) override {
    for (;;) {
      // readdir tells its end from an error only through errno.
      errno = 0;
      const dirent* d = readdir(dir_);
      if (d == nullptr) {
        failed_ = errno != 0;
        return false;
      }
      clearFacts(entry);
      if (isDotOrDotDot(d->d_name)) {
        entry.name.assign(d->d_name);
        entry.isDirectory = true;
        return true;
      }
      struct stat st;
      // An entry removed since readdir saw it is simply not listed.
      if (fstatat(fd_, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
      if (S_ISLNK(st.st_mode)) {
        // A link reports what it leads to (a directory, or a file's size and times) and
        // is marked, so that walks do not follow it; a dangling link is an empty file.
        entry.isLink = true;
        struct stat target;
        if (fstatat(fd_, d->d_name, &target, 0) == 0) {
          if (!S_ISDIR(target.st_mode) && !S_ISREG(target.st_mode)) continue;
          takeFacts(target, entry);
        } else {
          entry.lastAccess = static_cast<std::int64_t>(st.st_atim.tv_sec);
          entry.lastWrite = static_cast<std::int64_t>(st.st_mtim.tv_sec);
        }
      } else if (S_ISDIR(st.st_mode) || S_ISREG(st.st_mode)) {
        takeFacts(st, entry);
      } else {
        continue;  // pipes, sockets and devices are no files a cleaner should touch
      }
      entry.name.assign(d->d_name);
      return true;
    }
  }

  bool failed() const override { return failed_; }

  // Relative to this folder's descriptor, so that no folder above can be swapped for a
  // link in between; O_NOFOLLOW refuses the folder itself if it has become one.
  std::unique_ptr<DirListing> openSubfolder(const DirEntry& entry) override {
    return listingOf(
        openat(fd_, entry.name.c_str(), O_RDONLY | O_NOFOLLOW | O_DIRECTORY | O_CLOEXEC));
  }

 private:
  DIR* dir_;
  int fd_;
  bool failed_ = false;
};

std::unique_ptr<DirListing> listingOf(int fd) {
  if (fd < 0) return nullptr;
  DIR* d = fdopendir(fd);
  if (d == nullptr) {
    close(fd);
    return nullptr;
  }
  return std::make_unique<PosixListing>(d);
}

}  // namespace

std::unique_ptr<DirListing> openPosixListing(const std::string& dir) {
  return listingOf(open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

}  // namespace scourix
