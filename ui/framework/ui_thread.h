#pragma once
// Synchronous calls from worker threads onto the user-interface thread.
#include <functional>

namespace scourix {

// Made once on the user-interface thread, before any worker may call in (the application
// and the UI tests hold one). It owns a hidden message window on that thread.
class UiThread {
 public:
  UiThread();
  ~UiThread();
  UiThread(const UiThread&) = delete;
  UiThread& operator=(const UiThread&) = delete;

  // True on the thread that made the active UiThread.
  static bool IsCurrent();
};

// Runs `task` on the user-interface thread and returns when it is done; an exception it
// throws is thrown again here. Called on that thread, or with no UiThread, it runs at once.
void RunOnUiThread(const std::function<void()>& task);

}  // namespace scourix
