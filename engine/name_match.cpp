#include "engine/name_match.h"

namespace scourix {

bool startsCharacter(const CodePage& codePage, std::string_view text, std::size_t pos) {
  std::size_t i = 0;
  while (i < pos) {
    const bool doubleByte =
        codePage.isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
    i += doubleByte ? 2 : 1;
  }
  return i == pos;
}

bool lowerTail(const CodePage& codePage, std::string_view name, std::size_t length,
               std::string& tail) {
  if (name.size() < length) return false;
  const std::size_t start = name.size() - length;
  if (!startsCharacter(codePage, name, start)) return false;
  tail.assign(name.substr(start));
  codePage.toLower(tail);
  return true;
}

bool endsWithLowered(const CodePage& codePage, std::string_view name, std::string_view pattern) {
  if (pattern.empty()) return false;
  std::string tail;
  return lowerTail(codePage, name, pattern.size(), tail) && tail == pattern;
}

bool containsExactly(const CodePage& codePage, std::string_view name, std::string_view pattern) {
  if (pattern.empty()) return false;
  for (std::size_t at = name.find(pattern); at != std::string_view::npos;
       at = name.find(pattern, at + 1)) {
    if (startsCharacter(codePage, name, at)) return true;
  }
  return false;
}

}  // namespace scourix
