#pragma once
// The fixed table of trace locations: rows 1 to 6 below every user profile, in this
// order, rows 7 and 8 below every drive root.
#include <array>
#include <string>

#include "engine/scan_settings.h"

namespace scourix {

enum class TraceBase { Profile, DriveRoot };

struct TraceLocation {
  Flag TraceFlags::*flag;
  const char* subPath;  // below the base; '\\' stands for the platform's separator
  TraceBase base;
  const char* label;
};

constexpr const char* kRecycledLabel = "devices Recycled files";
constexpr const char* kRecyclerLabel = "RECYCLER";

const std::array<TraceLocation, 8>& traceLocations();

// The location's folder below `base`, which ends with the separator.
std::string tracePath(const TraceLocation& location, const std::string& base, char separator);

// Files of these names are never listed by a trace walk (compared lower-cased).
bool isTraceIndexFile(const std::string& lowerName);

}  // namespace scourix
