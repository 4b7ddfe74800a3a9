#pragma once
// The directory of the running executable, where "data.dsfw" lives.
#include <string>

#include "platform/code_page.h"

namespace scourix {

// The path cut right after its last backslash (a character of its own, not the trail byte
// of a double-byte one); a path without one stays as it is.
std::string DirectoryOfPath(const std::string& path, const CodePage& codePage);

// The directory of the running executable, ending in a backslash. The path is read into
// a buffer that grows until it fits, so a deep directory is never cut short.
std::string GetModuleDirectory();

}  // namespace scourix
