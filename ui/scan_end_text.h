#pragma once
// The text of the box that ends a scan.
#include <string>

#include "engine/scan_observer.h"

namespace scourix {

// "扫描完毕"; a trace scan that met folders it could not list says how many.
std::string ScanEndText(ScanKind kind, int unreadableLocations);

}  // namespace scourix
