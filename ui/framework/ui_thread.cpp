#include "ui/framework/ui_thread.h"

#include <windows.h>

#include <atomic>
#include <exception>

namespace scourix {

namespace {

constexpr char kWindowClass[] = "scourix.UiThreadCalls";

struct Call {
  const std::function<void()>* task;
  std::exception_ptr error;
};

// Set on the user-interface thread while no worker runs; read by the workers.
std::atomic<HWND> callWindow{nullptr};
std::atomic<DWORD> uiThreadId{0};

UINT CallMessage() {
  static const UINT message = RegisterWindowMessageA("scourix.RunOnUiThread");
  return message;
}

LRESULT CALLBACK CallWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CallMessage() && message != 0) {
    auto* call = reinterpret_cast<Call*>(lParam);
    try {
      (*call->task)();
    } catch (...) {
      call->error = std::current_exception();
    }
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

UiThread::UiThread() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &CallWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);  // fails harmlessly when a previous UiThread registered it
  CallMessage();
  callWindow = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  uiThreadId = GetCurrentThreadId();
}

UiThread::~UiThread() {
  HWND window = callWindow.exchange(nullptr);
  if (window != nullptr) DestroyWindow(window);
  uiThreadId = 0;
}

bool UiThread::IsCurrent() { return uiThreadId != 0 && GetCurrentThreadId() == uiThreadId; }

void RunOnUiThread(const std::function<void()>& task) {
  if (callWindow == nullptr || UiThread::IsCurrent()) {
    task();
    return;
  }
  Call call{&task, nullptr};
  SendMessageA(callWindow.load(), CallMessage(), 0, reinterpret_cast<LPARAM>(&call));
  if (call.error) std::rethrow_exception(call.error);
}

}  // namespace scourix
