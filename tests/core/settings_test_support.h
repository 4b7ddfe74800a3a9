#pragma once
// Helpers of the settings tests: byte builders, temporary folders, whole-file reads and
// a platform whose file operations can be made to fail.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

#include "platform/platform.h"

namespace scourix::test {

// Builds configuration bytes by hand, independent of the archive under test.
class Bytes {
 public:
  Bytes& i32(std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) data_ += static_cast<char>((u >> shift) & 0xFF);
    return *this;
  }
  // A string with the prefix its length needs (up to 65533 bytes).
  Bytes& str(const std::string& text) {
    if (text.size() < 255) {
      data_ += static_cast<char>(text.size());
    } else {
      data_ += '\xFF';
      data_ += static_cast<char>(text.size() & 0xFF);
      data_ += static_cast<char>(text.size() >> 8);
    }
    data_ += text;
    return *this;
  }
  Bytes& raw(const std::string& bytes) {
    data_ += bytes;
    return *this;
  }
  Bytes& flags(int count, std::int32_t value) {
    for (int i = 0; i < count; ++i) i32(value);
    return *this;
  }
  std::size_t size() const { return data_.size(); }
  const std::string& str() const { return data_; }

 private:
  std::string data_;
};

// A folder of its own under the system's temporary folder, removed with its content.
class TempDir {
 public:
  TempDir() {
    std::random_device seed;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
      path_ = base / ("scourix-set-" + std::to_string(seed()));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline void writeFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) throw std::runtime_error("cannot create " + path);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

inline std::string readFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) throw std::runtime_error("cannot open " + path);
  std::string bytes;
  char chunk[4096];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
  std::fclose(file);
  return bytes;
}

inline bool fileExists(const std::string& path) {
  return std::filesystem::exists(std::filesystem::path(path));
}

// The real platform, except that replacing or syncing a file can be told to fail.
class FailingFilePlatform : public Platform {
 public:
  bool failReplace = false;
  bool failSync = false;
  int replaceCalls = 0;

  char separator() const override { return real_.separator(); }
  std::unique_ptr<DirListing> openListing(const std::string& dir) override {
    return real_.openListing(dir);
  }
  int driveType(const std::string& root) override { return real_.driveType(root); }
  std::string systemDirectory() override { return real_.systemDirectory(); }
  std::string profilesDirectory() override { return real_.profilesDirectory(); }
  void sleepMs(int milliseconds) override { real_.sleepMs(milliseconds); }
  std::int64_t now() override { return real_.now(); }
  bool localDate(std::int64_t time, CalendarDate& date) override {
    return real_.localDate(time, date);
  }
  const CodePage& codePage() const override { return real_.codePage(); }
  std::string wideToAnsi(const std::u16string& text) override { return real_.wideToAnsi(text); }
  void raiseThreadPriority() override { real_.raiseThreadPriority(); }
  bool deleteFile(const std::string& path) override { return real_.deleteFile(path); }
  bool replaceFile(const std::string& from, const std::string& to) override {
    ++replaceCalls;
    return !failReplace && real_.replaceFile(from, to);
  }
  bool syncFile(std::FILE* file) override { return !failSync && real_.syncFile(file); }
  void emptyRecycleBin() override {}

 private:
  Platform& real_ = systemPlatform();
};

}  // namespace scourix::test
