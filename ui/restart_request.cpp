#include "ui/restart_request.h"

#include <cstdlib>

namespace scourix {
namespace {

constexpr int kPageCount = 4;

// The quoting the system's command-line parsing undoes: backslashes are literal unless
// they stand before a quote, where they and the quote are escaped.
std::string Quoted(const std::string& argument) {
  std::string out = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    out += c;
    backslashes = 0;
  }
  out.append(backslashes * 2, '\\');
  return out + '"';
}

}  // namespace

std::string RestartParameters(const RestartRequest& request) {
  std::string parameters = std::string(kRestartSwitch) + ' ' + std::to_string(request.page);
  for (const std::string& name : request.tickedItems) parameters += ' ' + Quoted(name);
  return parameters;
}

bool ParseRestart(const std::vector<std::string>& arguments, RestartRequest& request) {
  if (arguments.size() < 2 || arguments[0] != kRestartSwitch) return false;
  char* end = nullptr;
  const long page = std::strtol(arguments[1].c_str(), &end, 10);
  if (arguments[1].empty() || *end != '\0' || page < 0 || page >= kPageCount) return false;
  request.page = static_cast<int>(page);
  request.tickedItems.assign(arguments.begin() + 2, arguments.end());
  return true;
}

}  // namespace scourix
