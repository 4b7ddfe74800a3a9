#include "ui/controls/check_tree_ctrl.h"

#include "res/resource.h"

namespace scourix {

namespace {
// The signed client coordinates of a mouse message (windowsx.h would clash with the tree
// wrapper's names).
int PointX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
int PointY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

// The boxes and item pictures drawn for each usual DPI, so that they keep their size
// beside the text; a DPI between two takes the smaller set.
struct TreePictures {
  int dpi;
  int boxes;
  int boxSize;
  int items;
  int itemSize;
};
constexpr TreePictures kTreePictures[] = {{96, IDB_CHECK_BOXES, 13, IDB_FOLDERS, 16},
                                          {120, IDB_CHECK_BOXES_120, 16, IDB_FOLDERS_120, 20},
                                          {144, IDB_CHECK_BOXES_144, 20, IDB_FOLDERS_144, 24},
                                          {192, IDB_CHECK_BOXES_192, 26, IDB_FOLDERS_192, 32}};

const TreePictures& PicturesFor(int dpi) {
  const TreePictures* chosen = &kTreePictures[0];
  for (const TreePictures& pictures : kTreePictures) {
    if (pictures.dpi <= dpi) chosen = &pictures;
  }
  return *chosen;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}
}  // namespace

CheckState ToggledState(CheckState state) {
  switch (state) {
    case Ticked:
      return Unticked;
    case Unticked:
    case Partial:
      return Ticked;
    default:
      return NoBox;
  }
}

bool CheckTreeCtrl::Attach(HWND hwnd) { return TreeView::Attach(hwnd) && Subclass(hwnd); }

BOOL CheckTreeCtrl::SetCheck(HTREEITEM item, CheckState state, bool propagateDown) {
  const BOOL result = SetItemState(item, INDEXTOSTATEIMAGEMASK(state), TVIS_STATEIMAGEMASK) ? TRUE : FALSE;
  if (state == NoBox) return result;
  if (propagateDown) PropagateDown(item, state);
  PropagateUp(item, state);
  return result;
}

CheckState CheckTreeCtrl::GetCheck(HTREEITEM item) const {
  return static_cast<CheckState>((GetItemState(item, TVIS_STATEIMAGEMASK) & TVIS_STATEIMAGEMASK) >> 12);
}

void CheckTreeCtrl::SetState(HTREEITEM item, CheckState state) {
  SetItemState(item, INDEXTOSTATEIMAGEMASK(state), TVIS_STATEIMAGEMASK);
}

void CheckTreeCtrl::PropagateDown(HTREEITEM item, CheckState state) {
  for (HTREEITEM child = GetChild(item); child != nullptr; child = GetNextSibling(child)) {
    if (GetCheck(child) != NoBox) SetState(child, state);
    PropagateDown(child, state);
  }
}

bool CheckTreeCtrl::SiblingDiffers(HTREEITEM item, CheckState state) const {
  auto differs = [&](HTREEITEM sibling) {
    const CheckState s = GetCheck(sibling);
    return s != state && s != NoBox;
  };
  for (HTREEITEM s = GetNextSibling(item); s != nullptr; s = GetNextSibling(s)) {
    if (differs(s)) return true;
  }
  for (HTREEITEM s = GetPrevSibling(item); s != nullptr; s = GetPrevSibling(s)) {
    if (differs(s)) return true;
  }
  return false;
}

void CheckTreeCtrl::PropagateUp(HTREEITEM item, CheckState state) {
  for (HTREEITEM parent = GetParent(item); parent != nullptr; item = parent, parent = GetParent(item)) {
    if (SiblingDiffers(item, state)) {
      for (HTREEITEM a = parent; a != nullptr; a = GetParent(a)) {
        if (GetCheck(a) != NoBox) SetState(a, Partial);
      }
      return;
    }
    if (GetCheck(parent) != NoBox) SetState(parent, state);
  }
}

void CheckTreeCtrl::SetSiblingChecks(const std::vector<HTREEITEM>& siblings, CheckState state) {
  if (siblings.empty()) return;
  for (HTREEITEM item : siblings) {
    SetState(item, state);
    if (state != NoBox) PropagateDown(item, state);
  }
  if (state != NoBox) PropagateUp(siblings.front(), state);
}

void CheckTreeCtrl::SumUpChildren(HTREEITEM parent) {
  HTREEITEM first = GetChild(parent);
  if (first == nullptr) return;
  const CheckState state = GetCheck(first);
  if (state != NoBox) PropagateUp(first, state);
}

CheckState CheckTreeCtrl::BoxOf(HTREEITEM item) const {
  return boxSource_ ? boxSource_(GetItemData(item)) : GetCheck(item);
}

// Only the lines in view: the others are brought in line when they come into view.
void CheckTreeCtrl::BringShownBoxesInLine() {
  const int shown = static_cast<int>(Send(TVM_GETVISIBLECOUNT)) + 1;  // a part-shown last line too
  HTREEITEM item = GetNextItem(nullptr, TVGN_FIRSTVISIBLE);
  for (int i = 0; i < shown && item != nullptr; ++i, item = GetNextItem(item, TVGN_NEXTVISIBLE)) {
    const CheckState box = BoxOf(item);
    if (GetCheck(item) != box) SetState(item, box);
  }
}

void CheckTreeCtrl::Toggle(HTREEITEM item) {
  const CheckState before = BoxOf(item);
  const CheckState after = ToggledState(before);
  SetCheck(item, after, true);
  if (onToggle_) onToggle_(item, before, after);
}

bool CheckTreeCtrl::OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_LBUTTONDOWN: {
      const POINT point{PointX(lParam), PointY(lParam)};
      UINT flags = 0;
      HTREEITEM item = HitTest(point, &flags);
      lastHitFlags_ = flags;
      if ((flags & TVHT_ONITEMSTATEICON) != 0 && item != nullptr) Toggle(item);
      return false;
    }
    case WM_KEYDOWN: {
      if (wParam != VK_SPACE) return false;
      HTREEITEM item = GetSelection();
      if (item != nullptr && BoxOf(item) != NoBox) Toggle(item);
      result = 0;
      return true;
    }
    case WM_PAINT:
      if (boxSource_) BringShownBoxesInLine();
      return false;
    case WM_DESTROY:
      // The state images belong to the host; the tree must not free them with itself.
      SetImageList(nullptr, TVSIL_STATE);
      return false;
    default:
      return false;
  }
}

