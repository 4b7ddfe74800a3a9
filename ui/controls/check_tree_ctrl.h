#pragma once
// The tree view with three-state check boxes of the disk page, the trace page and the
// result list window. Ticking an item ticks its descendants; a parent's box sums up its
// children. The box toggles on a click on it and on the space bar.
#include <functional>
#include <vector>

#include "ui/framework/control_hooks.h"
#include "ui/framework/controls.h"

namespace scourix {

// The state-image index of an item (bits 12 to 15 of its state).
enum CheckState : int { NoBox = 0, Unticked = 1, Partial = 2, Ticked = 3 };

// What a click or the space bar makes of a box: ticked becomes unticked, unticked and
// partial become ticked. An item without a box keeps none.
CheckState ToggledState(CheckState state);

class CheckTreeCtrl : public TreeView, public ControlHooks {
 public:
  // Told of every box the user toggles (click or space bar), after the change.
  using ToggleHandler = std::function<void(HTREEITEM item, CheckState before, CheckState after)>;

  bool Attach(HWND hwnd) override;

  // Sets the item's box; unless it is NoBox, the state goes down to the descendants
  // (propagateDown) and the ancestors are brought in line. Nonzero on success.
  BOOL SetCheck(HTREEITEM item, CheckState state, bool propagateDown = true);
  CheckState GetCheck(HTREEITEM item) const;
  // Sets the boxes of many siblings and then brings their ancestors in line once: linear
  // where a SetCheck per item would compare each with all its siblings.
  void SetSiblingChecks(const std::vector<HTREEITEM>& siblings, CheckState state);
  // Brings the boxes of `parent` and its ancestors in line with its children's, in one
  // pass over them (after items were inserted with their boxes).
  void SumUpChildren(HTREEITEM parent);

  void SetToggleHandler(ToggleHandler handler) { onToggle_ = std::move(handler); }

  // Boxes kept outside the tree, read by an item's data: a long flat list changes many
  // boxes at once by changing its records and redrawing, with no message per item (each
  // costs a search of the whole list in some tree views). The tree brings the boxes of
  // the lines in view in line before it paints, and a toggle starts from the source.
  using BoxSource = std::function<CheckState(LPARAM data)>;
  void SetBoxSource(BoxSource source) { boxSource_ = std::move(source); }

  // The tree consumes its own click and key-down notifications.
  bool OnReflectedNotify(NMHDR& header, LRESULT& result) override;

 protected:
  bool OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnControlDestroyed() override { Detach(); }

 private:
  void SetState(HTREEITEM item, CheckState state);
  void PropagateDown(HTREEITEM item, CheckState state);
  void PropagateUp(HTREEITEM item, CheckState state);
  bool SiblingDiffers(HTREEITEM item, CheckState state) const;
  void Toggle(HTREEITEM item);
  CheckState BoxOf(HTREEITEM item) const;
  void BringShownBoxesInLine();

  UINT lastHitFlags_ = 0;
  ToggleHandler onToggle_;
  BoxSource boxSource_;
};

// The pictures every host gives its check tree, sized for the screen's DPI: the four
// boxes as state images and the closed and open folder and a lock as item images, then
// the system's shield and warning sign.
class CheckTreeImages {
 public:
  // Must run before the first item is inserted: a tree without its own state images
  // resets the items' boxes when it first paints.
  void InstallOn(CheckTreeCtrl& tree);

  // The item images of the shield (administrator rights) and the warning sign; the
  // closed folder's where the system has none.
  int shield() const { return shield_; }
  int warning() const { return warning_; }

 private:
  int AddSystemIcon(LPCSTR id);

  ImageList checkBoxes_;
  ImageList items_;
  int shield_ = 0;
  int warning_ = 0;
};

}  // namespace scourix
