#include "ui/framework/uncaught.h"

#include <exception>
#include <new>
#include <string>

namespace scourix {

void ReportUncaught(HWND hwnd) noexcept {
  // The box runs the thread's messages: a handler that fails on each of them (painting,
  // a timer) would open box over box. One is enough.
  static thread_local bool showing = false;
  if (showing) return;
  const char* text = "操作未完成：发生了意外的错误。";
  std::string detail;
  try {
    throw;
  } catch (const std::bad_alloc&) {
    text = "操作未完成：内存不足。";
  } catch (const std::exception& e) {
    try {
      detail = std::string("操作未完成：") + e.what();
      text = detail.c_str();
    } catch (...) {
    }
  } catch (...) {
  }
  HWND owner = hwnd != nullptr && IsWindow(hwnd) ? GetAncestor(hwnd, GA_ROOT) : nullptr;
  showing = true;
  MessageBoxA(owner, text, "提示", MB_OK | MB_ICONERROR);
  showing = false;
}

}  // namespace scourix
