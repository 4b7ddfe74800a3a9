// The check-box tree: propagation down and up, and the box toggling by mouse and space.
#include <gtest/gtest.h>

#include <vector>

#include "res/resource.h"
#include "tests/ui/scan_page_probe.h"
#include "tests/ui/ui_test_support.h"
#include "ui/controls/check_tree_ctrl.h"
#include "ui/framework/data_exchange.h"
#include "ui/framework/dialog.h"

namespace scourix::test {
namespace {

// The result window's template hosts a tree with TVS_CHECKBOXES, like every host.
class TreeHost : public Dialog {
 public:
  TreeHost() : Dialog(IDD_RESULT_LIST) {}
  CheckTreeCtrl tree;
  ImageList boxes;
  ImageList folders;
  std::vector<UINT> notifications;  // what reached the host from the tree

 protected:
  BOOL OnInitDialog() override {
    Dialog::OnInitDialog();
    folders.Load(IDB_FOLDERS, 16, RGB(255, 255, 255));
    boxes.Load(IDB_CHECK_BOXES, 13, RGB(255, 255, 255));
    tree.SetImageList(folders.handle(), TVSIL_NORMAL);
    tree.SetImageList(boxes.handle(), TVSIL_STATE);
    return TRUE;
  }
  void DoDataExchange(DataExchange& exchange) override { exchange.Control(IDC_RESULT_TREE, tree); }
  bool HandleMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) override {
    if (message == WM_NOTIFY) notifications.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
    return false;
  }
};

class CheckTreeTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Create(nullptr));
    root = tree().InsertItem("我的电脑", 0, 1);
    for (const char* name : {"C:\\", "D:\\", "E:\\"}) children.push_back(tree().InsertItem(name, 0, 1, root));
    tree().Expand(root);
    for (HTREEITEM child : children) tree().SetCheck(child, Ticked);
    Paint();
  }
  void TearDown() override { DestroyWindow(host.hwnd()); }

  CheckTreeCtrl& tree() { return host.tree; }
  // Boxes are read after a paint: a tree resets its items' states at its first paint
  // unless its state images were in place before the items came.
  void Paint() {
    tree().Invalidate();
    UpdateWindow(tree().hwnd());
    PumpPending();
  }
  POINT BoxPoint(HTREEITEM item) {
    POINT point{};
    EXPECT_TRUE(FindBoxPoint(tree(), item, point));
    return point;
  }
  POINT TextPoint(HTREEITEM item) {
    RECT rect{};
    tree().GetItemRect(item, rect, true);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }

  TreeHost host;
  HTREEITEM root = nullptr;
  std::vector<HTREEITEM> children;
};

