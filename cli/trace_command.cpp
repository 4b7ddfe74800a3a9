// trace [--no-pace] [--sizes] [--utf8] [--ticked] [--config FILE] [--system-root DIR] [--profiles DIR]
// [--catalog [+]FILE]... [--recycle ROOT]...: the trace scan with every location and every
// catalog entry on, each finding ticked as a clean with the defaults would tick it, without
// what the exclusion list of the configuration file FILE names.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/scan_report.h"

namespace scourix::cli {

int traceCommand(const Args& args) {
  bool pacing = true;
  OutputStyle style;
  std::string profiles, systemRoot, configPath;
  std::vector<std::string> roots, catalogs;
  catalog::CatalogSources sources;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--no-pace") {
      pacing = false;
    } else if (arg == "--utf8") {
      style.utf8 = true;
    } else if (arg == "--sizes") {
      style.sizes = true;
    } else if (arg == "--ticked") {
      style.tickedOnly = true;
    } else if (arg == "--profiles" || arg == "--recycle" || arg == "--system-root" || arg == "--catalog" ||
               arg == "--config") {
      if (i + 1 >= args.size() || args[i + 1].empty()) return usageError("trace", arg + " needs a value");
      const std::string& value = args[++i];
      if (arg == "--profiles") {
        profiles = value;
      } else if (arg == "--config") {
        configPath = value;
      } else if (arg == "--system-root") {
        systemRoot = value;
      } else if (arg == "--recycle") {
        roots.push_back(value);
      } else {
        // "+FILE" beside the built-in catalog, "FILE" instead of it.
        sources.builtIn = sources.builtIn && value[0] == '+';
        catalogs.push_back(value[0] == '+' ? value.substr(1) : value);
      }
    } else if (!arg.empty() && arg[0] == '-') {
      return usageError("trace", "unknown option " + arg);
    } else {
      return usageError("trace", "unexpected argument " + arg);
    }
  }

  Platform& platform = systemPlatform();
  for (const std::string& file : catalogs) {
    std::string text, reason;
    sources.files.push_back(platform.utf8Of(file));
    if (!platform.readFile(sources.files.back(), catalog::kLargestCatalog, text, reason)) {
      std::fprintf(stderr, "scourix-cli trace: cannot read %s: %s\n", file.c_str(), reason.c_str());
      return 1;
    }
  }
  CleanEngine engine(platform);
  engine.setPacing(pacing);
  if (!configPath.empty() && !takeExclusions(engine, "trace", configPath)) return 1;
  CatalogScan& catalog = engine.catalogScan();
  catalog.setSources(sources);
  catalog.setAllEntries(true);
  if (!systemRoot.empty()) {
    if (!checkListable(platform, "trace", systemRoot)) return 1;
    catalog.setSystemRoot(platform.utf8Of(systemRoot));
    // Another installation's own profiles, unless others are named.
    if (profiles.empty()) profiles = platform.folderOf(systemRoot).path + "Users";
  }
  if (!profiles.empty()) {
    if (!checkListable(platform, "trace", profiles)) return 1;
    engine.setProfilesFolder(profiles);
  }
  if (!addRoots(engine, "trace", roots)) return 1;
  const int status = runAndReport(engine, &CleanEngine::runTraceScan, style);
  std::fprintf(stderr, "catalog: %zu entries, %d skipped as broken, %d files refused by the deny list\n",
               catalog.loaded().entries.size(), catalog.loaded().broken, catalog.refused());
  return status;
}

}  // namespace scourix::cli
