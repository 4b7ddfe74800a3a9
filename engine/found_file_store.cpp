#include "engine/found_file_store.h"

#include <utility>

namespace scourix {

FoundFile& FoundFileStore::push_back(FoundFile file) {
  if (size_ == blocks_.size() * kBlock) {
    blocks_.emplace_back();
    blocks_.back().reserve(kBlock);
  }
  blocks_.back().push_back(std::move(file));
  ++size_;
  return blocks_.back().back();
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
  size_ = kept;
  blocks_.resize((size_ + kBlock - 1) / kBlock);
  if (!blocks_.empty()) {
    std::vector<FoundFile>& last = blocks_.back();
    last.erase(last.begin() + static_cast<std::ptrdiff_t>(size_ - (blocks_.size() - 1) * kBlock), last.end());
  }
}

}  // namespace scourix
