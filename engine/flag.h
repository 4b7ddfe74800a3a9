#pragma once
// A 32-bit setting that the user-interface thread may change while a scan worker reads
// it: the scans test the flags file by file, so a change governs every later file.
#include <atomic>
#include <cstdint>

namespace scourix {

class Flag {
 public:
  Flag(std::int32_t value = 1) : value_(value) {}  // NOLINT: used like a plain int
  Flag(const Flag& other) : value_(other.get()) {}
  Flag& operator=(const Flag& other) {
    set(other.get());
    return *this;
  }
  Flag& operator=(std::int32_t value) {
    set(value);
    return *this;
  }
  operator std::int32_t() const { return get(); }  // NOLINT
  std::int32_t get() const { return value_.load(std::memory_order_relaxed); }
  void set(std::int32_t value) { value_.store(value, std::memory_order_relaxed); }

 private:
  std::atomic<std::int32_t> value_;
};

}  // namespace scourix
