#pragma once
// The tab control that hosts the main window's pages: each tab owns one page window,
// only the current tab's page is visible, and every page fills the display area. The
// pages are the control's siblings above it, so that the window's Tab key goes from the
// tab strip into the page's controls and back.
#include <string>
#include <vector>

#include "ui/framework/control_hooks.h"
#include "ui/framework/controls.h"

namespace scourix {

// The display area of the pages: the client rectangle shrunk by 5 pixels on every side
// and lowered further by the height of the tab row.
RECT PageArea(const RECT& client, int tabRowHeight);

class PageTabCtrl : public TabControl, public ControlHooks {
 public:
  bool Attach(HWND hwnd) override;

  // Appends a tab showing `caption` for `page`, a child of the control's parent, and puts
  // the page above the control. The first page is shown, later ones hidden. False
  // (nothing added) when the caption is empty or the page has no window.
  bool AddPage(const std::string& caption, Window* page);
  // Hides the current page, makes tab `index` current and shows its page. A focus inside
  // the hidden page goes to the new page's first control (or the tab strip).
  void SelectPage(int index);
  // The tab `steps` after the current one, round the end (negative: before it).
  void SelectNextPage(int steps);
  // Moves every page to the display area.
  void LayoutPages();

  int pageCount() const { return static_cast<int>(pages_.size()); }
  Window* page(int index) const { return pages_.at(static_cast<size_t>(index)); }

  bool OnReflectedNotify(NMHDR& header, LRESULT& result) override;

 protected:
  bool OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnControlDestroyed() override { Detach(); }

 private:
  void ShowPageOf(int tab, int command) const;

  std::vector<Window*> pages_;
};

}  // namespace scourix
