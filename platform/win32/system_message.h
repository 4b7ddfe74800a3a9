#pragma once
#include <windows.h>

#include <string>

namespace scourix {

// The system's text for an error code, without its line end.
std::string SystemMessage(DWORD error);

}  // namespace scourix
