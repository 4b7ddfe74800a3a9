#pragma once
// The harness of the in-process UI tests: one hook that answers every modal window the
// program opens (message boxes, the rule editor, the common file dialogs), pumping
// messages until a condition holds, driving controls the way the user would, reading
// check-box trees, and running a test's steps inside a dialog's own loop.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/controls/check_tree_ctrl.h"
#include "ui/framework/controls.h"
#include "ui/framework/dialog.h"

namespace scourix::test {

// Answers the modal windows that open on this thread while it lives (WH_CBT hook). On
// activation of a "#32770" window it records the caption, the text of a message box and
// the owner, then answers: a file dialog gets `fileName` and OK (Cancel when it is
// empty); any other box, and an owned modal dialog of the program (the rule editor, the
// about box), gets `fill` and then the next queued button, or else the default one. The
// main window, the pages and the result window are never answered.
class MessageBoxAnswerer {
 public:
  struct Box {
    std::string caption;
    std::string text;
    HWND owner = nullptr;
  };

  explicit MessageBoxAnswerer(int button = IDOK);
  ~MessageBoxAnswerer();
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  // The next boxes get these buttons in turn; then the default button again. A button of
  // 0 leaves its box open.
  void QueueAnswers(const std::vector<int>& buttons);
  // Runs as each box opens, once it is recorded and before it is answered.
  std::function<void(HWND box)> onOpen;
  // Runs on each program dialog before its button is pressed: it may read and change it.
  std::function<void(HWND dialog)> fill;
  std::string fileName;
  const std::vector<Box>& boxes() const { return boxes_; }
  int count() const { return static_cast<int>(boxes_.size()); }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK AnswerFileDialog(HWND, UINT, UINT_PTR timer, DWORD);
  void OnActivate(HWND hwnd);

  HHOOK hook_ = nullptr;
  int button_;
  std::deque<int> queued_;
  std::vector<Box> boxes_;
  std::set<HWND> seen_;
  HWND fileDialog_ = nullptr;
};

// Routes and dispatches messages (as the program's own loops do) until `condition`
// holds; between rounds it waits at most 10 ms for new input.
bool PumpUntil(const std::function<bool()>& condition, int maxRounds = 3000);
inline void PumpPending() { Dialog::PumpPendingMessages(); }

// A click on button `id` of `dialog`, as the button reports it (WM_COMMAND BN_CLICKED).
void ClickButton(HWND dialog, int id);
// The key-down and key-up of `key` queued for `target` and pumped through the routing,
// with the keys `held` (VK_CONTROL, VK_SHIFT) down meanwhile.
void PressKey(HWND target, UINT key, std::initializer_list<BYTE> held = {});
// A notification of `control` to its parent; returns the parent's answer.
LRESULT SendNotify(HWND control, UINT code);
// A left click at a client point of `target`, button down then up.
void ClickAt(HWND target, POINT point);

inline CheckState BoxOf(const TreeView& tree, HTREEITEM item) {
  return static_cast<CheckState>((tree.GetItemState(item, TVIS_STATEIMAGEMASK) & TVIS_STATEIMAGEMASK) >> 12);
}
// The items below `parent` (TVI_ROOT: the top level), in order.
std::vector<HTREEITEM> ItemsBelow(const TreeView& tree, HTREEITEM parent);
std::vector<std::string> TextsBelow(const TreeView& tree, HTREEITEM parent);
HTREEITEM FindItem(const TreeView& tree, HTREEITEM parent, const std::string& text);
// A client point on the item's check box, found by hit testing along its row.
bool FindBoxPoint(const TreeView& tree, HTREEITEM item, POINT& point);
// A left click on the item's check box, as the user makes it (scrolled into view first).
void ClickBox(const TreeView& tree, HTREEITEM item);
// Paints the window and its children now: boxes are read after a paint.
inline void PaintNow(HWND hwnd) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
inline int ProgressPos(HWND bar) { return static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0)); }

// Holds a scan worker when it asks for the listing of one folder, until Open(). Used as
// the listing hook of a FakePlatform; the held request then goes on as usual.
class ListingGate {
 public:
  explicit ListingGate(std::string dir) : dir_(std::move(dir)) {}
  ~ListingGate() { Open(); }
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

// Runs a test's steps inside a dialog's own message loop: the dialog posts itself a
// message at the end of its initialisation and runs the script when it arrives.
constexpr UINT kRunScriptMessage = WM_APP + 77;

template <class Base>
class Scripted : public Base {
 public:
  using Base::Base;
  std::function<void()> script;
  // Posted after the script, so that a modal run always ends.
  bool closeAfterScript = true;

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = Base::OnInitDialog();
    PostMessageA(this->hwnd(), kRunScriptMessage, 0, 0);
    return result;
  }
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == kRunScriptMessage) {
      HWND self = this->hwnd();
      if (script) script();
      if (closeAfterScript && IsWindow(self)) PostMessageA(self, WM_CLOSE, 0, 0);
      return true;
    }
    return Base::HandleMessage(message, wParam, lParam, result);
  }
};

}  // namespace scourix::test
