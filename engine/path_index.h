#pragma once
// The unique-path index of the found-file list: open addressing over the positions of
// the records, so a lookup costs one probe into a compact table and one comparison,
// however long the list grows.
#include <cstdint>
#include <string_view>
#include <vector>

namespace scourix {

class PathIndex {
 public:
  static std::uint32_t hashOf(std::string_view path);

  // `isPathAt(position)` tells whether the record at a position of the list has the path
  // whose hash is `hash`.
  template <class IsPathAt>
  bool contains(std::uint32_t hash, IsPathAt isPathAt) const {
    if (slots_.empty()) return false;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      const Slot& slot = slots_[i];
      if (slot.position == 0) return false;
      if (slot.hash == hash && isPathAt(slot.position - 1)) return true;
    }
  }

  // Records the path of the record at `position`; the caller checked it is new.
  void insert(std::uint32_t hash, std::size_t position);
  void clear();

 private:
  struct Slot {
    std::uint32_t hash;
    std::uint32_t position;  // list position + 1; 0 marks a free slot
  };
  void place(std::uint32_t hash, std::uint32_t stored);
  void grow();

  std::vector<Slot> slots_;
  std::size_t used_ = 0;
};

}  // namespace scourix
