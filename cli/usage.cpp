#include "cli/commands.h"

namespace scourix::cli {

void printUsage(std::FILE* out) {
  std::fputs(
      "usage: scourix-cli scan [--no-pace] [--sizes] [--utf8] [--ticked] [--rules FILE] [--config FILE] DIR...\n"
      "       scourix-cli trace [--no-pace] [--sizes] [--utf8] [--ticked] [--config FILE] [--system-root DIR]\n"
      "         [--profiles DIR] [--catalog [+]FILE]... [--recycle ROOT]...\n"
      "       scourix-cli config show FILE\n"
      "       scourix-cli config copy IN OUT\n"
      "       scourix-cli rules show FILE\n"
      "       scourix-cli clean [--config FILE] [--dry-run] [--sizes] [--utf8] [--recycle]\n",
      out);
}

}  // namespace scourix::cli
