#pragma once
// A file size as Explorer shows it: "512 字节", "1.23 MB", "12.3 KB", "123 GB".
#include <cstdint>
#include <string>

namespace scourix {

std::string formatSize(std::uint64_t bytes);

}  // namespace scourix
