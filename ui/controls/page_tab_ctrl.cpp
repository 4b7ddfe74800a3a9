#include "ui/controls/page_tab_ctrl.h"

namespace scourix {

namespace {
constexpr int kPageMargin = 5;
}

RECT PageArea(const RECT& client, int tabRowHeight) {
  RECT area{client.left + kPageMargin, client.top + kPageMargin, client.right - kPageMargin,
            client.bottom - kPageMargin};
  area.top += tabRowHeight;
  return area;
}

bool PageTabCtrl::Attach(HWND hwnd) {
  if (!TabControl::Attach(hwnd) || !Subclass(hwnd)) return false;
  // The pages lie over the control; without this its background painting would wipe them.
  ModifyStyle(0, WS_CLIPSIBLINGS);
  return true;
}

bool PageTabCtrl::AddPage(const std::string& caption, Window* page) {
  if (caption.empty() || page == nullptr || page->hwnd() == nullptr) return false;
  pages_.push_back(page);
  SetWindowPos(page->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const int count = GetItemCount();
  page->Show(count == 0 ? SW_SHOW : SW_HIDE);
  InsertItem(count, caption);
  LayoutPages();
  return true;
}

void PageTabCtrl::SelectPage(int index) {
  const int current = GetCurSel();
  if (current == index) return;
  const bool hadFocus = current >= 0 && current < pageCount() && IsChild(page(current)->hwnd(), GetFocus());
  ShowPageOf(current, SW_HIDE);
  SetCurSel(index);
  ShowPageOf(GetCurSel(), SW_SHOW);
  if (!hadFocus) return;
  const int shown = GetCurSel();
  HWND first = shown >= 0 && shown < pageCount() ? GetNextDlgTabItem(page(shown)->hwnd(), nullptr, FALSE) : nullptr;
  SetFocus(first != nullptr ? first : hwnd_);
}

void PageTabCtrl::SelectNextPage(int steps) {
  const int count = pageCount();
  if (count == 0) return;
  SelectPage(((GetCurSel() + steps) % count + count) % count);
}

void PageTabCtrl::LayoutPages() {
  RECT tab{};
  const int rowHeight = GetItemRect(0, tab) ? tab.bottom - tab.top : 0;
  // In the coordinates of the parent, where the pages are.
  RECT client = ClientRect();
  MapWindowPoints(hwnd_, GetParent(hwnd_), reinterpret_cast<POINT*>(&client), 2);
  const RECT area = PageArea(client, rowHeight);
  for (Window* page : pages_) {
    page->Move(area.left, area.top, area.right - area.left, area.bottom - area.top, true);
  }
}

void PageTabCtrl::ShowPageOf(int tab, int command) const {
  if (tab >= 0 && tab < pageCount()) page(tab)->Show(command);
}

bool PageTabCtrl::OnReflectedNotify(NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case TCN_SELCHANGING:
      ShowPageOf(GetCurSel(), SW_HIDE);
      result = 0;
      return true;
    case TCN_SELCHANGE:
      ShowPageOf(GetCurSel(), SW_SHOW);
      result = 0;
      return true;
    default:
      return false;
  }
}

bool PageTabCtrl::OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_SIZE) return false;
  result = DefaultProc(message, wParam, lParam);
  LayoutPages();
  return true;
}

}  // namespace scourix
