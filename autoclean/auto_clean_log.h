#pragma once
// The record of the unattended clean, "scourix-auto.log" beside data.dsfw: text in the
// ANSI code page with CR LF line ends, one record appended per run. The log is the only
// witness of a run nobody watches: a run that cannot keep its record cleans nothing.
#include <cstdint>
#include <cstdio>
#include <string>

#include "autoclean/auto_clean.h"

namespace scourix {

constexpr char kAutoCleanLogName[] = "scourix-auto.log";
// Past this size the log is kept as scourix-auto.log.1 and a new one begins.
constexpr std::uint64_t kAutoCleanLogLimit = 1024 * 1024;

// The start time, per category the files removed and their size, what was freed and
// moved to the bin, then every file that could not be deleted and why; or why nothing
// was done.
std::string autoCleanLogText(const AutoCleanReport& report);

class AutoCleanLog {
 public:
  AutoCleanLog() = default;
  ~AutoCleanLog();
  AutoCleanLog(const AutoCleanLog&) = delete;
  AutoCleanLog& operator=(const AutoCleanLog&) = delete;

  // Opens the log for appending; one past kAutoCleanLogLimit is first moved to
  // path + ".1" (replacing the one there). False when the log cannot be opened (a folder
  // by its name, held by another program).
  bool open(Platform& platform, const std::string& path);
  // Appends the record of a run; false when it could not be written whole.
  bool append(const AutoCleanReport& report);

 private:
  std::FILE* file_ = nullptr;
};

// "scourix.exe /auto": opens the log before anything is scanned, runs and appends the
// record. The run's exit code, or kAutoCleanNoLog when the log could not be opened
// (nothing done) or the record not written.
int runLoggedAutoClean(CleanEngine& engine, const AutoCleanRun& run, const std::string& logPath);

}  // namespace scourix
