#include "engine/path_index.h"

#include <functional>

namespace scourix {
namespace {

constexpr std::size_t kFirstSize = 64;

}  // namespace

std::uint32_t PathIndex::hashOf(std::string_view path) {
  const std::size_t full = std::hash<std::string_view>{}(path);
  return static_cast<std::uint32_t>(full ^ (static_cast<std::uint64_t>(full) >> 32));
}

void PathIndex::insert(std::uint32_t hash, std::size_t position) {
  // At most half full, so probe runs stay short.
  if ((used_ + 1) * 2 > slots_.size()) grow();
  place(hash, static_cast<std::uint32_t>(position + 1));
  ++used_;
}

void PathIndex::clear() {
  slots_.clear();
  slots_.shrink_to_fit();
  used_ = 0;
}

void PathIndex::place(std::uint32_t hash, std::uint32_t stored) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = hash & mask;
  while (slots_[i].position != 0) i = (i + 1) & mask;
  slots_[i] = Slot{hash, stored};
}

// Doubles the table; the stored hashes spare a second look at the paths.
void PathIndex::grow() {
  std::vector<Slot> old;
  old.swap(slots_);
  slots_.assign(old.empty() ? kFirstSize : old.size() * 2, Slot{0, 0});
  for (const Slot& slot : old) {
    if (slot.position != 0) place(slot.hash, slot.position);
  }
}

}  // namespace scourix
