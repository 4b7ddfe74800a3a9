#pragma once
#include <cstdint>
#include <string>

namespace scourix {

enum MatchMode : std::int32_t { MatchAtEnd = 0, MatchAnywhere = 1 };

// One custom rule of the disk scan. Any nonzero matchMode acts as MatchAnywhere.
struct ScanRule {
  std::int32_t enabled = 1;
  std::string pattern;
  std::string description;
  std::int32_t matchMode = MatchAtEnd;

  bool operator==(const ScanRule& o) const {
    return enabled == o.enabled && pattern == o.pattern && description == o.description &&
           matchMode == o.matchMode;
  }
};

}  // namespace scourix
