#include "ui/dock_layout.h"

namespace scourix {

POINT DockedResultOrigin(const RECT& main, const RECT& result) {
  const int mainWidth = main.right - main.left;
  const int resultWidth = result.right - result.left;
  const int centreLine = main.left + mainWidth / 2;
  if (result.right < centreLine) return POINT{main.left - resultWidth + 1, main.top};
  return POINT{main.right, main.top};
}

int StartupShift(const RECT& result) { return (result.right - result.left) / 2; }

POINT CenteredOrigin(const RECT& window, const RECT& area) {
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  return POINT{area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
}

}  // namespace scourix
