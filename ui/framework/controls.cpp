#include "ui/framework/controls.h"

#include <vector>

namespace scourix {

namespace {
constexpr int kItemTextMax = 1024;
}

// The ANSI and the wide insert differ only in the text's characters.
template <class InsertStruct, class Text>
HTREEITEM TreeView::Insert(UINT message, const Text& text, int image, int selectedImage, HTREEITEM parent,
                           HTREEITEM after, LPARAM data, int stateImage) const {
  InsertStruct insert{};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = const_cast<typename Text::value_type*>(text.c_str());
  insert.item.iImage = image;
  insert.item.iSelectedImage = selectedImage;
  insert.item.lParam = data;
  if (stateImage != 0) {
    insert.item.mask |= TVIF_STATE;
    insert.item.state = INDEXTOSTATEIMAGEMASK(stateImage);
    insert.item.stateMask = TVIS_STATEIMAGEMASK;
  }
  return reinterpret_cast<HTREEITEM>(Send(message, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM TreeView::InsertItem(const std::string& text, int image, int selectedImage,
                               HTREEITEM parent, HTREEITEM after, LPARAM data, int stateImage) const {
  return Insert<TVINSERTSTRUCTA>(TVM_INSERTITEMA, text, image, selectedImage, parent, after, data, stateImage);
}

HTREEITEM TreeView::InsertWideItem(const std::wstring& text, int image, int selectedImage,
                                   HTREEITEM parent, HTREEITEM after, LPARAM data, int stateImage) const {
  return Insert<TVINSERTSTRUCTW>(TVM_INSERTITEMW, text, image, selectedImage, parent, after, data, stateImage);
}

LPARAM TreeView::GetItemData(HTREEITEM item) const {
  TVITEMA tvItem{};
  tvItem.mask = TVIF_PARAM;
  tvItem.hItem = item;
  if (!Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem))) return 0;
  return tvItem.lParam;
}

bool TreeView::SetWideItemText(HTREEITEM item, const std::wstring& text) const {
  TVITEMW tvItem{};
  tvItem.mask = TVIF_TEXT;
  tvItem.hItem = item;
  tvItem.pszText = const_cast<wchar_t*>(text.c_str());
  return Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tvItem)) != 0;
}

bool TreeView::SetItemState(HTREEITEM item, UINT state, UINT mask) const {
  TVITEMA tvItem{};
  tvItem.mask = TVIF_STATE;
  tvItem.hItem = item;
  tvItem.state = state;
  tvItem.stateMask = mask;
  return Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem)) != 0;
}

std::string TreeView::GetItemText(HTREEITEM item) const {
  std::vector<char> buffer(kItemTextMax, '\0');
  TVITEMA tvItem{};
  tvItem.mask = TVIF_TEXT;
  tvItem.hItem = item;
  tvItem.pszText = buffer.data();
  tvItem.cchTextMax = kItemTextMax;
  if (!Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem))) return std::string();
  return std::string(tvItem.pszText);
}

HTREEITEM TreeView::HitTest(POINT point, UINT* flags) const {
  TVHITTESTINFO info{};
  info.pt = point;
  auto item = reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  if (flags != nullptr) *flags = info.flags;
  return item;
}

bool TreeView::GetItemRect(HTREEITEM item, RECT& rect, bool textOnly) const {
  // TVM_GETITEMRECT takes the item handle in the rectangle it fills.
  *reinterpret_cast<HTREEITEM*>(&rect) = item;
  return Send(TVM_GETITEMRECT, textOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(&rect)) != 0;
}

int ListView::InsertColumn(int index, const std::string& heading, int width, int format) const {
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
  column.fmt = format;
  column.cx = width;
  column.pszText = const_cast<char*>(heading.c_str());
  return static_cast<int>(Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
}

int ListView::InsertItem(int index, const std::string& text) const {
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<char*>(text.c_str());
  return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool ListView::SetItemText(int row, int column, const std::string& text) const {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  return Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

std::string ListView::GetItemText(int row, int column) const {
  std::vector<char> buffer(kItemTextMax, '\0');
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = buffer.data();
  item.cchTextMax = kItemTextMax;
  Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return std::string(buffer.data());
}

bool ListView::SetItemState(int row, UINT state, UINT mask) const {
  LVITEMA item{};
  item.state = state;
  item.stateMask = mask;
  return Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

bool ListView::GetItemRect(int row, RECT& rect, int code) const {
  rect.left = code;
  return Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)) != 0;
}

int TabControl::InsertItem(int index, const std::string& text) const {
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(text.c_str());
  return static_cast<int>(Send(TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

std::string TabControl::GetItemText(int index) const {
  std::vector<char> buffer(kItemTextMax, '\0');
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = buffer.data();
  item.cchTextMax = kItemTextMax;
  if (!Send(TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return std::string();
  return std::string(item.pszText);
}

HIMAGELIST LoadImageListFromBitmap(int bitmapId, int cellWidth, COLORREF transparent) {
  return ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId), cellWidth, 1,
                              transparent, IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

bool ImageList::Load(int bitmapId, int cellWidth, COLORREF transparent) {
  Reset();
  handle_ = LoadImageListFromBitmap(bitmapId, cellWidth, transparent);
  return handle_ != nullptr;
}

void ImageList::Reset() {
  if (handle_ != nullptr) ImageList_Destroy(handle_);
  handle_ = nullptr;
}

}  // namespace scourix
