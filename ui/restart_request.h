#pragma once
// The program started again with administrator rights ("以管理员身份重新启动"): the first
// program hands it the page it showed and the names of the trace page's ticked items on
// its command line, never paths: the new program works out its own locations.
#include <string>
#include <vector>

namespace scourix {

constexpr char kRestartSwitch[] = "/elevated";

struct RestartRequest {
  int page = 0;
  std::vector<std::string> tickedItems;  // UTF-8
};

// The parameters of the new program: the switch, the page, then each name quoted so that
// the system's parsing of a command line gives it back unchanged.
std::string RestartParameters(const RestartRequest& request);
// The request the arguments (after the program's own name, UTF-8) carry; false when they
// carry none.
bool ParseRestart(const std::vector<std::string>& arguments, RestartRequest& request);

}  // namespace scourix
