#include "engine/catalog/names.h"

namespace scourix::catalog {
namespace {

// Decodes the character at `at` and moves past it; an invalid byte gives 0xDC00 + byte
// (a surrogate, which valid UTF-8 never encodes).
char32_t decodeAt(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  int length = 0;
  char32_t c = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    ++at;
    return lead;
  }
  if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07, least = 0x10000;
  }
  bool valid = length != 0 && at + length <= text.size();
  for (int i = 1; valid && i < length; ++i) {
    valid = (byte(at + i) & 0xC0) == 0x80;
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  valid = valid && c >= least && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
  if (!valid) {
    ++at;
    return 0xDC00 + lead;
  }
  at += length;
  return c;
}

char32_t fold(char32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 32 : c;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) ||
      (c >= 0x410 && c <= 0x42F) || (c >= 0xFF21 && c <= 0xFF3A)) {
    return c + 32;
  }
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  if (c == 0x178) return 0xFF;
  // Latin Extended-A pairs its capitals with the next code point, on even or on odd ones.
  const bool evenPairs = (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) ||
                         (c >= 0x14A && c <= 0x177);
  const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if ((evenPairs && c % 2 == 0) || (oddPairs && c % 2 == 1)) return c + 1;
  return c;
}

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// Whole-name match with '*' and '?', backtracking only to the last '*'.
bool wildMatch(std::u32string_view pattern, std::u32string_view name) {
  std::size_t p = 0, n = 0, starP = std::u32string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == U'*') {
      starP = p++, starN = n;
    } else if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
      ++p, ++n;
    } else if (starP != std::u32string_view::npos) {
      p = starP + 1, n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

}  // namespace

std::u32string foldName(std::string_view name) {
  std::u32string folded;
  foldNameInto(name, folded);
  return folded;
}

void foldNameInto(std::string_view name, std::u32string& folded) {
  folded.clear();
  for (std::size_t at = 0; at < name.size();) folded.push_back(fold(decodeAt(name, at)));
}

bool sameName(std::string_view a, std::string_view b) { return foldName(a) == foldName(b); }

bool isValidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = at;
    const char32_t c = decodeAt(text, at);
    if (c >= 0xDC80 && c <= 0xDCFF && at == start + 1) return false;
  }
  return true;
}

std::vector<std::string_view> pathNames(std::string_view path) {
  std::vector<std::string_view> names;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && !isSeparator(path[i])) continue;
    if (i > start) names.push_back(path.substr(start, i - start));
    start = i + 1;
  }
  return names;
}

std::string_view lastPathName(std::string_view path) {
  std::size_t end = path.size();
  while (end > 0 && isSeparator(path[end - 1])) --end;
  std::size_t start = end;
  while (start > 0 && !isSeparator(path[start - 1])) --start;
  return path.substr(start, end - start);
}

char separatorOf(std::string_view path) {
  return path.find('/') != std::string_view::npos && path.find('\\') == std::string_view::npos
             ? '/'
             : '\\';
}

std::string joinPath(std::string_view folder, std::string_view name) {
  std::string path;
  joinPathInto(folder, name, path);
  return path;
}

void joinPathInto(std::string_view folder, std::string_view name, std::string& path) {
  path.assign(folder);
  if (!path.empty() && !isSeparator(path.back())) path += separatorOf(folder);
  path += name;
}

FoldedPath foldPath(std::string_view path) {
  FoldedPath folded;
  for (std::string_view name : pathNames(path)) folded.push_back(foldName(name));
  return folded;
}

bool isWithin(const FoldedPath& inner, const FoldedPath& outer) {
  if (inner.size() < outer.size()) return false;
  for (std::size_t i = 0; i < outer.size(); ++i) {
    if (inner[i] != outer[i]) return false;
  }
  return true;
}

NamePattern::NamePattern(std::string_view text) : text_(text), folded_(foldName(text)) {
  wildcard_ = folded_.find_first_of(U"*?") != std::u32string::npos;
  dotStar_ = folded_.size() >= 2 && folded_.compare(folded_.size() - 2, 2, U".*") == 0;
}

bool NamePattern::matchesFolded(const std::u32string& name) const {
  if (folded_.empty()) return false;
  if (!wildcard_) return name == folded_;
  const std::u32string_view pattern(folded_);
  return wildMatch(pattern, name) ||
         (dotStar_ && wildMatch(pattern.substr(0, pattern.size() - 2), name));
}

}  // namespace scourix::catalog
