#pragma once
// A buffered byte stream that stores or loads the configuration file's values: 32-bit
// little-endian integers and length-prefixed byte strings. It reads from or writes to
// an open file or memory.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace scourix {

class Platform;

// Every failure of an archive; a load or save stops at the first one.
class ArchiveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A read found fewer bytes than it needed.
class ArchiveEndOfFile : public ArchiveError {
 public:
  ArchiveEndOfFile() : ArchiveError("unexpected end of file") {}
};

// A length that cannot be right: more bytes than the data has left.
class ArchiveDamaged : public ArchiveError {
 public:
  using ArchiveError::ArchiveError;
};

enum class ArchiveMode { Storing, Loading };

class Archive {
 public:
  static constexpr std::size_t kBufferSize = 4096;

  // Bound to an open binary file. A loading archive starts at the file's current
  // position. The file stays open; the caller closes it after the archive.
  Archive(std::FILE* file, ArchiveMode mode, Platform& platform);
  // Loads from bytes in memory, which must outlive the archive.
  Archive(std::string_view bytes, Platform& platform);
  // Stores by appending to `sink`, which must outlive the archive.
  Archive(std::string& sink, Platform& platform);

  Archive(const Archive&) = delete;
  Archive& operator=(const Archive&) = delete;

  bool isStoring() const { return mode_ == ArchiveMode::Storing; }
  bool isLoading() const { return mode_ == ArchiveMode::Loading; }

  void writeInt32(std::int32_t value);
  void writeString(std::string_view text);
  // The bytes writeString stores for a text of `length` bytes.
  static std::uint64_t storedStringBytes(std::size_t length);
  std::int32_t readInt32();
  // Narrow strings as they are; wide ones converted to the ANSI code page.
  std::string readString();

  // Bytes a loading archive has not yet handed out.
  std::uint64_t remaining() const { return (end_ - pos_) + sourceLeft_; }

  // Passes buffered bytes on to the file or the sink (storing only).
  void flush();
  // Flushes a storing archive; the archive is unusable afterwards.
  void close();

 private:
  void readBytes(void* out, std::size_t count);
  void writeBytes(const void* data, std::size_t count);
  void fill();
  std::uint8_t readUInt8();
  std::uint16_t readUInt16();
  std::uint32_t readUInt32();
  // The length of a string in the form the prefixes give; `wide` is set by FF FE FF.
  std::uint32_t readLength(bool allowWideMarker, bool& wide);
  void requireRemaining(std::uint64_t bytes, const char* what) const;
  void writeUInt32(std::uint32_t value);
  void writeLengthPrefix(std::size_t length);

  ArchiveMode mode_;
  Platform& platform_;
  std::FILE* file_ = nullptr;
  std::string_view memory_;
  std::string* sink_ = nullptr;
  bool closed_ = false;

  unsigned char buffer_[kBufferSize];
  std::size_t pos_ = 0;  // next byte of the buffer to read (loading)
  std::size_t end_ = 0;  // bytes in the buffer
  std::uint64_t sourceLeft_ = 0;  // bytes of the file or memory not yet in the buffer
};

}  // namespace scourix
