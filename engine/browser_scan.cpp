// The browser caches below one profile, as the browser table names them.
#include "engine/browser_caches.h"
#include "engine/trace_scan.h"

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

void TraceScan::scanBrowserCaches(const FolderPath& profile) {
  for (const BrowserCache& browser : browserCaches()) {
    if (stop_) return;
    if ((choices_->traceFlags.*browser.flag).get() == 0) continue;
    FolderPath appData;
    bool found = false;
    for (const char* candidate : appDataCandidates(browser.appData)) {
      found = findRealFolder(profile, candidate, appData);
      if (found) break;
    }
    FolderPath root;
    if (!found || !findRealFolder(appData, browser.subPath, root)) continue;
    if (browser.layout == CacheLayout::Chromium) {
      walkChromiumCaches(root, browser.label);
    } else {
      walkProfileCaches(root, "cache2", browser.label);
    }
  }
}

void TraceScan::walkChromiumCaches(const FolderPath& userData, const std::string& label) {
  walkProfileCaches(userData, nullptr, label);
  for (const char* shared : {"ShaderCache", "GrShaderCache"}) walkCacheFolder(userData, shared, label);
}

// Each real folder of `parent` that is a profile: with `cacheName` the folder of that
// name in it, without it (a Chromium "User Data") the Chromium caches of it.
void TraceScan::walkProfileCaches(const FolderPath& parent, const char* cacheName, const std::string& label) {
  const std::unique_ptr<DirListing> listing = platform_.openListing(parent);
  if (!listing) {
    noteUnreadable(parent.path);
    return;
  }
  const CodePage& codePage = platform_.codePage();
  DirEntry entry;
  while (!stop_ && listing->next(entry)) {
    if (!entry.isDirectory || entry.isLink || isDotOrDotDot(entry.name)) continue;
    const FolderPath profile = platform_.childOf(parent, entry);
    if (cacheName != nullptr) {
      walkCacheFolder(profile, cacheName, label);
      continue;
    }
    FolderPath cache;
    const bool hasCache = findRealFolder(profile, "Cache", cache);
    if (!hasCache && !isChromiumProfileName(codePage.lower(entry.name))) continue;
    if (hasCache) {
      // Newer versions keep the cache's files in Cache\Cache_Data, older ones in Cache.
      FolderPath data;
      walk(findRealFolder(cache, "Cache_Data", data) ? data : cache, label);
    }
    for (const char* other : {"Code Cache", "GPUCache"}) walkCacheFolder(profile, other, label);
  }
}

void TraceScan::walkCacheFolder(const FolderPath& parent, const char* name, const std::string& label) {
  FolderPath folder;
  if (findRealFolder(parent, name, folder)) walk(folder, label);
}

}  // namespace scourix
