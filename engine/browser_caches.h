#pragma once
// The browsers whose caches the trace scan lists: where each keeps them below a profile.
// Only the folders a browser rebuilds by itself; never its cookies, history, logins,
// bookmarks, local storage or settings.
#include <array>
#include <string>

#include "engine/scan_settings.h"

namespace scourix {

// A profile's own application-data folders (%LOCALAPPDATA% and %APPDATA% of its user).
enum class AppDataFolder { Local, Roaming };

enum class CacheLayout {
  // A "User Data" folder: Cache\Cache_Data (or Cache), Code Cache and GPUCache of each
  // profile folder in it, ShaderCache and GrShaderCache beside them.
  Chromium,
  // A profiles folder: the cache2 folder of each profile in it.
  Firefox,
};

struct BrowserCache {
  Flag TraceFlags::*flag;
  const char* label;
  AppDataFolder appData;
  const char* subPath;  // below the application-data folder; '\\' separates
  CacheLayout layout;
};

// A browser with two places has two rows with the same flag and label.
const std::array<BrowserCache, 8>& browserCaches();

// A folder of this name (lower-cased) in a browser's data is one of the caches above:
// Cache, Code Cache, GPUCache, ShaderCache, GrShaderCache, cache2.
bool isBrowserCacheFolder(const std::string& lowerName);

// Where a profile's application-data folder can be, in the order tried: the Windows XP
// place first.
const std::array<const char*, 2>& appDataCandidates(AppDataFolder folder);

}  // namespace scourix
