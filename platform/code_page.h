#pragma once
// Multi-byte rules of an ANSI code page: which bytes start a double-byte character.
// Lengths and comparisons elsewhere are by bytes; only the searches for the last full
// stop or separator and the lower-casing need to know where characters begin: a trail
// byte may equal '.' or '\\' (0xD5 0x5C is one character).
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace scourix {

class CodePage {
 public:
  // leadBytes[b] is true when byte b starts a double-byte character.
  explicit CodePage(const std::array<bool, 256>& leadBytes) : lead_(leadBytes) {}

  // Code page 936 (GBK): lead bytes 0x81 to 0xFE.
  static CodePage gbk();
  // A single-byte code page: no lead bytes.
  static CodePage singleByte();

  bool isLeadByte(unsigned char b) const { return lead_[b]; }

  // Position of the last '.' that is a character of its own (not the trail byte of a
  // double-byte character), or npos.
  std::size_t lastDot(std::string_view text) const { return lastOf(text, '.'); }
  // Position of the last `c` that is a character of its own, or npos.
  std::size_t lastOf(std::string_view text, char c) const;
  // Position of the first `c` at or after `from` (a character's start) that is a
  // character of its own, or npos.
  std::size_t firstOf(std::string_view text, char c, std::size_t from = 0) const;
  // Whether the last character of `text` is `c` (a trail byte equal to `c` is not).
  bool endsWith(std::string_view text, char c) const {
    return !text.empty() && lastOf(text, c) == text.size() - 1;
  }
  // `path` with `separator` appended unless its last character is one already.
  std::string withSeparator(std::string path, char separator) const;

  // Lower-cases the single-byte letters A-Z; both bytes of a double-byte character stay
  // as they are, even when the trail byte is an ASCII capital.
  void toLower(std::string& text) const;
  std::string lower(std::string_view text) const;

 private:
  std::array<bool, 256> lead_;
};

}  // namespace scourix
