#include "engine/trace_locations.h"

namespace scourix {

const std::array<TraceLocation, 9>& traceLocations() {
  // "Offlin~1" is the short name of the offline pages folder.
  static const std::array<TraceLocation, 9> table = {{
      {&TraceFlags::tempInternetFiles, "Local Settings\\Temporary Internet Files",
       TraceBase::Profile, "Temporary Internet Files",
       {"AppData\\Local\\Microsoft\\Windows\\INetCache",
        "AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files"}},
      {&TraceFlags::internetHistory, "Local Settings\\History", TraceBase::Profile,
       "Internet History Files", {"AppData\\Local\\Microsoft\\Windows\\History"}},
      {&TraceFlags::internetCookies, "Cookies", TraceBase::Profile, "Internet Cookies",
       {"AppData\\Local\\Microsoft\\Windows\\INetCookies",
        "AppData\\Roaming\\Microsoft\\Windows\\Cookies"}},
      {&TraceFlags::offlinePages, "Offlin~1", TraceBase::Profile, "Offline files"},
      {&TraceFlags::windowsTemp, "Local Settings\\Temp", TraceBase::Profile, "temp files",
       {"AppData\\Local\\Temp"}, false, true},
      {&TraceFlags::recentDocuments, "Recent", TraceBase::Profile, "Internet Recent files",
       {"AppData\\Roaming\\Microsoft\\Windows\\Recent"}, true},
      {&TraceFlags::recycleBin, "Recycled", TraceBase::DriveRoot, kRecycledLabel},
      {&TraceFlags::recycleBin, "RECYCLER", TraceBase::DriveRoot, kRecyclerLabel},
      {&TraceFlags::recycleBin, "$Recycle.Bin", TraceBase::DriveRoot, kRecycleBinLabel},
  }};
  return table;
}

bool isTraceIndexFile(const std::string& lowerName) {
  return lowerName == "info2" || lowerName == "desktop.ini";
}

bool isJumpListFolder(const std::string& lowerName) {
  return lowerName == "automaticdestinations" || lowerName == "customdestinations";
}

}  // namespace scourix
