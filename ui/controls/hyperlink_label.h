#pragma once
// A static text that looks and acts like a web link: link colours, underline, hand
// cursor, a tooltip with the address, and a click (or Space, once Tab has reached it)
// that opens the address.
#include <string>

#include "ui/framework/control_hooks.h"
#include "ui/framework/controls.h"

namespace scourix {

struct LinkColours {
  COLORREF link = RGB(0, 0, 238);
  COLORREF visited = RGB(85, 26, 139);
  COLORREF hover = 0;
};

// The text colour: the hover colour while the pointer is over the label (or it has the
// focus), else the visited or the unvisited colour.
COLORREF LinkTextColour(const LinkColours& colours, bool hovering, bool visited);

// The command line that opens `address` with the command registered for HTML documents:
// the command is cut where its "%1" placeholder begins (at the opening quote of "\"%1\""),
// then a blank and the address follow.
std::string HtmlOpenCommand(const std::string& registeredCommand, const std::string& address);

class HyperLinkLabel : public Static, public ControlHooks {
 public:
  HyperLinkLabel();
  ~HyperLinkLabel() override;

  bool Attach(HWND hwnd) override;

  void SetTarget(const std::string& address);
  void SetUnderlined(bool underlined);
  void MarkVisited(bool visited);
  // Opens the address with the shell, falling back to the command registered for HTML
  // documents. The platform's result code: above 32 means success.
  virtual INT_PTR OpenTarget(const std::string& address, int showCommand);
  // Loads the hand cursor of the system's winhlp32.exe once, when it is there.
  void LoadHandCursor();

  const std::string& target() const { return target_; }
  bool visited() const { return visited_; }
  bool hovering() const { return hovering_; }
  bool underlined() const { return underlined_; }
  bool hasHandCursor() const { return cursor_ != nullptr; }
  // With the focus it shows as under the mouse.
  COLORREF textColour() const {
    return LinkTextColour(colours_, hovering_ || (hwnd_ != nullptr && GetFocus() == hwnd_), visited_);
  }
  HWND tooltip() const { return tooltip_; }

  bool OnReflectedCommand(UINT code, LRESULT& result) override;
  bool OnReflectedCtlColor(HDC dc, HBRUSH& brush) override;
  bool PreTranslate(MSG& message) override;

 protected:
  bool OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnControlDestroyed() override;

 private:
  void OnClicked();
  void OnMouseMove(POINT point);
  void RebuildFont();
  void RedrawNow() const;

  LinkColours colours_;
  bool hovering_ = false;
  bool visited_ = false;
  bool underlined_ = true;
  std::string target_;
  HFONT font_ = nullptr;
  HCURSOR cursor_ = nullptr;
  HWND tooltip_ = nullptr;
};

}  // namespace scourix
