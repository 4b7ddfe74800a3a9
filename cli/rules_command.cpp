// rules show FILE: the rules a rule text file gives, as the import reads them.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "settings/rule_text.h"

namespace scourix::cli {

namespace {

void printText(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

}  // namespace

int rulesCommand(const Args& args) {
  if (args.size() != 2 || args[0] != "show") {
    std::fputs("usage: scourix-cli rules show FILE\n", stderr);
    return 2;
  }
  const std::string& path = args[1];
  RuleStore store;
  switch (importRules(path, store, nullptr)) {
    case RuleFileStatus::Ok:
      break;
    case RuleFileStatus::CannotOpen:
      std::fprintf(stderr, "scourix-cli: cannot open %s\n", path.c_str());
      return 1;
    case RuleFileStatus::IoError:
      std::fprintf(stderr, "scourix-cli: cannot read %s\n", path.c_str());
      return 1;
  }
  for (const ScanRule& rule : store.all()) {
    printText(rule.pattern);
    std::fputs("\t", stdout);
    printText(rule.description);
    std::printf("\t%d\t%d\n", static_cast<int>(rule.matchMode), static_cast<int>(rule.enabled));
  }
  std::fflush(stdout);
  return 0;
}

}  // namespace scourix::cli
