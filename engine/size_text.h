#pragma once
// A size the way Explorer writes it: "N 字节" below 1,024 bytes, else KB, MB, GB or TB
// (powers of 1,024) with three significant digits, truncated: "1.23 MB", "12.3 MB", "123 MB";
// like Explorer, from 1,000 of a unit on the next one serves ("0.97 MB").
#include <cstdint>
#include <string>

namespace scourix {

std::string formatSize(std::uint64_t bytes);

}  // namespace scourix
