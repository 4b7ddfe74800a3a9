// scourix-cli: the cleaning engine from the command line, for scripts and benchmarks.
#include <cstdio>
#include <cstring>

#include "cli/commands.h"

namespace {

int runCommand(const char* command, const scourix::cli::Args& args) {
  if (std::strcmp(command, "scan") == 0) return scourix::cli::scanCommand(args);
  if (std::strcmp(command, "trace") == 0) return scourix::cli::traceCommand(args);
  if (std::strcmp(command, "config") == 0) return scourix::cli::configCommand(args);
  if (std::strcmp(command, "rules") == 0) return scourix::cli::rulesCommand(args);
  if (std::strcmp(command, "clean") == 0) return scourix::cli::cleanCommand(args);
  std::fprintf(stderr, "scourix-cli: unknown command '%s'\n", command);
  scourix::cli::printUsage(stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    scourix::cli::printUsage(stderr);
    return 2;
  }
  const char* command = argv[1];
  if (std::strcmp(command, "--help") == 0 || std::strcmp(command, "-h") == 0) {
    scourix::cli::printUsage(stdout);
    return 0;
  }
  const int status = runCommand(command, scourix::cli::Args(argv + 2, argv + argc));
  // A list cut short (a full disk) must not pass for the whole one. For clean the list is
  // the only record of what was deleted, as the log is for /auto, whose code this is.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fputs("scourix-cli: cannot write the output\n", stderr);
    return 4;
  }
  return status;
}
