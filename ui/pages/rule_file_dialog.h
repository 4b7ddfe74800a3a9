#pragma once
// The common file dialogs that choose the rule text file of an import or an export.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace scourix {

enum class RuleFileAction { Import, Export };

// Asks for the file name: the open dialog for an import, the save dialog for an export.
// The chosen full path, or nothing when the user cancelled.
using RuleFileChooser = std::function<std::optional<std::string>(HWND owner, RuleFileAction action)>;

// The chooser of the program: text files (*.txt) or all files, "txt" as the default
// extension, "*.txt" as the initial name.
std::optional<std::string> AskRuleFilePath(HWND owner, RuleFileAction action);

}  // namespace scourix
