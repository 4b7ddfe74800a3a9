#include "ui/framework/data_exchange.h"

namespace scourix {

void DataExchange::Control(int id, Window& control) {
  if (control.hwnd() == nullptr) control.Attach(Item(id));
}

void DataExchange::Text(int id, std::string& text) {
  HWND item = Item(id);
  if (item == nullptr) return;
  if (fromControls_) {
    text = WindowText(item);
  } else {
    SetWindowTextA(item, text.c_str());
  }
}

void DataExchange::Check(int id, int& state) {
  HWND item = Item(id);
  if (item == nullptr) return;
  if (fromControls_) {
    state = static_cast<int>(SendMessageA(item, BM_GETCHECK, 0, 0));
  } else {
    const int shown = state >= BST_UNCHECKED && state <= BST_INDETERMINATE ? state : BST_UNCHECKED;
    SendMessageA(item, BM_SETCHECK, static_cast<WPARAM>(shown), 0);
  }
}

void DataExchange::ComboIndex(int id, int& index) {
  HWND item = Item(id);
  if (item == nullptr) return;
  if (fromControls_) {
    index = static_cast<int>(SendMessageA(item, CB_GETCURSEL, 0, 0));
  } else {
    SendMessageA(item, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

}  // namespace scourix
