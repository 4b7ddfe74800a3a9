#include "ui/module_directory.h"

#include <windows.h>

#include <vector>

#include "platform/platform.h"

namespace scourix {

namespace {
constexpr size_t kLongestPath = 65536;  // beyond the longest path the system allows
}

std::string DirectoryOfPath(const std::string& path, const CodePage& codePage) {
  const size_t slash = codePage.lastOf(path, '\\');
  if (slash == std::string::npos) return path;
  return path.substr(0, slash + 1);
}

std::string GetModuleDirectory() {
  std::vector<char> buffer(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(GetModuleHandleA(nullptr), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) return DirectoryOfPath(std::string(buffer.data(), length), systemPlatform().codePage());
    if (buffer.size() >= kLongestPath) return std::string();
    buffer.assign(buffer.size() * 2, '\0');
  }
}

}  // namespace scourix
