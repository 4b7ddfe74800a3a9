#include "ui/dock_layout.h"

#include <algorithm>

namespace scourix {

namespace {

// The start that centres `length` between low and high, or low when it does not fit.
int CentredStart(int length, int low, int high) { return low + std::max(0, (high - low - length) / 2); }

// `start` moved the least that brings the whole length between low and high; a length
// longer than the room starts at low, so that its caption and top-left corner show.
int KeptInView(int start, int length, int low, int high) { return std::max(low, std::min(start, high - length)); }

}  // namespace

RECT DockedResultRect(const RECT& main, SIZE result, const RECT& workArea) {
  const int roomLeft = main.left + 1 - workArea.left;
  const int roomRight = workArea.right - main.right;
  const bool onLeft = roomLeft >= result.cx || (roomRight < result.cx && roomLeft > roomRight);
  const int x = KeptInView(onLeft ? main.left + 1 - result.cx : main.right, result.cx, workArea.left, workArea.right);
  const int y = KeptInView(main.top, result.cy, workArea.top, workArea.bottom);
  return RECT{x, y, x + result.cx, y + result.cy};
}

POINT StartupMainOrigin(SIZE main, SIZE result, const RECT& workArea) {
  const int top = CentredStart(std::max(main.cy, result.cy), workArea.top, workArea.bottom);
  const int pairWidth = main.cx + result.cx - 1;
  if (pairWidth <= workArea.right - workArea.left) {
    return POINT{CentredStart(pairWidth, workArea.left, workArea.right) + result.cx - 1, top};
  }
  return POINT{workArea.left, top};
}

}  // namespace scourix
