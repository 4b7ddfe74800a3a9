#pragma once
// The records of the found-file list, in blocks of a fixed size: a large list costs one
// allocation per block rather than one per file, and a record never moves while the list
// grows.
#include <cstddef>
#include <iterator>
#include <vector>

#include "engine/found_file.h"

namespace scourix {

class FoundFileStore {
 public:
  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = FoundFile;
    using difference_type = std::ptrdiff_t;
    using pointer = const FoundFile*;
    using reference = const FoundFile&;

    Iterator(const FoundFileStore& store, std::size_t index) : store_(&store), index_(index) {}
    reference operator*() const { return store_->at(index_); }
    pointer operator->() const { return &store_->at(index_); }
    Iterator& operator++() {
      ++index_;
      return *this;
    }
    bool operator==(const Iterator& other) const { return index_ == other.index_; }
    bool operator!=(const Iterator& other) const { return index_ != other.index_; }

   private:
    const FoundFileStore* store_;
    std::size_t index_;
  };

  std::size_t size() const { return size_; }
  FoundFile& at(std::size_t index) { return blocks_[index / kBlock][index % kBlock]; }
  const FoundFile& at(std::size_t index) const { return blocks_[index / kBlock][index % kBlock]; }
  Iterator begin() const { return Iterator(*this, 0); }
  Iterator end() const { return Iterator(*this, size_); }

  FoundFile& push_back(FoundFile file);
  void clear();
  // Keeps, in order, the records whose flag in `stays` is set.
  void keep(const std::vector<char>& stays);

 private:
  static constexpr std::size_t kBlock = 1024;
  // Each block reserved whole, filled record by record.
  std::vector<std::vector<FoundFile>> blocks_;
  std::size_t size_ = 0;
};

}  // namespace scourix
