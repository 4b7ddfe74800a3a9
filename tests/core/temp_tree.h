#pragma once
// Real folders and files for the walk tests, below a fresh temporary folder that is
// removed with everything in it. Relative paths use '/', turned into the separator.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#ifdef _WIN32
#include <direct.h>
#include <sys/utime.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/platform.h"

namespace scourix::test {

class TempTree {
 public:
  TempTree() {
    const char sep = systemPlatform().separator();
#ifdef _WIN32
    const char* base = std::getenv("TEMP");
    std::string prefix = std::string(base ? base : ".") + sep + "scourix-eng-";
    for (unsigned n = static_cast<unsigned>(std::rand());; ++n) {
      root_ = prefix + std::to_string(n);
      if (_mkdir(root_.c_str()) == 0) break;
    }
#else
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/scourix-eng-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
#endif
    root_ += sep;
  }
  ~TempTree() { removeTree(root_); }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  // The root, ending with the separator.
  const std::string& root() const { return root_; }

  std::string path(const std::string& relative) const {
    std::string out = root_;
    for (char c : relative) out += c == '/' ? systemPlatform().separator() : c;
    return out;
  }

  // Makes the folder and its parents; returns its path ending with the separator.
  std::string dir(const std::string& relative) const {
    std::string full = path(relative);
    for (std::size_t i = root_.size(); i <= full.size(); ++i) {
      if (i == full.size() || full[i] == systemPlatform().separator()) makeDir(full.substr(0, i));
    }
    if (full.back() != systemPlatform().separator()) full += systemPlatform().separator();
    return full;
  }

  // Makes a file of `size` bytes (and its folder); returns its path.
  std::string file(const std::string& relative, std::size_t size = 1) const {
    const std::size_t slash = relative.rfind('/');
    if (slash != std::string::npos) dir(relative.substr(0, slash));
    const std::string full = path(relative);
    std::FILE* f = std::fopen(full.c_str(), "wb");
    if (f == nullptr) throw std::runtime_error("cannot create " + full);
    const std::string bytes(size, 'x');
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return full;
  }

  // Sets a file's last-access and last-write times (seconds since 1970).
  static void setTimes(const std::string& full, std::int64_t access, std::int64_t write) {
#ifdef _WIN32
    __utimbuf64 times{access, write};
    if (_utime64(full.c_str(), &times) != 0) throw std::runtime_error("cannot set times");
#else
    struct timespec times[2] = {{static_cast<time_t>(access), 0}, {static_cast<time_t>(write), 0}};
    if (utimensat(AT_FDCWD, full.c_str(), times, 0) != 0) {
      throw std::runtime_error("cannot set times");
    }
#endif
  }

  static bool exists(const std::string& full) {
    std::FILE* f = std::fopen(full.c_str(), "rb");
    if (f == nullptr) return false;
    std::fclose(f);
    return true;
  }

 private:
  static void makeDir(const std::string& full) {
#ifdef _WIN32
    _mkdir(full.c_str());
#else
    mkdir(full.c_str(), 0755);
#endif
  }

  // Removes a folder's content through the platform's own listing, links without
  // following them.
  static void removeTree(const std::string& dir) {
#ifndef _WIN32
    chmod(dir.c_str(), 0755);
#endif
    if (auto listing = systemPlatform().openListing(dir)) {
      DirEntry entry;
      while (listing->next(entry)) {
        if (entry.name == "." || entry.name == "..") continue;
        const std::string full = dir + entry.name;
        if (entry.isDirectory && !entry.isLink) {
          removeTree(full + systemPlatform().separator());
        } else {
          std::remove(full.c_str());
        }
      }
    }
    std::string bare = dir;
    bare.pop_back();
#ifdef _WIN32
    _rmdir(bare.c_str());
#else
    rmdir(bare.c_str());
#endif
  }

  std::string root_;
};

}  // namespace scourix::test
