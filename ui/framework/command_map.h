#pragma once
// A dialog's commands in one table, the way message maps declare them: each row names a
// control (or menu item), one of its notifications, and the dialog's handler for it. A
// dialog keeps its table as a static array in its OnCommand and hands it to RunCommand.
#include <windows.h>

#include <cstddef>

namespace scourix {

// The notification code of a menu item's WM_COMMAND.
constexpr UINT kMenuCommand = 0;

template <class D>
struct Command {
  int id;
  UINT code;  // BN_CLICKED, kMenuCommand, or a WM_NOTIFY code such as NM_CLICK
  void (D::*handler)();
};

// Runs the handler of the row for notification `code` of `id`; false when no row has it.
template <class D, std::size_t N>
bool RunCommand(D& dialog, const Command<D> (&table)[N], int id, UINT code) {
  for (const Command<D>& row : table) {
    if (row.id == id && row.code == code) {
      (dialog.*row.handler)();
      return true;
    }
  }
  return false;
}

}  // namespace scourix
