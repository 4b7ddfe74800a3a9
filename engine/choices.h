#pragma once
// What the user chose: the drives and categories of the disk scan, the trace items, the
// custom rules, the options and what no scan lists. The windows change it (the flags even
// while a scan runs); a scan reads it; data.dsfw stores it.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/exclusions.h"
#include "engine/flag.h"
#include "engine/rule_store.h"
#include "engine/scan_settings.h"

namespace scourix {

// One fixed drive of the disk scan.
struct DriveEntry {
  std::string root;         // "%c:\"
  std::string displayName;  // the tree label; the same text as root
  Flag selected{1};         // the user interface may change it while a scan runs
  std::int32_t present = 1;
};

struct Choices {
  ScanSettings settings;
  TraceFlags traceFlags;
  CleanOptions options;
  std::vector<DriveEntry> drives;
  RuleStore rules;
  // The catalog items' ticks by item name (catalog::tickName), never by
  // position, so that a changed catalog never hands a tick to another item. A name that is
  // not here was never chosen. Names are added on the windows' thread before a scan starts;
  // a flag may change while a scan runs, as the trace flags do.
  std::map<std::string, Flag> catalogTicks;
  Exclusions exclusions;
};

}  // namespace scourix
