#pragma once
// Real folders and files below a fresh temporary folder, which goes with everything in
// it. Relative paths use '/', turned into the platform's separator.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

#ifdef _WIN32
#include <sys/utime.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

#include "platform/platform.h"

namespace scourix::test {

class TempTree {
 public:
  TempTree() {
    std::random_device seed;
    const auto base = std::filesystem::temp_directory_path();
    do {
      folder_ = base / ("scourix-" + std::to_string(seed()));
    } while (!std::filesystem::create_directory(folder_));
    root_ = folder_.string() + systemPlatform().separator();
  }
  ~TempTree() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
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
    std::filesystem::create_directories(full);
    if (full.back() != systemPlatform().separator()) full += systemPlatform().separator();
    return full;
  }

  // Makes a file of `size` bytes (and its folder); returns its path.
  std::string file(const std::string& relative, std::size_t size = 1) const {
    if (relative.find('/') != std::string::npos) dir(relative.substr(0, relative.rfind('/')));
    write(path(relative), std::string(size, 'x'));
    return path(relative);
  }

  static void write(const std::string& full, const std::string& bytes) {
    std::ofstream(full, std::ios::binary) << bytes;
  }
  static std::string read(const std::string& full) {
    std::ifstream in(full, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static bool exists(const std::string& full) { return std::ifstream(full).is_open(); }

  // Sets a file's last-access and last-write times (seconds since 1970).
  static void setTimes(const std::string& full, std::int64_t access, std::int64_t write) {
#ifdef _WIN32
    __utimbuf64 times{access, write};
    if (_utime64(full.c_str(), &times) != 0) throw std::runtime_error("cannot set times");
#else
    struct timespec times[2] = {{static_cast<time_t>(access), 0}, {static_cast<time_t>(write), 0}};
    if (utimensat(AT_FDCWD, full.c_str(), times, 0) != 0) throw std::runtime_error("cannot set times");
#endif
  }

 private:
  std::filesystem::path folder_;
  std::string root_;
};

}  // namespace scourix::test
