#pragma once
// Text conversion of the native build: UTF-16 to code page 936 through iconv.
#include <string>

namespace scourix {

// Characters that code page 936 cannot hold become '?'.
std::string utf16ToCp936(const std::u16string& text);

}  // namespace scourix
