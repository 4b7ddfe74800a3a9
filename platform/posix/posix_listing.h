#pragma once
// Directory listing with readdir and fstatat; subfolders are opened relative to their parent.
#include <memory>
#include <string>

#include "platform/platform.h"

namespace scourix {

// nullptr when the directory cannot be opened.
std::unique_ptr<DirListing> openPosixListing(const std::string& dir);

}  // namespace scourix
