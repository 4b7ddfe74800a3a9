#pragma once
// The seven kinds of usage traces of the trace page: the item text, the engine flag it
// shows and sets, and the description shown when it is selected.
#include <array>
#include <string>

#include "engine/scan_settings.h"

namespace scourix {

struct TraceItem {
  const char* text;
  Flag TraceFlags::*flag;
  const char* description;
};

constexpr int kTraceItemCount = 7;

// In tree order.
const std::array<TraceItem, kTraceItemCount>& TraceItems();

// The first item whose text is exactly `text` (case-sensitive); null when none is.
const TraceItem* FindTraceItem(const std::string& text);

}  // namespace scourix
