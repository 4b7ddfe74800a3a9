#pragma once
// What the scan and trace commands share: checking folders, the exclusion list, printing
// the findings and the summary.
#include <string>
#include <vector>

#include "engine/clean_engine.h"

namespace scourix::cli {

// How the findings are printed.
struct OutputStyle {
  bool sizes = false;  // a size column between category and path
  bool utf8 = false;   // exact paths in UTF-8 instead of the ANSI code page
  bool tickedOnly = false;  // only the findings that start ticked (what a clean would delete)
};

// True when the folder can be listed; otherwise says so on stderr.
bool checkListable(Platform& platform, const std::string& command, const std::string& dir);

// Adds each folder to the engine's drive list, as a drive root; false (said on stderr)
// when one cannot be listed.
bool addRoots(CleanEngine& engine, const std::string& command,
              const std::vector<std::string>& dirs);

// Takes the exclusion list of a configuration file (data.dsfw) into the engine; false (said
// on stderr) when the file cannot be read whole.
bool takeExclusions(CleanEngine& engine, const std::string& command, const std::string& configPath);

// Runs a scan on this thread, then writes "category<TAB>path" for every finding, in the
// order found, to stdout ("category<TAB>size<TAB>path" with sizes) and the summary line,
// with the findings' total size, to stderr. Returns the exit code. With utf8 the lines are
// in UTF-8 and the paths exact; otherwise in the ANSI code page.
int runAndReport(CleanEngine& engine, void (CleanEngine::*scan)(), const OutputStyle& style);

// The usage error of a command (exit code 2).
int usageError(const std::string& command, const std::string& message);

}  // namespace scourix::cli
