#pragma once
#include <windows.h>

#include <string>

namespace scourix {

// The system's text for an error code, without its line end.
std::string SystemMessage(DWORD error);

// The error says a program holds the file open without sharing what was asked.
inline bool IsInUseError(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

}  // namespace scourix
