#pragma once
// One transfer step between a dialog's members and its controls, in one direction.
// A dialog lists its bindings in DoDataExchange; UpdateData runs them.
#include <windows.h>

#include <string>

#include "ui/framework/window.h"

namespace scourix {

class DataExchange {
 public:
  DataExchange(HWND dialog, bool fromControls) : dialog_(dialog), fromControls_(fromControls) {}

  bool fromControls() const { return fromControls_; }
  HWND dialog() const { return dialog_; }

  // Binds a wrapper (or custom control) to control `id` the first time; later
  // exchanges leave it bound.
  void Control(int id, Window& control);
  // The control's window text.
  void Text(int id, std::string& text);
  // A check box: 0 unticked, 1 ticked, 2 indeterminate. A value outside 0 to 2 shows as
  // an unticked box.
  void Check(int id, int& state);
  // The selected index of a combo box; -1: none.
  void ComboIndex(int id, int& index);

 private:
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }

  HWND dialog_;
  bool fromControls_;
};

}  // namespace scourix
