#pragma once
// The text forms of names and paths on Windows: UTF-16 for the wide calls, UTF-8 for the
// exact paths the portable core keeps, the ANSI code page for everything else.
#include <string>

#include "platform/exact_path.h"

namespace scourix {

std::wstring wideFromUtf8(const std::string& text);
std::string utf8FromWide(const wchar_t* text, std::size_t length);
std::wstring wideFromAnsi(const std::string& text);
// Characters the code page cannot write become '?' (no look-alike replacements).
std::string ansiFromWide(const wchar_t* text, std::size_t length);

// The exact path of an absolute wide path: "\\?\" (or "\\?\UNC\" for "\\server\share")
// before it, so that the wide calls take every name as it is, at any length.
ExactPath exactFormOf(const std::wstring& absolute);
// An exact path as people write it: without "\\?\", a network path with "\\" again.
std::wstring plainTextOf(const ExactPath& path);
// The form the shell takes (it refuses "\\?\" paths): the plain text, but only when the
// system's normalisation leaves it as it is (no name ending in a full stop or a blank,
// nothing it would collapse), it is shorter than MAX_PATH and holds no wildcard or other
// character a name may not have. Otherwise false: the shell would act on another file.
bool shellFormOf(const ExactPath& path, std::wstring& plain);

}  // namespace scourix
