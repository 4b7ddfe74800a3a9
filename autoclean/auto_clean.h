#pragma once
// The unattended clean shared by "scourix.exe /auto" and "scourix-cli clean": the
// settings of a data.dsfw, a disk scan of its ticked drives, a trace scan of its ticked
// items, and the deletion of every ticked finding under the rules of the windows.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/clean_engine.h"

namespace scourix {

// Exit codes of both programs.
constexpr int kAutoCleanDone = 0;        // every ticked finding was deleted
constexpr int kAutoCleanIncomplete = 1;  // some could not be
constexpr int kAutoCleanNoSettings = 2;  // no settings file, or one that cannot be read: nothing done
constexpr int kAutoCleanBusy = 3;        // another scan holds the scan lock: nothing done
constexpr int kAutoCleanNoLog = 4;       // the log could not be opened (nothing done) or written

struct AutoCleanRun {
  // The settings: only the drives it ticks are scanned, only the items it ticks cleaned.
  std::string configPath;
  bool dryRun = false;      // find and list, delete nothing
  bool toRecycleBin = false;  // move to the bin whatever the settings say
};

struct CategoryTally {
  std::string category;
  int files = 0;
  std::uint64_t bytes = 0;
};

struct AutoCleanReport {
  int exitCode = kAutoCleanDone;
  std::int64_t startTime = 0;  // seconds since 1970-01-01 UTC
  std::string problem;         // why nothing was done (exit codes 2 and 3), in the code page
  // The ticked findings that left their place (deleted or moved to the bin; with a dry
  // run, that would be deleted), in the order found: the disk scan's, then the trace scan's.
  std::vector<FoundFile> removed;
  std::vector<CategoryTally> categories;  // of `removed`, in the order first met
  DeletionResult deletion;
};

// "/auto" or "-auto", in any letter case.
bool isAutoCleanSwitch(std::string_view argument);

// The whole run on the calling thread, in background mode and without pacing sleeps.
// Never writes the settings file.
AutoCleanReport runAutoClean(CleanEngine& engine, const AutoCleanRun& run);

}  // namespace scourix
