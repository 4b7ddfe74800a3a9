#pragma once
// What the scan and trace commands share: checking folders, printing the findings and
// the summary.
#include <string>

#include "engine/clean_engine.h"

namespace scourix::cli {

// True when the folder can be listed; otherwise says so on stderr.
bool checkListable(Platform& platform, const std::string& command, const std::string& dir);

// Writes "category<TAB>path" for every finding, in the order found, to stdout.
void printFindings(const CleanEngine& engine);

// The summary line on stderr.
void printSummary(const CleanEngine& engine, double seconds);

// The usage error of a command (exit code 2).
int usageError(const std::string& command, const std::string& message);

}  // namespace scourix::cli
