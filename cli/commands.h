#pragma once
// The sub-commands of scourix-cli. Each takes the arguments after its name and returns
// the process exit code; errors go to stderr.
#include <string>
#include <vector>

namespace scourix::cli {

using Args = std::vector<std::string>;

int scanCommand(const Args& args);    // scan [--no-pace] [--sizes] [--utf8] [--ticked] [--rules FILE] DIR...
int traceCommand(const Args& args);   // trace [--system-root DIR] [--profiles DIR] [--catalog [+]FILE]... (main.cpp)
int configCommand(const Args& args);  // config show FILE | config copy IN OUT
int rulesCommand(const Args& args);   // rules show FILE
// clean [--config FILE] [--dry-run] [--sizes] [--utf8] [--recycle]
int cleanCommand(const Args& args);

}  // namespace scourix::cli