bool CheckTreeCtrl::OnReflectedNotify(NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case NM_CLICK:
      result = (lastHitFlags_ & TVHT_ONITEMSTATEICON) != 0 ? 1 : 0;
      return true;
    case TVN_KEYDOWN:
      result = 0;
      return true;
    // A line's text is the finding's or the item's: no edit box opens over it, where
    // Enter and Esc would not close it.
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW:
      result = TRUE;
      return true;
    default:
      return false;
  }
}

void CheckTreeImages::InstallOn(CheckTreeCtrl& tree) {
  constexpr COLORREF kTransparent = RGB(255, 255, 255);
  const TreePictures& pictures = PicturesFor(ScreenDpi());
  checkBoxes_.Load(pictures.boxes, pictures.boxSize, kTransparent);
  items_.Load(pictures.items, pictures.itemSize, kTransparent);
  shield_ = AddSystemIcon(IDI_SHIELD);
  warning_ = AddSystemIcon(IDI_WARNING);
  tree.SetImageList(items_.handle(), TVSIL_NORMAL);
  tree.SetImageList(checkBoxes_.handle(), TVSIL_STATE);
}

// Drawn at the list's own size; a shared icon is the system's to free.
int CheckTreeImages::AddSystemIcon(LPCSTR id) {
  int width = 0;
  int height = 0;
  if (!ImageList_GetIconSize(items_.handle(), &width, &height)) return 0;
  HICON icon = static_cast<HICON>(LoadImageA(nullptr, id, IMAGE_ICON, width, height, LR_SHARED));
  const int index = icon != nullptr ? ImageList_AddIcon(items_.handle(), icon) : -1;
  return index >= 0 ? index : 0;
}

}  // namespace scourix
