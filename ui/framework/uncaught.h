#pragma once
// An exception that reached a window or dialog procedure: it must not unwind through the
// system's code, so the procedure ends the message and the user is told.
#include <windows.h>

namespace scourix {

// Called in a catch block: reports the exception being handled in a box over the window's
// top-level window; quiet while such a box is open on this thread.
void ReportUncaught(HWND hwnd) noexcept;

}  // namespace scourix
