#pragma once
// The twelve junk-category flags of the disk scan, the seven trace-location flags and
// the browser-cache flags.
#include "engine/flag.h"

namespace scourix {

// Declaration order; the configuration file stores them in an order of its own.
struct ScanSettings {
  Flag cppBuilderFiles{1};
  Flag visualCppFiles{1};
  Flag logTxtFiles{1};
  Flag emptyFiles{1};
  Flag garbageFiles{1};
  Flag cpyFiles{1};
  Flag helpTempFiles{1};
  Flag systemLogFiles{1};
  Flag setupTempFiles{1};
  Flag backupFiles{1};
  Flag customRules{1};
  Flag tempFiles{1};
};

struct TraceFlags {
  Flag tempInternetFiles{1};
  Flag internetHistory{1};
  Flag internetCookies{1};
  Flag offlinePages{1};
  Flag recycleBin{1};
  Flag windowsTemp{1};
  Flag recentDocuments{1};
  // The browser caches, one flag per browser.
  Flag chromeCache{1};
  Flag edgeCache{1};
  Flag firefoxCache{1};
  Flag safe360Cache{1};
  Flag speed360Cache{1};
  Flag qqBrowserCache{1};
  Flag browser2345Cache{1};
};

// Choices of the options page beyond the categories.
struct CleanOptions {
  Flag deleteToRecycleBin{0};  // deletion moves files to the recycle bin instead
};

}  // namespace scourix
