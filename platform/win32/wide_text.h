#pragma once
// The text forms of names and paths on Windows: UTF-16 for the wide calls, UTF-8 for the
// exact paths the portable core keeps, the ANSI code page for everything else.
#include <string>

namespace scourix {

std::wstring wideFromUtf8(const std::string& text);
std::string utf8FromWide(const wchar_t* text, std::size_t length);
std::wstring wideFromAnsi(const std::string& text);
// Characters the code page cannot write become '?' (no look-alike replacements).
std::string ansiFromWide(const wchar_t* text, std::size_t length);

// The form of an absolute path that the wide calls accept at any length: "\\?\" before
// a path that the ordinary form does not reach (MAX_PATH and longer).
std::wstring longPathForm(const std::wstring& path);

}  // namespace scourix
