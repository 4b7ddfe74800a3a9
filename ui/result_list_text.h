#pragma once
// The texts of the result list window.
#include <string>

namespace scourix {

// The caption: "结果列表[总数N]".
std::string ResultListCaption(int count);
// One line of the list: the category in square brackets, directly followed by the path.
std::string ResultLineText(const std::string& category, const std::string& path);
// The same line for the wide calls, with the path as the file system spells it (UTF-8).
std::wstring ResultLineWideText(const std::string& category, const std::string& exactPath);
// The box after a deletion; it tells how many ticked files could not be deleted.
std::string DeletionDoneText(int failed);

}  // namespace scourix
