#include "engine/trace_locations.h"

namespace scourix {

const std::array<TraceLocation, 8>& traceLocations() {
  // "Offlin~1" is the short name of the offline pages folder.
  static const std::array<TraceLocation, 8> table = {{
      {&TraceFlags::tempInternetFiles, "Local Settings\\Temporary Internet Files",
       TraceBase::Profile, "Temporary Internet Files"},
      {&TraceFlags::internetHistory, "Local Settings\\History", TraceBase::Profile,
       "Internet History Files"},
      {&TraceFlags::internetCookies, "Cookies", TraceBase::Profile, "Internet Cookies"},
      {&TraceFlags::offlinePages, "Offlin~1", TraceBase::Profile, "Offline files"},
      {&TraceFlags::windowsTemp, "Local Settings\\Temp", TraceBase::Profile, "temp files"},
      {&TraceFlags::recentDocuments, "Recent", TraceBase::Profile, "Internet Recent files"},
      {&TraceFlags::recycleBin, "Recycled", TraceBase::DriveRoot, kRecycledLabel},
      {&TraceFlags::recycleBin, "RECYCLER", TraceBase::DriveRoot, kRecyclerLabel},
  }};
  return table;
}

std::string tracePath(const TraceLocation& location, const std::string& base, char separator) {
  std::string path = base;
  for (const char* c = location.subPath; *c != '\0'; ++c) path += *c == '\\' ? separator : *c;
  return path;
}

bool isTraceIndexFile(const std::string& lowerName) {
  return lowerName == "info2" || lowerName == "desktop.ini";
}

}  // namespace scourix
