// The check-box tree: the root summing up its drives, and the boxes toggled by mouse and
// space without the host hearing of the clicks or keys.
#include <gtest/gtest.h>

#include <vector>

#include "res/resource.h"
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
  CheckTreeImages images;
  std::vector<UINT> notifications;  // what reached the host from the tree

 protected:
  BOOL OnInitDialog() override {
    Dialog::OnInitDialog();
    images.InstallOn(tree);
    return TRUE;
  }
  void DoDataExchange(DataExchange& exchange) override { exchange.Control(IDC_RESULT_TREE, tree); }
  bool OnCommand(int, UINT code) override {
    notifications.push_back(code);
    return false;
  }
};

TEST(CheckTree, TheRootSumsUpAndMouseAndSpaceToggleBoxes) {
  TreeHost host;
  ASSERT_TRUE(host.Create(nullptr));
  CheckTreeCtrl& tree = host.tree;
  HTREEITEM root = tree.InsertItem("我的电脑", 0, 1);
  const std::vector<HTREEITEM> items = {tree.InsertItem("C:\\", 0, 1, root), tree.InsertItem("D:\\", 0, 1, root),
                                        tree.InsertItem("E:\\", 0, 1, root)};
  tree.Expand(root);
  // The boxes of the root, then of `items`, read after a paint: a tree resets its items'
  // states at its first paint unless its state images were in place before the items came.
  const auto boxes = [&] {
    PaintNow(host.hwnd());
    std::string out = std::to_string(tree.GetCheck(root)) + "|";
    for (HTREEITEM item : items) out += std::to_string(tree.GetCheck(item));
    return out;
  };
  const auto click = [&](HTREEITEM item, bool onBox) {
    POINT point{};
    RECT rect{};
    EXPECT_TRUE(onBox ? FindBoxPoint(tree, item, point) : tree.GetItemRect(item, rect, true));
    if (!onBox) point = POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClickAt(tree.hwnd(), point);
    return SendNotify(tree.hwnd(), NM_CLICK);  // answered one only on the box
  };
  EXPECT_EQ(boxes(), "1|111");  // new items start unticked
  tree.SetCheck(root, Ticked);
  tree.SetCheck(items[1], Unticked);
  EXPECT_EQ(boxes(), "2|313");
  tree.SetCheck(items[2], NoBox);  // items without a box do not count
  tree.SetCheck(items[1], Ticked);
  EXPECT_EQ(boxes(), "3|330");
  tree.SetCheck(items[2], Ticked);
  EXPECT_EQ(click(items[1], false), 0);  // a click on the text selects without touching boxes
  EXPECT_EQ(tree.GetSelection(), items[1]);
  EXPECT_EQ(click(items[0], true), 1);  // a click on the box toggles it once
  EXPECT_EQ(boxes(), "2|133");
  click(root, true);  // a partial root becomes ticked
  EXPECT_EQ(boxes(), "3|333");
  SetFocus(tree.hwnd());  // space toggles the selected item, and nothing without a selection
  tree.SelectItem(items[2]);
  PressKey(tree.hwnd(), VK_SPACE);
  EXPECT_EQ(boxes(), "2|331");
  tree.SelectItem(nullptr);
  PressKey(tree.hwnd(), VK_SPACE);
  EXPECT_EQ(boxes(), "2|331");
  EXPECT_EQ(TreeView_EditLabel(tree.hwnd(), items[1]), nullptr);  // no edit box opens over a line
  EXPECT_FALSE(host.notifications.empty());  // selection changes still arrive, clicks and keys never
  for (UINT code : host.notifications) EXPECT_TRUE(code != NM_CLICK && code != TVN_KEYDOWN) << code;
  DestroyWindow(host.hwnd());
}

}  // namespace
}  // namespace scourix::test
