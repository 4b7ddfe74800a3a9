#include "settings/archive.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/platform.h"

namespace scourix {

namespace {

// Size of the part of the file from its current position on; false when the file
// cannot seek (a pipe), since then no length in it can be checked.
bool bytesAfterPosition(std::FILE* file, std::uint64_t& count) {
#ifdef _WIN32
  const long long start = _ftelli64(file);
  if (start < 0 || _fseeki64(file, 0, SEEK_END) != 0) return false;
  const long long size = _ftelli64(file);
  if (size < 0 || _fseeki64(file, start, SEEK_SET) != 0) return false;
#else
  const off_t start = ftello(file);
  if (start < 0 || fseeko(file, 0, SEEK_END) != 0) return false;
  const off_t size = ftello(file);
  if (size < 0 || fseeko(file, start, SEEK_SET) != 0) return false;
#endif
  count = size > start ? static_cast<std::uint64_t>(size - start) : 0;
  return true;
}

}  // namespace

Archive::Archive(std::FILE* file, ArchiveMode mode, Platform& platform)
    : mode_(mode), platform_(platform), file_(file) {
  if (mode == ArchiveMode::Loading && !bytesAfterPosition(file, sourceLeft_)) {
    throw ArchiveError("cannot tell the size of the file");
  }
}

Archive::Archive(std::string_view bytes, Platform& platform)
    : mode_(ArchiveMode::Loading), platform_(platform), memory_(bytes),
      sourceLeft_(bytes.size()) {}

Archive::Archive(std::string& sink, Platform& platform)
    : mode_(ArchiveMode::Storing), platform_(platform), sink_(&sink) {}

void Archive::fill() {
  if (sourceLeft_ == 0) throw ArchiveEndOfFile();
  const std::size_t want =
      static_cast<std::size_t>(std::min<std::uint64_t>(kBufferSize, sourceLeft_));
  std::size_t got;
  if (file_) {
    got = std::fread(buffer_, 1, want, file_);
    if (got < want) {
      if (std::ferror(file_)) throw ArchiveError("read error");
      // The file became shorter since the archive measured it.
      sourceLeft_ = got;
    }
    if (got == 0) throw ArchiveEndOfFile();
  } else {
    const std::size_t offset = memory_.size() - static_cast<std::size_t>(sourceLeft_);
    std::memcpy(buffer_, memory_.data() + offset, want);
    got = want;
  }
  pos_ = 0;
  end_ = got;
  sourceLeft_ -= got;
}

void Archive::readBytes(void* out, std::size_t count) {
  if (!isLoading() || closed_) throw ArchiveError("archive is not loading");
  auto* dest = static_cast<unsigned char*>(out);
  while (count > 0) {
    if (pos_ == end_) fill();
    const std::size_t n = std::min(count, end_ - pos_);
    std::memcpy(dest, buffer_ + pos_, n);
    pos_ += n;
    dest += n;
    count -= n;
  }
}

std::uint8_t Archive::readUInt8() {
  unsigned char b;
  readBytes(&b, 1);
  return b;
}

std::uint16_t Archive::readUInt16() {
  unsigned char b[2];
  readBytes(b, 2);
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t Archive::readUInt32() {
  unsigned char b[4];
  readBytes(b, 4);
  return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::int32_t Archive::readInt32() {
  const std::uint32_t u = readUInt32();
  // Two's complement without relying on an implementation-defined conversion.
  return u <= 0x7FFFFFFFu ? static_cast<std::int32_t>(u)
                          : static_cast<std::int32_t>(u - 0x80000000u) - 0x7FFFFFFF - 1;
}

std::uint32_t Archive::readLength(bool allowWideMarker, bool& wide) {
  const std::uint8_t b = readUInt8();
  if (b != 0xFF) return b;
  const std::uint16_t w = readUInt16();
  if (w == 0xFFFE && allowWideMarker) {
    wide = true;
    return readLength(false, wide);
  }
  if (w != 0xFFFF) return w;
  return readUInt32();
}

void Archive::requireRemaining(std::uint64_t bytes, const char* what) const {
  if (bytes > remaining()) {
    throw ArchiveDamaged(std::string(what) + " of " + std::to_string(bytes) +
                         " bytes, but only " + std::to_string(remaining()) + " left");
  }
}

std::string Archive::readString() {
  bool wide = false;
  const std::uint32_t length = readLength(true, wide);
  if (!wide) {
    requireRemaining(length, "string");
    std::string text(length, '\0');
    readBytes(text.data(), length);
    return text;
  }
  requireRemaining(2ull * length, "wide string");
  std::u16string text(length, u'\0');
  for (char16_t& unit : text) unit = readUInt16();
  return platform_.wideToAnsi(text);
}

void Archive::flush() {
  if (!isStoring() || closed_ || end_ == 0) return;
  if (file_) {
    if (std::fwrite(buffer_, 1, end_, file_) != end_) throw ArchiveError("write error");
  } else {
    sink_->append(reinterpret_cast<const char*>(buffer_), end_);
  }
  end_ = 0;
}

void Archive::close() {
  flush();
  closed_ = true;
}

void Archive::writeBytes(const void* data, std::size_t count) {
  if (!isStoring() || closed_) throw ArchiveError("archive is not storing");
  const auto* src = static_cast<const unsigned char*>(data);
  while (count > 0) {
    if (end_ == kBufferSize) flush();
    const std::size_t n = std::min(count, kBufferSize - end_);
    std::memcpy(buffer_ + end_, src, n);
    end_ += n;
    src += n;
    count -= n;
  }
}

void Archive::writeInt32(std::int32_t value) { writeUInt32(static_cast<std::uint32_t>(value)); }

void Archive::writeUInt32(std::uint32_t u) {
  const unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                              static_cast<unsigned char>(u >> 16),
                              static_cast<unsigned char>(u >> 24)};
  writeBytes(b, 4);
}

void Archive::writeLengthPrefix(std::size_t length) {
  if (length < 0xFF) {
    const unsigned char b = static_cast<unsigned char>(length);
    writeBytes(&b, 1);
  } else if (length < 0xFFFE) {
    // 0xFFFE would read as the wide marker, so it already takes the long form.
    const unsigned char b[3] = {0xFF, static_cast<unsigned char>(length),
                                static_cast<unsigned char>(length >> 8)};
    writeBytes(b, 3);
  } else if (length < 0xFFFFFFFFu) {
    // 0xFFFFFFFF stays unused: other readers of this layout take it as a marker.
    const unsigned char b[3] = {0xFF, 0xFF, 0xFF};
    writeBytes(b, 3);
    writeUInt32(static_cast<std::uint32_t>(length));
  } else {
    throw ArchiveError("string too long to store");
  }
}

std::uint64_t Archive::storedStringBytes(std::size_t length) {
  const std::uint64_t prefix = length < 0xFF ? 1 : length < 0xFFFE ? 3 : 7;
  return prefix + length;
}

void Archive::writeString(std::string_view text) {
  writeLengthPrefix(text.size());
  writeBytes(text.data(), text.size());
}

}  // namespace scourix
