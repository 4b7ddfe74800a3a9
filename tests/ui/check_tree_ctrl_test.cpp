// The check-box tree: propagation down and up, and the box toggling by mouse and space.
#include <gtest/gtest.h>

#include <vector>

#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/check_tree_ctrl.h"
#include "ui/framework/data_exchange.h"
#include "ui/framework/dialog.h"

namespace scourix::test {
namespace {

TEST(ToggledState, TicksUntickedAndPartialAndUnticksTicked) {
  EXPECT_EQ(ToggledState(Unticked), Ticked);
  EXPECT_EQ(ToggledState(Partial), Ticked);
  EXPECT_EQ(ToggledState(Ticked), Unticked);
  EXPECT_EQ(ToggledState(NoBox), NoBox);
}

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
  // A client point on the item's check box, found by hit testing along its row.
  POINT BoxPoint(HTREEITEM item) {
    RECT rect{};
    tree().GetItemRect(item, rect, true);
    const int y = (rect.top + rect.bottom) / 2;
    for (int x = 0; x < rect.left; ++x) {
      UINT flags = 0;
      if (tree().HitTest(POINT{x, y}, &flags) == item && (flags & TVHT_ONITEMSTATEICON) != 0) return POINT{x, y};
    }
    ADD_FAILURE() << "no check box found";
    return POINT{0, 0};
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

TEST_F(CheckTreeTest, NewItemsStartUntickedAndStatesSurviveThePaint) {
  HTREEITEM extra = tree().InsertItem("F:\\", 0, 1);
  Paint();
  EXPECT_EQ(tree().GetCheck(extra), Unticked);
  EXPECT_EQ(tree().GetCheck(root), Ticked);
  for (HTREEITEM child : children) EXPECT_EQ(tree().GetCheck(child), Ticked);
}

TEST_F(CheckTreeTest, TheRootSumsUpItsChildren) {
  tree().SetCheck(children[1], Unticked);
  Paint();
  EXPECT_EQ(tree().GetCheck(root), Partial);
  tree().SetCheck(children[0], Unticked);
  tree().SetCheck(children[2], Unticked);
  Paint();
  EXPECT_EQ(tree().GetCheck(root), Unticked);
  tree().SetCheck(root, Ticked);
  Paint();
  for (HTREEITEM child : children) EXPECT_EQ(tree().GetCheck(child), Ticked);
}

TEST_F(CheckTreeTest, PropagatesThroughEveryLevel) {
  HTREEITEM folder = tree().InsertItem("folder", 0, 1, children[0]);
  HTREEITEM file = tree().InsertItem("file", 0, 1, folder);
  tree().SetCheck(root, Ticked);
  EXPECT_EQ(tree().GetCheck(file), Ticked);
  tree().SetCheck(file, Unticked);
  EXPECT_EQ(tree().GetCheck(folder), Unticked);  // its only child
  EXPECT_EQ(tree().GetCheck(children[0]), Unticked);
  EXPECT_EQ(tree().GetCheck(root), Partial);
  tree().SetCheck(children[0], Ticked, false);  // without propagation down
  EXPECT_EQ(tree().GetCheck(file), Unticked);
  EXPECT_EQ(tree().GetCheck(root), Ticked);
}

TEST_F(CheckTreeTest, ItemsWithoutABoxAreLeftAlone) {
  tree().SetCheck(children[2], NoBox);
  EXPECT_EQ(tree().GetCheck(children[2]), NoBox);
  EXPECT_EQ(tree().GetCheck(root), Ticked);  // NoBox changes nothing else
  tree().SetCheck(children[0], Unticked);
  tree().SetCheck(children[1], Unticked);
  EXPECT_EQ(tree().GetCheck(root), Unticked);  // the boxless sibling does not count
  tree().SetCheck(root, Ticked);
  EXPECT_EQ(tree().GetCheck(children[2]), NoBox);
}

TEST_F(CheckTreeTest, ATopLevelItemChangesNothingElse) {
  HTREEITEM other = tree().InsertItem("other", 0, 1);
  tree().SetCheck(other, Unticked);
  EXPECT_EQ(tree().GetCheck(root), Ticked);
  for (HTREEITEM child : children) EXPECT_EQ(tree().GetCheck(child), Ticked);
}

TEST_F(CheckTreeTest, AClickOnTheBoxTogglesItOnce) {
  ClickAt(tree().hwnd(), BoxPoint(children[0]));
  Paint();
  EXPECT_EQ(tree().GetCheck(children[0]), Unticked);
  EXPECT_EQ(tree().GetCheck(root), Partial);
  ClickAt(tree().hwnd(), BoxPoint(root));  // a partial box becomes ticked with its children
  Paint();
  EXPECT_EQ(tree().GetCheck(root), Ticked);
  for (HTREEITEM child : children) EXPECT_EQ(tree().GetCheck(child), Ticked);
}

TEST_F(CheckTreeTest, AClickOnTheTextSelectsWithoutTouchingBoxes) {
  ClickAt(tree().hwnd(), TextPoint(children[1]));
  Paint();
  EXPECT_EQ(tree().GetSelection(), children[1]);
  EXPECT_EQ(tree().GetCheck(children[1]), Ticked);
  EXPECT_EQ(tree().GetCheck(root), Ticked);
}

TEST_F(CheckTreeTest, TheHostNeverReceivesClicksOrKeyDowns) {
  ClickAt(tree().hwnd(), TextPoint(children[1]));
  ClickAt(tree().hwnd(), BoxPoint(children[1]));
  SetFocus(tree().hwnd());
  PressKey(tree().hwnd(), VK_DOWN);
  EXPECT_FALSE(host.notifications.empty());  // selection changes still arrive
  for (UINT code : host.notifications) {
    EXPECT_NE(code, static_cast<UINT>(NM_CLICK));
    EXPECT_NE(code, static_cast<UINT>(TVN_KEYDOWN));
  }
  EXPECT_EQ(tree().GetSelection(), children[2]);  // the arrow key still moved the selection
}

TEST_F(CheckTreeTest, TheClickNotificationIsAnsweredOneOnlyOnTheBox) {
  SendMessageA(tree().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(TextPoint(children[0]).x, TextPoint(children[0]).y));
  SendMessageA(tree().hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(TextPoint(children[0]).x, TextPoint(children[0]).y));
  EXPECT_EQ(SendNotify(tree().hwnd(), NM_CLICK), 0);
  const POINT box = BoxPoint(children[0]);
  SendMessageA(tree().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
  SendMessageA(tree().hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
  EXPECT_EQ(SendNotify(tree().hwnd(), NM_CLICK), 1);
}

TEST_F(CheckTreeTest, SpaceTogglesTheSelectedItem) {
  SetFocus(tree().hwnd());
  tree().SelectItem(children[2]);
  PressKey(tree().hwnd(), VK_SPACE);
  Paint();
  EXPECT_EQ(tree().GetCheck(children[2]), Unticked);
  EXPECT_EQ(tree().GetCheck(root), Partial);
  PressKey(tree().hwnd(), VK_SPACE);
  Paint();
  EXPECT_EQ(tree().GetCheck(children[2]), Ticked);
  EXPECT_EQ(tree().GetCheck(root), Ticked);
}

TEST_F(CheckTreeTest, SpaceWithoutASelectionOrOnABoxlessItemDoesNothing) {
  SetFocus(tree().hwnd());
  tree().SelectItem(nullptr);
  PressKey(tree().hwnd(), VK_SPACE);
  Paint();
  EXPECT_EQ(tree().GetCheck(root), Ticked);
  tree().SetCheck(children[0], NoBox);
  tree().SelectItem(children[0]);
  PressKey(tree().hwnd(), VK_SPACE);
  Paint();
  EXPECT_EQ(tree().GetCheck(children[0]), NoBox);
  EXPECT_EQ(tree().GetCheck(root), Ticked);
}

}  // namespace
}  // namespace scourix::test
