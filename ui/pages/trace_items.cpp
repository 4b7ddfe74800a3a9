#include "ui/pages/trace_items.h"

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

const TraceItem* FindTraceItem(const std::string& text) {
  for (const TraceItem& item : TraceItems()) {
    if (text == item.text) return &item;
  }
  return nullptr;
}

}  // namespace scourix
