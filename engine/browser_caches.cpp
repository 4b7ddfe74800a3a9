#include "engine/browser_caches.h"

namespace scourix {

const std::array<BrowserCache, 8>& browserCaches() {
  static const std::array<BrowserCache, 8> table = {{
      {&TraceFlags::chromeCache, "Chrome cache", AppDataFolder::Local,
       "Google\\Chrome\\User Data", CacheLayout::Chromium},
      {&TraceFlags::edgeCache, "Edge cache", AppDataFolder::Local, "Microsoft\\Edge\\User Data",
       CacheLayout::Chromium},
      {&TraceFlags::firefoxCache, "Firefox cache", AppDataFolder::Local,
       "Mozilla\\Firefox\\Profiles", CacheLayout::Firefox},
      {&TraceFlags::safe360Cache, "360安全浏览器 cache", AppDataFolder::Roaming,
       "360se6\\User Data", CacheLayout::Chromium},
      {&TraceFlags::speed360Cache, "360极速浏览器 cache", AppDataFolder::Local,
       "360Chrome\\Chrome\\User Data", CacheLayout::Chromium},
      {&TraceFlags::speed360Cache, "360极速浏览器 cache", AppDataFolder::Local,
       "360ChromeX\\Chrome\\User Data", CacheLayout::Chromium},
      {&TraceFlags::qqBrowserCache, "QQ浏览器 cache", AppDataFolder::Local,
       "Tencent\\QQBrowser\\User Data", CacheLayout::Chromium},
      {&TraceFlags::browser2345Cache, "2345浏览器 cache", AppDataFolder::Local,
       "2345Explorer\\User Data", CacheLayout::Chromium},
  }};
  return table;
}

bool isBrowserCacheFolder(const std::string& lowerName) {
  for (const char* name : {"cache", "code cache", "gpucache", "shadercache", "grshadercache", "cache2"}) {
    if (lowerName == name) return true;
  }
  return false;
}

const std::array<const char*, 2>& appDataCandidates(AppDataFolder folder) {
  static const std::array<const char*, 2> local = {"Local Settings\\Application Data",
                                                   "AppData\\Local"};
  static const std::array<const char*, 2> roaming = {"Application Data", "AppData\\Roaming"};
  return folder == AppDataFolder::Local ? local : roaming;
}

}  // namespace scourix
