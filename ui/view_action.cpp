#include "ui/view_action.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>

namespace scourix {

namespace {

// Types that the shell runs, or hands to a host that runs what they hold: programs,
// scripts (also of the script languages a user may have installed, such as Python),
// shortcuts, installers and packages, registry and setup files, control-panel items,
// management consoles, sandbox configurations and compiled help.
constexpr std::string_view kExecutableTypes[] = {
    "ade",       "adp",        "app",      "application", "appinstaller", "appref-ms", "appx",
    "appxbundle", "bas",       "bat",      "chm",         "cmd",          "com",       "cpl",
    "crt",       "diagcab",    "exe",      "gadget",      "hlp",          "hta",       "inf",
    "ins",       "isp",        "jar",      "js",          "jse",          "lnk",       "mde",
    "msc",       "msh",        "msh1",     "msh2",        "mshxml",       "msh1xml",   "msh2xml",
    "msi",       "msix",       "msixbundle", "msp",       "mst",          "msu",       "pif",
    "pl",        "ps1",        "ps1xml",   "ps2",         "ps2xml",       "psc1",      "psc2",
    "psd1",      "psm1",       "py",       "pyc",         "pyw",          "pyz",       "pyzw",
    "rb",        "reg",        "scf",      "scr",         "sct",          "settingcontent-ms",
    "shb",       "shs",        "url",      "vb",          "vbe",          "vbs",       "website",
    "ws",        "wsb",        "wsc",      "wsf",         "wsh",
};

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The type of the file: what follows its last full stop, lower-cased. The system drops
// trailing full stops and blanks from a name, so "x.exe." and "x.exe " are programs too.
// A full stop never occurs inside a double-byte character of the code page, and any
// text that holds a separator after it belongs to a folder's name, not the file's. A
// stream name ("x.exe::$DATA") does not change what the file is.
std::string FileType(const std::string& path) {
  std::string_view name(path);
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  std::string_view type = name.substr(dot + 1);
  if (type.find_first_of("\\/") != std::string_view::npos) return {};
  type = type.substr(0, type.find(':'));
  std::string lower(type);
  std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
  return lower;
}

}  // namespace

bool IsExecutableType(const std::string& path) {
  const std::string type = FileType(path);
  if (type.empty()) return false;
  return std::find(std::begin(kExecutableTypes), std::end(kExecutableTypes), type) != std::end(kExecutableTypes);
}

ShellOpen ViewRequestFor(const std::string& path) {
  if (IsExecutableType(path)) return SelectInFolderRequestFor(path);
  return {path, ""};
}

ShellOpen SelectInFolderRequestFor(const std::string& path) { return {"explorer.exe", "/select,\"" + path + "\""}; }

ShellOpen DiskCleanupRequestFor(const std::string& path) {
  const bool drive = path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])) != 0;
  return {"cleanmgr.exe", drive ? "/d " + path.substr(0, 2) : ""};
}

}  // namespace scourix
