#pragma once
// Where the main window and the result list window stand: pure arithmetic on screen
// rectangles.
#include <windows.h>

namespace scourix {

// The top-left corner of the result window docked to the main window, at the main
// window's top: on the left (overlapping by one pixel column) when the result window's
// right edge lies left of the main window's centre line, else against its right edge.
POINT DockedResultOrigin(const RECT& main, const RECT& result);

// How far start-up moves the centred main window to the right, so that the pair of
// windows is centred: half the result window's width.
int StartupShift(const RECT& result);

// The top-left corner that centres a window in an area.
POINT CenteredOrigin(const RECT& window, const RECT& area);

}  // namespace scourix
