#include "tests/ui/scan_page_probe.h"

#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"

namespace scourix::test {

CheckState BoxOf(const TreeView& tree, HTREEITEM item) {
  return static_cast<CheckState>((tree.GetItemState(item, TVIS_STATEIMAGEMASK) & TVIS_STATEIMAGEMASK) >> 12);
}

std::vector<HTREEITEM> ItemsBelow(const TreeView& tree, HTREEITEM parent) {
  std::vector<HTREEITEM> items;
  HTREEITEM item = parent == TVI_ROOT ? tree.GetRoot() : tree.GetChild(parent);
  for (; item != nullptr; item = tree.GetNextSibling(item)) items.push_back(item);
  return items;
}

std::vector<std::string> TextsBelow(const TreeView& tree, HTREEITEM parent) {
  std::vector<std::string> texts;
  for (HTREEITEM item : ItemsBelow(tree, parent)) texts.push_back(tree.GetItemText(item));
  return texts;
}

HTREEITEM FindItem(const TreeView& tree, HTREEITEM parent, const std::string& text) {
  for (HTREEITEM item : ItemsBelow(tree, parent)) {
    if (tree.GetItemText(item) == text) return item;
  }
  return nullptr;
}

bool FindBoxPoint(const TreeView& tree, HTREEITEM item, POINT& point) {
  RECT rect{};
  if (!tree.GetItemRect(item, rect, true)) return false;
  const int y = (rect.top + rect.bottom) / 2;
  for (int x = 0; x < rect.left; ++x) {
    UINT flags = 0;
    if (tree.HitTest(POINT{x, y}, &flags) == item && (flags & TVHT_ONITEMSTATEICON) != 0) {
      point = POINT{x, y};
      return true;
    }
  }
  return false;
}

void ClickBox(const TreeView& tree, HTREEITEM item) {
  POINT point{};
  if (!FindBoxPoint(tree, item, point)) {
    ADD_FAILURE() << "no check box to click for " << tree.GetItemText(item);
    return;
  }
  const LPARAM position = MAKELPARAM(point.x, point.y);
  // A tree that allows dragging watches the queue for the release while the button is
  // down, as it finds it there when the user clicks.
  PostMessageA(tree.hwnd(), WM_LBUTTONUP, 0, position);
  SendMessageA(tree.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, position);
  PumpPending();
}

void PaintNow(HWND hwnd) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

int ProgressRangeHigh(HWND bar) { return static_cast<int>(SendMessageA(bar, PBM_GETRANGE, FALSE, 0)); }

int ProgressPos(HWND bar) { return static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0)); }

PageHost::PageHost() {
  hwnd_ = CreateWindowExA(0, "STATIC", "page host", WS_POPUP | WS_VISIBLE, 0, 0, 700, 500, nullptr, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
}

PageHost::~PageHost() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

std::unique_ptr<DirListing> ListingGate::Hold(const std::string& dir) {
  if (dir == dir_) {
    std::unique_lock<std::mutex> lock(mutex_);
    reached_ = true;
    opened_.wait(lock, [this] { return open_; });
  }
  return nullptr;
}

void ListingGate::Open() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = true;
  }
  opened_.notify_all();
}

}  // namespace scourix::test
