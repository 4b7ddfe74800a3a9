#include "platform/code_page.h"

namespace scourix {

CodePage CodePage::gbk() {
  std::array<bool, 256> lead{};
  for (int b = 0x81; b <= 0xFE; ++b) lead[b] = true;
  return CodePage(lead);
}

CodePage CodePage::singleByte() { return CodePage(std::array<bool, 256>{}); }

std::size_t CodePage::lastOf(std::string_view text, char c) const {
  std::size_t found = std::string_view::npos;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (lead_[b] && i + 1 < text.size()) {
      i += 2;  // the trail byte may equal `c` without being that character
      continue;
    }
    if (text[i] == c) found = i;
    ++i;
  }
  return found;
}

std::size_t CodePage::firstOf(std::string_view text, char c, std::size_t from) const {
  for (std::size_t i = from; i < text.size(); ++i) {
    if (text[i] == c) return i;
    if (lead_[static_cast<unsigned char>(text[i])]) ++i;  // its trail byte is no character
  }
  return std::string_view::npos;
}

std::string CodePage::withSeparator(std::string path, char separator) const {
  if (!endsWith(path, separator)) path += separator;
  return path;
}

void CodePage::toLower(std::string& text) const {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (lead_[b] && i + 1 < text.size()) {
      i += 2;
      continue;
    }
    if (b >= 'A' && b <= 'Z') text[i] = static_cast<char>(b - 'A' + 'a');
    ++i;
  }
}

std::string CodePage::lower(std::string_view text) const {
  std::string copy(text);
  toLower(copy);
  return copy;
}

}  // namespace scourix
