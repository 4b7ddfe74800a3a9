#pragma once
// The seven kinds of usage traces of the trace page and the browser caches of its group
// "浏览器缓存": the item text, the engine flag it shows and sets, and the description shown
// when it is selected.
#include <array>
#include <string>
#include <vector>

#include "engine/scan_settings.h"

namespace scourix {

struct TraceItem {
  const char* text;
  Flag TraceFlags::*flag;
  const char* description;
};

constexpr int kTraceItemCount = 7;
constexpr int kBrowserItemCount = 7;
constexpr char kBrowserGroupText[] = "浏览器缓存";

// In tree order.
const std::array<TraceItem, kTraceItemCount>& TraceItems();
// The items of the group, in tree order.
const std::array<TraceItem, kBrowserItemCount>& BrowserCacheItems();
// Every item with a box of its own, in tree order: the seven, then the group's.
std::vector<const TraceItem*> AllTraceItems();

// The first item whose text is exactly `text` (case-sensitive); null when none is.
const TraceItem* FindTraceItem(const std::string& text);

// The item's name on a command line: the name data.dsfw gives its flag.
std::string TraceItemName(const TraceItem& item);
// The categories of the findings the item's locations give.
std::vector<std::string> TraceItemCategories(const TraceItem& item);

}  // namespace scourix
