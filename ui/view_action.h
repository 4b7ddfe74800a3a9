#pragma once
// What "查看" and "打开所在文件夹" ask of the shell for a listed file. Found files come from anywhere on the
// disk, so one the shell would run (a program, a script, a shortcut, an installer) is
// only shown selected in Explorer; any other file opens with its associated program.
#include <string>

namespace scourix {

// A request for the shell's "open" verb, in UTF-8: the file as the file system spells it.
struct ShellOpen {
  std::string file;
  std::string parameters;  // empty: none
};

// True when opening the file would run code: its type is one the shell executes.
bool IsExecutableType(const std::string& path);

// The request that views the file at `path` without running it.
ShellOpen ViewRequestFor(const std::string& path);
// The request that opens Explorer on the file's folder with the file selected.
ShellOpen SelectInFolderRequestFor(const std::string& path);
// The request that opens Windows' Disk Cleanup on the drive of the file at `path`: the
// user picks there what the system's own cleanup removes.
ShellOpen DiskCleanupRequestFor(const std::string& path);

}  // namespace scourix
