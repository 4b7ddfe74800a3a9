#include "platform/win32/system_message.h"

#include <cctype>

namespace scourix {

std::string SystemMessage(DWORD error) {
  char text[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && std::isspace(static_cast<unsigned char>(message.back()))) message.pop_back();
  return message.empty() ? "error " + std::to_string(error) : message;
}

}  // namespace scourix
