// The browser caches below one profile, as the browser table names them.
#include "engine/browser_caches.h"
#include "engine/clean_engine.h"

namespace scourix {
namespace {

// The folders of "User Data" that are a browser's profiles even before they hold a
// cache: "Default" and "Profile 1", "Profile 2", ...
bool isChromiumProfileName(const std::string& lowerName) {
  if (lowerName == "default") return true;
  const std::string prefix = "profile ";
  if (lowerName.size() <= prefix.size() || lowerName.compare(0, prefix.size(), prefix) != 0) {
    return false;
  }
  return lowerName.find_first_not_of("0123456789", prefix.size()) == std::string::npos;
}

}  // namespace

void CleanEngine::scanBrowserCaches(const std::string& profile) {
  for (const BrowserCache& browser : browserCaches()) {
    if (stopRequested_) return;
    if ((choices_.traceFlags.*browser.flag).get() == 0) continue;
    std::string appData;
    bool found = false;
    for (const char* candidate : appDataCandidates(browser.appData)) {
      found = findRealFolder(profile, candidate, appData);
      if (found) break;
    }
    std::string root;
    if (!found || !findRealFolder(appData, browser.subPath, root)) continue;
    if (browser.layout == CacheLayout::Chromium) {
      walkChromiumCaches(root, browser.label);
    } else {
      walkProfileCaches(root, "cache2", browser.label);
    }
  }
}

void CleanEngine::walkChromiumCaches(const std::string& userData, const std::string& label) {
  walkProfileCaches(userData, nullptr, label);
  for (const char* shared : {"ShaderCache", "GrShaderCache"}) walkCacheFolder(userData, shared, label);
}

// Each real folder of `parent` that is a profile: with `cacheName` the folder of that
// name in it, without it (a Chromium "User Data") the Chromium caches of it.
void CleanEngine::walkProfileCaches(const std::string& parent, const char* cacheName,
                                    const std::string& label) {
  const std::unique_ptr<DirListing> listing = platform_.openListing(parent);
  if (!listing) {
    noteUnreadable(parent);
    return;
  }
  const CodePage& codePage = platform_.codePage();
  DirEntry entry;
  while (!stopRequested_ && listing->next(entry)) {
    if (!entry.isDirectory || entry.isLink || isDotOrDotDot(entry.name)) continue;
    const std::string profile = parent + entry.name + platform_.separator();
    if (cacheName != nullptr) {
      walkCacheFolder(profile, cacheName, label);
      continue;
    }
    std::string cache;
    const bool hasCache = findRealFolder(profile, "Cache", cache);
    if (!hasCache && !isChromiumProfileName(codePage.lower(entry.name))) continue;
    if (hasCache) {
      // Newer versions keep the cache's files in Cache\Cache_Data, older ones in Cache.
      std::string data;
      walkDirectory(findRealFolder(cache, "Cache_Data", data) ? data : cache, label);
    }
    for (const char* other : {"Code Cache", "GPUCache"}) walkCacheFolder(profile, other, label);
  }
}

void CleanEngine::walkCacheFolder(const std::string& parent, const char* name,
                                  const std::string& label) {
  std::string folder;
  if (findRealFolder(parent, name, folder)) walkDirectory(folder, label);
}

}  // namespace scourix
