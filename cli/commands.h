#pragma once
// The sub-commands of scourix-cli. Each takes the arguments after its name and returns
// the process exit code; errors go to stderr.
#include <cstdio>
#include <string>
#include <vector>

namespace scourix::cli {

using Args = std::vector<std::string>;

// Every command's arguments, for --help and a wrong command line.
void printUsage(std::FILE* out);

// scan [--no-pace] [--sizes] [--utf8] [--ticked] [--rules FILE] [--config FILE] DIR...
int scanCommand(const Args& args);
// trace [--no-pace] [--sizes] [--utf8] [--ticked] [--config FILE] [--system-root DIR] [--profiles DIR]
// [--catalog [+]FILE]... [--recycle ROOT]...
int traceCommand(const Args& args);
int configCommand(const Args& args);  // config show FILE | config copy IN OUT
int rulesCommand(const Args& args);   // rules show FILE
// clean [--config FILE] [--dry-run] [--sizes] [--utf8] [--recycle]
int cleanCommand(const Args& args);

}  // namespace scourix::cli
