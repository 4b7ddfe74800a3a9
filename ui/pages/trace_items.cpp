#include "ui/pages/trace_items.h"

#include <algorithm>

#include "engine/browser_caches.h"
#include "engine/trace_locations.h"
#include "settings/config_extension.h"
#include "settings/config_file.h"

namespace scourix {

const std::array<TraceItem, kTraceItemCount>& TraceItems() {
  static const std::array<TraceItem, kTraceItemCount> items = {{
      {"Temporary Internet files", &TraceFlags::tempInternetFiles,
       "\tThe Temporary Internet Files folder contains Web pages stored on your hard disk for quick "
       "viewing. Your personalized settings for Web pages will be left intact.\t"},
      {"Internet explorer history.", &TraceFlags::internetHistory,
       "The History folder contains links to page you've visited , for quick access to recently "
       "viewed pages."},
      {"Internet Cookies.", &TraceFlags::internetCookies,
       "The Cookies will be cleaned. This are temporary files ,its safe to sweep them off."},
      {"Offline Web pages.", &TraceFlags::offlinePages, "The  will be clearing off line Pages."},
      {"Recycle Bin.", &TraceFlags::recycleBin,
       "The Recycle Bin contains files you have deleted from your computer. These files are not "
       "permanently removed until you empty the Recycle Bin."},
      {"Windows Temp files.", &TraceFlags::windowsTemp,
       "Programs sometimes store temporary information in a TEMP folder. Before a program closes, "
       "it usually deletes this information.You can safely delete temporary files that have not "
       "been modified in over a week."},
      {"Windows Recent Documents.", &TraceFlags::recentDocuments,
       "The Documents history will be cleaned. This are temporary history files ,its safe to sweep "
       "them off."},
  }};
  return items;
}

const std::array<TraceItem, kBrowserItemCount>& BrowserCacheItems() {
  static const std::array<TraceItem, kBrowserItemCount> items = {{
      {"Google Chrome", &TraceFlags::chromeCache,
       "Google Chrome keeps the pages, pictures and scripts you have viewed in its cache for quick "
       "viewing. Only the cache will be cleaned: your cookies, history, passwords and bookmarks will "
       "be left intact."},
      {"Microsoft Edge", &TraceFlags::edgeCache,
       "Microsoft Edge keeps the pages, pictures and scripts you have viewed in its cache for quick "
       "viewing. Only the cache will be cleaned: your cookies, history, passwords and favorites will "
       "be left intact."},
      {"Mozilla Firefox", &TraceFlags::firefoxCache,
       "Firefox keeps the pages and pictures you have viewed in the cache of each profile. Only the "
       "cache will be cleaned: your cookies, history, passwords and bookmarks will be left intact."},
      {"360安全浏览器", &TraceFlags::safe360Cache,
       "The cache of 360 Safe Browser holds copies of the pages you have viewed. Only the cache will "
       "be cleaned: your logins, history and favorites will be left intact."},
      {"360极速浏览器", &TraceFlags::speed360Cache,
       "The cache of 360 Speed Browser holds copies of the pages you have viewed. Only the cache "
       "will be cleaned: your logins, history and favorites will be left intact."},
      {"QQ浏览器", &TraceFlags::qqBrowserCache,
       "The cache of QQ Browser holds copies of the pages you have viewed. Only the cache will be "
       "cleaned: your logins, history and favorites will be left intact."},
      {"2345浏览器", &TraceFlags::browser2345Cache,
       "The cache of 2345 Browser holds copies of the pages you have viewed. Only the cache will be "
       "cleaned: your logins, history and favorites will be left intact."},
  }};
  return items;
}

std::vector<const TraceItem*> AllTraceItems() {
  std::vector<const TraceItem*> all;
  for (const TraceItem& item : TraceItems()) all.push_back(&item);
  for (const TraceItem& item : BrowserCacheItems()) all.push_back(&item);
  return all;
}

const TraceItem* FindTraceItem(const std::string& text) {
  for (const TraceItem* item : AllTraceItems()) {
    if (text == item->text) return item;
  }
  return nullptr;
}

std::string TraceItemName(const TraceItem& item) {
  for (const TraceFlagField& field : kTraceFlagsInFileOrder) {
    if (field.flag == item.flag) return field.name;
  }
  for (const ExtensionField& field : kExtensionFieldsInFileOrder) {
    if (field.traceFlag == item.flag) return field.name;
  }
  return std::string();
}

std::vector<std::string> TraceItemCategories(const TraceItem& item) {
  std::vector<std::string> categories;
  const auto add = [&categories](const char* label) {
    if (std::find(categories.begin(), categories.end(), label) == categories.end()) categories.push_back(label);
  };
  for (const TraceLocation& location : traceLocations()) {
    if (location.flag == item.flag) add(location.label);
  }
  for (const BrowserCache& browser : browserCaches()) {
    if (browser.flag == item.flag) add(browser.label);  // a browser with two places has one label
  }
  return categories;
}

}  // namespace scourix
