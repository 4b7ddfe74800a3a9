#pragma once
// The texts of the result list window.
#include <string>

#include "engine/found_file.h"

namespace scourix {

// The caption: "结果列表[总数N]".
std::string ResultListCaption(int count);
// One line of the list: the category in square brackets, directly followed by the path.
std::string ResultLineText(const std::string& category, const std::string& path);
// A line's pictures in the folder bitmap: the closed and open folder, or the lock of a
// finding that started unticked because deleting it could break a program.
struct LineImages {
  int normal;
  int selected;
};
LineImages ResultLineImages(const FoundFile& file);
// The box after a deletion; it tells how many ticked files could not be deleted.
std::string DeletionDoneText(int failed);

}  // namespace scourix
