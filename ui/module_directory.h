#pragma once
// The directory of the running executable, where "data.dsfw" lives.
#include <string>

namespace scourix {

// The path cut right after its last backslash; a path without one stays as it is.
std::string DirectoryOfPath(const std::string& path);

// The directory of the running executable, ending in a backslash. The path is read into
// a buffer that grows until it fits, so a deep directory is never cut short.
std::string GetModuleDirectory();

}  // namespace scourix
