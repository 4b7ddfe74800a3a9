#include "platform/win32/wide_text.h"

#include <windows.h>

namespace scourix {
namespace {

std::wstring wideFrom(UINT codePage, const std::string& text) {
  if (text.empty()) return std::wstring();
  const int bytes = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(codePage, 0, text.data(), bytes, nullptr, 0);
  if (units <= 0) return std::wstring();
  std::wstring out(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), bytes, out.data(), units);
  return out;
}

std::string narrowFrom(UINT codePage, DWORD flags, const wchar_t* text, std::size_t length) {
  if (length == 0) return std::string();
  const int units = static_cast<int>(length);
  const int bytes = WideCharToMultiByte(codePage, flags, text, units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, flags, text, units, out.data(), bytes, nullptr, nullptr);
  return out;
}

}  // namespace

std::wstring wideFromUtf8(const std::string& text) { return wideFrom(CP_UTF8, text); }

std::string utf8FromWide(const wchar_t* text, std::size_t length) {
  return narrowFrom(CP_UTF8, 0, text, length);
}

std::wstring wideFromAnsi(const std::string& text) { return wideFrom(CP_ACP, text); }

std::string ansiFromWide(const wchar_t* text, std::size_t length) {
  // No code page writes a character beyond the first 65,536: its pair of surrogates is
  // one character, one '?'.
  std::wstring single(text, length);
  std::size_t kept = 0;
  for (std::size_t i = 0; i < length; ++i) {
    const bool pair = IS_HIGH_SURROGATE(text[i]) && i + 1 < length && IS_LOW_SURROGATE(text[i + 1]);
    single[kept++] = pair ? L'?' : text[i];
    if (pair) ++i;
  }
  return narrowFrom(CP_ACP, WC_NO_BEST_FIT_CHARS, single.data(), kept);
}

namespace {

constexpr wchar_t kExactPrefix[] = L"\\\\?\\";
constexpr wchar_t kExactNetworkPrefix[] = L"\\\\?\\UNC\\";

bool startsWith(const std::wstring& text, const wchar_t* prefix) {
  return text.compare(0, wcslen(prefix), prefix) == 0;
}

}  // namespace

ExactPath exactFormOf(const std::wstring& absolute) {
  if (startsWith(absolute, kExactPrefix)) return ExactPath(absolute);
  if (startsWith(absolute, L"\\\\")) return ExactPath(kExactNetworkPrefix + absolute.substr(2));
  return ExactPath(kExactPrefix + absolute);
}

std::wstring plainTextOf(const ExactPath& path) {
  const std::wstring& exact = path.native();
  if (startsWith(exact, kExactNetworkPrefix)) return L"\\\\" + exact.substr(wcslen(kExactNetworkPrefix));
  if (startsWith(exact, kExactPrefix)) return exact.substr(wcslen(kExactPrefix));
  return exact;
}

bool shellFormOf(const ExactPath& path, std::wstring& plain) {
  plain = plainTextOf(path);
  if (plain.empty() || plain.size() >= MAX_PATH) return false;
  // A colon only after the drive letter: anywhere else it names a stream.
  if (plain.find_first_of(L"*?<>|\"/") != std::wstring::npos || plain.find(L':', 2) != std::wstring::npos) {
    return false;
  }
  wchar_t normalised[MAX_PATH + 1] = {};
  const DWORD length = GetFullPathNameW(plain.c_str(), MAX_PATH + 1, normalised, nullptr);
  return length == plain.size() && plain.compare(0, length, normalised, length) == 0;
}

}  // namespace scourix
