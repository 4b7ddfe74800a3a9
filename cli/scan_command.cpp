// scan [--no-pace] [--sizes] [--utf8] [--ticked] [--rules FILE] [--config FILE] DIR...: the disk
// scan with every category on, each folder walked as a drive would be, without what the
// exclusion list of the configuration file FILE names.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/scan_report.h"
#include "settings/rule_text.h"

namespace scourix::cli {
namespace {

// A rules file holds a line per rule: far fewer bytes than this.
constexpr std::size_t kLargestRulesFile = 16u << 20;

}  // namespace

int scanCommand(const Args& args) {
  bool pacing = true;
  OutputStyle style;
  bool haveRules = false;
  std::string rulesPath;
  std::string configPath;
  std::vector<std::string> dirs;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.empty()) {
      // An unset variable in a script: the empty name would stand for the root.
      return usageError("scan", "an empty directory name");
    } else if (optionsEnded || arg[0] != '-') {
      dirs.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--no-pace") {
      pacing = false;
    } else if (arg == "--utf8") {
      style.utf8 = true;
    } else if (arg == "--sizes") {
      style.sizes = true;
    } else if (arg == "--ticked") {
      style.tickedOnly = true;
    } else if (arg == "--rules") {
      if (i + 1 >= args.size() || args[i + 1].empty()) return usageError("scan", "--rules needs a file");
      rulesPath = args[++i];
      haveRules = true;
    } else if (arg == "--config") {
      if (i + 1 >= args.size() || args[i + 1].empty()) return usageError("scan", "--config needs a file");
      configPath = args[++i];
    } else {
      return usageError("scan", "unknown option " + arg);
    }
  }
  if (dirs.empty()) return usageError("scan", "no directory given");

  CleanEngine engine(systemPlatform());
  engine.setPacing(pacing);
  if (haveRules) {
    std::string text;
    std::string reason;
    if (!engine.platform().readFile(engine.platform().utf8Of(rulesPath), kLargestRulesFile, text, reason)) {
      std::fprintf(stderr, "scourix-cli scan: cannot read rules file %s: %s\n", rulesPath.c_str(), reason.c_str());
      return 1;
    }
    for (const ScanRule& rule : parseRuleText(text)) engine.choices().rules.append(rule);
  }
  if (!configPath.empty() && !takeExclusions(engine, "scan", configPath)) return 1;
  if (!addRoots(engine, "scan", dirs)) return 1;
  return runAndReport(engine, &CleanEngine::runDiskScan, style);
}

}  // namespace scourix::cli
