#include "ui/pages/rule_file_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace scourix {

namespace {

// Pairs of label and pattern; the literal's own terminator ends the list.
constexpr char kFilter[] = "txt Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";
constexpr char kInitialName[] = "*.txt";
// Room for long paths; a longer choice fails the dialog, which counts as cancelled.
constexpr DWORD kPathRoom = 4096;

}  // namespace

std::optional<std::string> AskRuleFilePath(HWND owner, RuleFileAction action) {
  std::vector<char> path(kPathRoom, '\0');
  std::copy(std::begin(kInitialName), std::end(kInitialName), path.begin());
  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = kFilter;
  request.nFilterIndex = 1;
  request.lpstrFile = path.data();
  request.nMaxFile = kPathRoom;
  request.lpstrDefExt = "txt";
  request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  const BOOL chosen = action == RuleFileAction::Import ? GetOpenFileNameA(&request) : GetSaveFileNameA(&request);
  if (!chosen) return std::nullopt;
  return std::string(path.data());
}

}  // namespace scourix
