#pragma once
// The texts of the result list window.
#include <cstdint>
#include <string>

namespace scourix {

// The caption: "结果列表[总数N]".
std::string ResultListCaption(int count);
// One line of the list: the category in square brackets, directly followed by the path.
std::string ResultLineText(const std::string& category, const std::string& path);
// The box after a deletion; it tells the size of what went to the recycle bin, if
// anything did, and how many ticked files could not be deleted.
std::string DeletionDoneText(int failed, int recycled = 0, std::uint64_t bytesRecycled = 0);

}  // namespace scourix
