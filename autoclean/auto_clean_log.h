#pragma once
// The report of an unattended clean, "scourix-auto.log" beside data.dsfw: text in the
// ANSI code page with CR LF line ends.
#include <string>

#include "autoclean/auto_clean.h"

namespace scourix {

// The start time, per category the files removed and their size, what was freed and
// moved to the bin, then every file that could not be deleted and why.
std::string autoCleanLogText(const AutoCleanReport& report);

// Replaces the file at path with the report; false when it cannot be written.
bool writeAutoCleanLog(const std::string& path, const AutoCleanReport& report);

}  // namespace scourix