TEST_F(CheckTreeTest, BoxesPropagateDownAndUp) {
  for (CheckState state : {Unticked, Partial}) EXPECT_EQ(ToggledState(state), Ticked);
  EXPECT_EQ(ToggledState(Ticked), Unticked);
  EXPECT_EQ(ToggledState(NoBox), NoBox);
  {
    SCOPED_TRACE("new items start unticked; states survive the paint; a top-level item stands alone");
    HTREEITEM other = tree().InsertItem("other", 0, 1);
    Paint();
    EXPECT_EQ(tree().GetCheck(other), Unticked);
    EXPECT_EQ(tree().GetCheck(root), Ticked);
    for (HTREEITEM child : children) EXPECT_EQ(tree().GetCheck(child), Ticked);
  }
  {
    SCOPED_TRACE("the root sums up its children: partial, unticked, ticked");
    tree().SetCheck(children[1], Unticked);
    EXPECT_EQ(tree().GetCheck(root), Partial);
    tree().SetCheck(children[0], Unticked);
    tree().SetCheck(children[2], Unticked);
    EXPECT_EQ(tree().GetCheck(root), Unticked);
    tree().SetCheck(root, Ticked);
    for (HTREEITEM child : children) EXPECT_EQ(tree().GetCheck(child), Ticked);
  }
  {
    SCOPED_TRACE("through every level, and without propagation down");
    HTREEITEM folder = tree().InsertItem("folder", 0, 1, children[0]);
    HTREEITEM file = tree().InsertItem("file", 0, 1, folder);
    tree().SetCheck(root, Ticked);
    EXPECT_EQ(tree().GetCheck(file), Ticked);
    tree().SetCheck(file, Unticked);
    EXPECT_EQ(tree().GetCheck(folder), Unticked);  // its only child
    EXPECT_EQ(tree().GetCheck(children[0]), Unticked);
    EXPECT_EQ(tree().GetCheck(root), Partial);
    tree().SetCheck(children[0], Ticked, false);
    EXPECT_EQ(tree().GetCheck(file), Unticked);
    EXPECT_EQ(tree().GetCheck(root), Ticked);
  }
  {
    SCOPED_TRACE("items without a box are left alone and do not count");
    tree().SetCheck(children[2], NoBox);
    EXPECT_EQ(tree().GetCheck(root), Ticked);
    tree().SetCheck(children[0], Unticked);
    tree().SetCheck(children[1], Unticked);
    EXPECT_EQ(tree().GetCheck(root), Unticked);
    tree().SetCheck(root, Ticked);
    EXPECT_EQ(tree().GetCheck(children[2]), NoBox);
  }
}

TEST_F(CheckTreeTest, MouseAndSpaceToggleBoxes) {
  {
    SCOPED_TRACE("a click on the text selects without touching boxes");
    ClickAt(tree().hwnd(), TextPoint(children[1]));
    Paint();
    EXPECT_EQ(tree().GetSelection(), children[1]);
    EXPECT_EQ(tree().GetCheck(children[1]), Ticked);
    EXPECT_EQ(SendNotify(tree().hwnd(), NM_CLICK), 0);
  }
  {
    SCOPED_TRACE("a click on the box toggles it once; a partial root becomes ticked");
    ClickAt(tree().hwnd(), BoxPoint(children[0]));
    EXPECT_EQ(SendNotify(tree().hwnd(), NM_CLICK), 1);  // answered one only on the box
    Paint();
    EXPECT_EQ(tree().GetCheck(children[0]), Unticked);
    EXPECT_EQ(tree().GetCheck(root), Partial);
    ClickAt(tree().hwnd(), BoxPoint(root));
    Paint();
    EXPECT_EQ(tree().GetCheck(root), Ticked);
    for (HTREEITEM child : children) EXPECT_EQ(tree().GetCheck(child), Ticked);
  }
  {
    SCOPED_TRACE("space toggles the selected item, and nothing without a selection");
    SetFocus(tree().hwnd());
    tree().SelectItem(children[2]);
    PressKey(tree().hwnd(), VK_SPACE);
    Paint();
    EXPECT_EQ(tree().GetCheck(children[2]), Unticked);
    EXPECT_EQ(tree().GetCheck(root), Partial);
    PressKey(tree().hwnd(), VK_SPACE);
    EXPECT_EQ(tree().GetCheck(root), Ticked);
    tree().SelectItem(nullptr);
    PressKey(tree().hwnd(), VK_SPACE);
    Paint();
    EXPECT_EQ(tree().GetCheck(root), Ticked);
  }
  {
    SCOPED_TRACE("the host never receives clicks or key-downs");
    tree().SelectItem(children[1]);
    PressKey(tree().hwnd(), VK_DOWN);
    EXPECT_EQ(tree().GetSelection(), children[2]);
    EXPECT_FALSE(host.notifications.empty());  // selection changes still arrive
    for (UINT code : host.notifications) {
      EXPECT_NE(code, static_cast<UINT>(NM_CLICK));
      EXPECT_NE(code, static_cast<UINT>(TVN_KEYDOWN));
    }
  }
}

}  // namespace
}  // namespace scourix::test
