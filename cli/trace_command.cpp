// trace [--no-pace] [--sizes] [--utf8] --profiles DIR [--recycle ROOT]...: the trace scan with every
// location on, over the given profiles folder and drive roots.
#include <string>

#include "cli/commands.h"
#include "cli/scan_report.h"

namespace scourix::cli {

int traceCommand(const Args& args) {
  bool pacing = true;
  OutputStyle style;
  std::string profiles;
  std::vector<std::string> roots;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--no-pace") {
      pacing = false;
    } else if (arg == "--utf8") {
      style.utf8 = true;
    } else if (arg == "--sizes") {
      style.sizes = true;
    } else if (arg == "--profiles" || arg == "--recycle") {
      if (i + 1 >= args.size()) return usageError("trace", arg + " needs a directory");
      if (arg == "--profiles") {
        profiles = args[++i];
      } else {
        roots.push_back(args[++i]);
      }
    } else if (!arg.empty() && arg[0] == '-') {
      return usageError("trace", "unknown option " + arg);
    } else {
      return usageError("trace", "unexpected argument " + arg);
    }
  }
  if (profiles.empty()) return usageError("trace", "--profiles DIR is required");

  Platform& platform = systemPlatform();
  CleanEngine engine(platform);
  engine.setPacing(pacing);
  if (!checkListable(platform, "trace", profiles)) return 1;
  engine.setProfilesFolder(profiles);
  if (!addRoots(engine, "trace", roots)) return 1;
  return runAndReport(engine, &CleanEngine::runTraceScan, style);
}

}  // namespace scourix::cli
