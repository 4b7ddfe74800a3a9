#pragma once
// Finds the object behind a window handle in a table of this process. Window properties
// would do the same, but under Wine every property lookup is a round trip to the server,
// and dialogs look up their object on every message they receive.
#include <windows.h>

#include <mutex>
#include <unordered_map>

namespace scourix {

template <class T>
class WindowObjects {
 public:
  static void Add(HWND hwnd, T* object) {
    std::lock_guard<std::mutex> lock(mutex());
    table()[hwnd] = object;
  }
  static void Remove(HWND hwnd) {
    std::lock_guard<std::mutex> lock(mutex());
    table().erase(hwnd);
  }
  static T* Find(HWND hwnd) {
    std::lock_guard<std::mutex> lock(mutex());
    const auto found = table().find(hwnd);
    return found == table().end() ? nullptr : found->second;
  }

 private:
  static std::unordered_map<HWND, T*>& table() {
    static std::unordered_map<HWND, T*> objects;
    return objects;
  }
  static std::mutex& mutex() {
    static std::mutex lock;
    return lock;
  }
};

}  // namespace scourix
