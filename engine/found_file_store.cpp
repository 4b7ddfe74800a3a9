#include "engine/found_file_store.h"

#include <utility>

namespace scourix {

FoundFile& FoundFileStore::push_back(FoundFile file) {
  if (size_ == blocks_.size() * kBlock) blocks_.push_back(std::make_unique<FoundFile[]>(kBlock));
  FoundFile& placed = at(size_);
  placed = std::move(file);
  ++size_;
  return placed;
}

void FoundFileStore::clear() {
  blocks_.clear();
  size_ = 0;
}

void FoundFileStore::keep(const std::vector<char>& stays) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < size_; ++i) {
    if (stays[i] == 0) continue;
    if (kept != i) at(kept) = std::move(at(i));
    ++kept;
  }
  // What left lets go of its folder and category; blocks no record uses are freed.
  for (std::size_t i = kept; i < size_; ++i) at(i) = FoundFile();
  size_ = kept;
  blocks_.resize((size_ + kBlock - 1) / kBlock);
}

}  // namespace scourix
