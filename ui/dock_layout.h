#pragma once
// Where the main window and the result list window stand: pure arithmetic on screen
// rectangles inside the work area of one monitor.
#include <windows.h>

namespace scourix {

inline SIZE SizeOf(const RECT& rect) { return SIZE{rect.right - rect.left, rect.bottom - rect.top}; }

// The result window docked to the main window at its top: on the left (overlapping by
// one pixel column) when the work area has room for it there, else on the right when it
// has room there, else on the side with more room (the right one when even). Where
// neither side has room the list is moved in, over the main window: a window that fits
// the work area always lies wholly inside it.
RECT DockedResultRect(const RECT& main, SIZE result, const RECT& workArea);

// The main window's top-left corner at start-up. The pair of windows is centred when it
// fits; else the main window starts at the left edge and the list lies over its right
// part. A window taller than the work area starts
// at its top edge, so that its caption stays on the screen.
POINT StartupMainOrigin(SIZE main, SIZE result, const RECT& workArea);

}  // namespace scourix
