#pragma once
// What the tests of the scanning pages share: reading and clicking tree boxes, a host
// window for a page, and a gate that holds a scan worker at a chosen folder.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/controls/check_tree_ctrl.h"
#include "ui/framework/controls.h"

namespace scourix::test {

CheckState BoxOf(const TreeView& tree, HTREEITEM item);
// The items below `parent` (TVI_ROOT: the top level), in order.
std::vector<HTREEITEM> ItemsBelow(const TreeView& tree, HTREEITEM parent);
std::vector<std::string> TextsBelow(const TreeView& tree, HTREEITEM parent);
// The first item below `parent` with exactly this text, or null.
HTREEITEM FindItem(const TreeView& tree, HTREEITEM parent, const std::string& text);
// A client point on the item's check box, found by hit testing along its row; false when
// the item shows no box (it is out of sight, for one).
bool FindBoxPoint(const TreeView& tree, HTREEITEM item, POINT& point);
// A left click on the item's check box, as the user makes it: the release is queued
// before the press arrives.
void ClickBox(const TreeView& tree, HTREEITEM item);
// Paints the window and its children now: boxes are read after a paint.
void PaintNow(HWND hwnd);
int ProgressRangeHigh(HWND bar);
int ProgressPos(HWND bar);

// A visible top-level window to hold a page (the pages are child windows).
class PageHost {
 public:
  PageHost();
  ~PageHost();
  PageHost(const PageHost&) = delete;
  PageHost& operator=(const PageHost&) = delete;
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

// Holds a scan worker when it asks for the listing of one folder, until Open(). Used as
// the listing hook of a FakePlatform; the held request then goes on as usual.
class ListingGate {
 public:
  explicit ListingGate(std::string dir) : dir_(std::move(dir)) {}
  ~ListingGate() { Open(); }
  ListingGate(const ListingGate&) = delete;
  ListingGate& operator=(const ListingGate&) = delete;

  std::unique_ptr<DirListing> Hold(const std::string& dir);
  bool reached() const { return reached_; }
  void Open();

 private:
  std::string dir_;
  std::mutex mutex_;
  std::condition_variable opened_;
  bool open_ = false;
  std::atomic<bool> reached_{false};
};

}  // namespace scourix::test
