#pragma once
// Wine's recycle bin: the XDG trash of the Unix user ($XDG_DATA_HOME/Trash, by default
// ~/.local/share/Trash). Wine's own shell moves a file there or, when it cannot (the file
// lies on another file system, the disk is full), deletes it for good without a word.
// Here a file goes by a rename that never copies: one the trash cannot take stays.
#include <string>

#include "platform/platform.h"

namespace scourix {

class WineTrash {
 public:
  // Finds the trash and makes its folders; not usable when not under Wine or when that
  // failed.
  WineTrash();
  bool usable() const { return !files_.empty(); }
  // Moves the file at a wide exact path into the trash, with the record that restores it.
  RecycleAnswer put(const std::wstring& path) const;

 private:
  std::wstring files_, info_;  // the trash's folders
};

}  // namespace scourix
