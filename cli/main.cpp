// scourix-cli: the cleaning engine from the command line, for scripts and benchmarks.
#include <cstdio>
#include <cstring>

#include "cli/commands.h"

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
  scourix::cli::Args args(argv + 2, argv + argc);
  if (std::strcmp(command, "scan") == 0) return scourix::cli::scanCommand(args);
  if (std::strcmp(command, "trace") == 0) return scourix::cli::traceCommand(args);
  if (std::strcmp(command, "config") == 0) return scourix::cli::configCommand(args);
  if (std::strcmp(command, "rules") == 0) return scourix::cli::rulesCommand(args);
  if (std::strcmp(command, "clean") == 0) return scourix::cli::cleanCommand(args);
  std::fprintf(stderr, "scourix-cli: unknown command '%s'\n", command);
  scourix::cli::printUsage(stderr);
  return 2;
}
