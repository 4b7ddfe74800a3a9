#pragma once
// The fixed table of trace locations: rows 1 to 6 below every user profile, in this
// order, rows 7 to 9 below every drive root.
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
  // Where the folder moved since Windows Vista, tried in this order when `subPath` is no
  // real folder (there it is a junction that refuses to be listed); null ends the list.
  std::array<const char*, 3> laterPaths{};
  // The folder's AutomaticDestinations and CustomDestinations are the user's pinned
  // jump-list entries, not traces.
  bool keepsJumpLists = false;
  // Programs write here now: a download being dragged, an installer unpacking. Files
  // created or written within the last day start unticked, with the lock.
  bool locksFreshFiles = false;
};

constexpr const char* kRecycledLabel = "devices Recycled files";
constexpr const char* kRecyclerLabel = "RECYCLER";
constexpr const char* kRecycleBinLabel = "Recycle Bin files";

const std::array<TraceLocation, 9>& traceLocations();

// Files of these names are never listed by a trace walk (compared lower-cased).
bool isTraceIndexFile(const std::string& lowerName);

// The jump-list folders of the Recent folder (compared lower-cased).
bool isJumpListFolder(const std::string& lowerName);

}  // namespace scourix
