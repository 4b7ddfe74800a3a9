#pragma once
// Name comparisons for the categories and the rules. They are by bytes, but a match must
// begin on a character of its own: the trail byte of a double-byte character never
// starts one.
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace scourix {

// True when a character starts at byte `pos` of `text` (also at its end).
bool startsCharacter(const CodePage& codePage, std::string_view text, std::size_t pos);

// The last `length` bytes of `name`, lower-cased, when they begin a character; otherwise
// false.
bool lowerTail(const CodePage& codePage, std::string_view name, std::size_t length,
               std::string& tail);

// An empty pattern matches nothing: a rule without one must never tick every file.
// `pattern` equals the lower-cased end of `name` (the pattern itself is not lower-cased).
bool endsWithLowered(const CodePage& codePage, std::string_view name, std::string_view pattern);

// `pattern` occurs in `name` as it is, starting on a character.
bool containsExactly(const CodePage& codePage, std::string_view name, std::string_view pattern);

}  // namespace scourix
