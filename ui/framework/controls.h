#pragma once
// Thin wrappers of the standard and common controls, addressed through their HWND.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/framework/window.h"

namespace scourix {

class Static : public Window {};

class Edit : public Window {};

class Button : public Window {
 public:
  int GetCheck() const { return static_cast<int>(Send(BM_GETCHECK)); }
  void SetCheck(int state) const { Send(BM_SETCHECK, static_cast<WPARAM>(state)); }
};

class ComboBox : public Window {
 public:
  int AddString(const std::string& text) const {
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
  }
  int GetCount() const { return static_cast<int>(Send(CB_GETCOUNT)); }
  int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
  void SetCurSel(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
};

class ProgressBar : public Window {
 public:
  void SetRange32(int low, int high) const { Send(PBM_SETRANGE32, low, high); }
  int GetRangeHigh() const { return static_cast<int>(Send(PBM_GETRANGE, FALSE)); }
  void SetPos(int position) const { Send(PBM_SETPOS, static_cast<WPARAM>(position)); }
  int GetPos() const { return static_cast<int>(Send(PBM_GETPOS)); }
};

// Turns a window's redrawing off for a bulk change of its items, and on again with one
// repaint when it ends: list controls lay out and paint their items on every change otherwise.
class RedrawOff {
 public:
  explicit RedrawOff(const Window& window) : window_(window) { window_.Send(WM_SETREDRAW, FALSE); }
  ~RedrawOff() {
    window_.Send(WM_SETREDRAW, TRUE);
    window_.Invalidate(true);
  }
  RedrawOff(const RedrawOff&) = delete;
  RedrawOff& operator=(const RedrawOff&) = delete;

 private:
  const Window& window_;
};

class TreeView : public Window {
 public:
  // `data` is the item's own value (lParam); a nonzero `stateImage` its first box.
  HTREEITEM InsertItem(const std::string& text, int image, int selectedImage,
                       HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST, LPARAM data = 0,
                       int stateImage = 0) const;
  // The same with text in UTF-16, for names the ANSI code page cannot write.
  HTREEITEM InsertWideItem(const std::wstring& text, int image, int selectedImage,
                           HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST, LPARAM data = 0,
                           int stateImage = 0) const;
  LPARAM GetItemData(HTREEITEM item) const;
  bool SetWideItemText(HTREEITEM item, const std::wstring& text) const;
  bool DeleteAllItems() const { return Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)) != 0; }
  int GetCount() const { return static_cast<int>(Send(TVM_GETCOUNT)); }
  HTREEITEM GetNextItem(HTREEITEM item, UINT code) const {
    return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
  }
  HTREEITEM GetRoot() const { return GetNextItem(nullptr, TVGN_ROOT); }
  HTREEITEM GetChild(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
  HTREEITEM GetNextSibling(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
  HTREEITEM GetPrevSibling(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUS); }
  HTREEITEM GetParent(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
  HTREEITEM GetSelection() const { return GetNextItem(nullptr, TVGN_CARET); }
  bool SelectItem(HTREEITEM item) const {
    return Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
  }
  bool Expand(HTREEITEM item, UINT code = TVE_EXPAND) const {
    return Send(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)) != 0;
  }
  UINT GetItemState(HTREEITEM item, UINT mask) const {
    return static_cast<UINT>(Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
  }
  bool SetItemState(HTREEITEM item, UINT state, UINT mask) const;
  std::string GetItemText(HTREEITEM item) const;
  HIMAGELIST SetImageList(HIMAGELIST list, int type) const {
    return reinterpret_cast<HIMAGELIST>(Send(TVM_SETIMAGELIST, static_cast<WPARAM>(type),
                                             reinterpret_cast<LPARAM>(list)));
  }
  HIMAGELIST GetImageList(int type) const {
    return reinterpret_cast<HIMAGELIST>(Send(TVM_GETIMAGELIST, static_cast<WPARAM>(type)));
  }
  // The item under a client point and where on it the point lies (TVHT_* flags).
  HTREEITEM HitTest(POINT point, UINT* flags) const;
  // The rectangle of an item; textOnly: only its label.
  bool GetItemRect(HTREEITEM item, RECT& rect, bool textOnly) const;

 private:
  template <class InsertStruct, class Text>
  HTREEITEM Insert(UINT message, const Text& text, int image, int selectedImage, HTREEITEM parent,
                   HTREEITEM after, LPARAM data, int stateImage) const;
};

class ListView : public Window {
 public:
  int InsertColumn(int index, const std::string& heading, int width, int format = LVCFMT_LEFT) const;
  bool SetColumnWidth(int index, int width) const { return Send(LVM_SETCOLUMNWIDTH, index, width) != 0; }
  int InsertItem(int index, const std::string& text) const;
  bool SetItemText(int row, int column, const std::string& text) const;
  std::string GetItemText(int row, int column) const;
  bool DeleteAllItems() const { return Send(LVM_DELETEALLITEMS) != 0; }
  bool DeleteItem(int row) const { return Send(LVM_DELETEITEM, static_cast<WPARAM>(row)) != 0; }
  int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
  int GetSelectedCount() const { return static_cast<int>(Send(LVM_GETSELECTEDCOUNT)); }
  // The next row after `start` (-1: from the beginning) with the LVNI_* flags.
  int GetNextItem(int start, UINT flags) const {
    return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
  }
  DWORD GetExtendedStyle() const { return static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  void SetExtendedStyle(DWORD style) const { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style); }
  bool SetItemState(int row, UINT state, UINT mask) const;
  UINT GetItemState(int row, UINT mask) const {
    return static_cast<UINT>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
  }
  bool GetItemRect(int row, RECT& rect, int code = LVIR_BOUNDS) const;
};

class TabControl : public Window {
 public:
  int InsertItem(int index, const std::string& text) const;
  int GetItemCount() const { return static_cast<int>(Send(TCM_GETITEMCOUNT)); }
  int GetCurSel() const { return static_cast<int>(Send(TCM_GETCURSEL)); }
  int SetCurSel(int index) const { return static_cast<int>(Send(TCM_SETCURSEL, static_cast<WPARAM>(index))); }
  bool GetItemRect(int index, RECT& rect) const {
    return Send(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)) != 0;
  }
  std::string GetItemText(int index) const;
};

// Owns an image list; destroys it with the object.
class ImageList {
 public:
  ImageList() = default;
  ~ImageList() { Reset(); }
  ImageList(const ImageList&) = delete;
  ImageList& operator=(const ImageList&) = delete;

  // Loads a bitmap resource of the program as cells `cellWidth` wide, growth 1, with
  // `transparent` as the mask colour.
  bool Load(int bitmapId, int cellWidth, COLORREF transparent);
  HIMAGELIST handle() const { return handle_; }
  void Reset();

 private:
  HIMAGELIST handle_ = nullptr;
};

// An image list made from a bitmap resource of the program: cells `cellWidth` wide,
// `transparent` as the mask colour. Null when the bitmap is missing.
HIMAGELIST LoadImageListFromBitmap(int bitmapId, int cellWidth, COLORREF transparent);

}  // namespace scourix
