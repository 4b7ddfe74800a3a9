#include "platform/posix/posix_text.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace scourix {
namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Code units taken by the character at `i`: a valid surrogate pair is one character.
std::size_t unitsAt(const std::u16string& text, std::size_t i) {
  return isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]) ? 2 : 1;
}

// Without the converter, only ASCII survives.
std::string asciiOnly(const std::u16string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); i += unitsAt(text, i)) {
    out += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
  }
  return out;
}

}  // namespace

std::string utf16ToCp936(const std::u16string& text) {
  iconv_t cd = iconv_open("CP936", "UTF-16LE");
  if (cd == reinterpret_cast<iconv_t>(-1)) return asciiOnly(text);

  std::vector<char> in;
  in.reserve(text.size() * 2);
  for (char16_t c : text) {
    in.push_back(static_cast<char>(c & 0xFF));
    in.push_back(static_cast<char>(c >> 8));
  }
  std::string out;
  char buffer[256];
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (result != static_cast<std::size_t>(-1) || error == E2BIG) continue;
    // A character the code page lacks, or a broken surrogate: one '?' for it.
    out += '?';
    const std::size_t skip = unitsAt(text, text.size() - inLeft / 2);
    inPtr += skip * 2;
    inLeft -= skip * 2;
  }
  iconv_close(cd);
  return out;
}

}  // namespace scourix
