#pragma once
// The variables of catalog paths, expanded for every profile of the machine and once for
// the system. A path must start with a variable; what follows are names below it, where
// '*' and '?' match (expanded later against the folders' listings).
//
// Per profile:  %UserProfile% %AppData% %LocalAppData% %LocalLowAppData% (or
//               %LocalAppDataLow%) %Documents% %Desktop% %Music% %Pictures% %Video%
//               (or %Videos%) %Temp% (or %Tmp%); scourix's own: %WeChatFiles% (WeChat
//               3's "WeChat Files" folders), %WeixinFiles% (WeChat 4's "xwechat_files"),
//               %EmbeddedBrowserProfile% (each embedded-browser profile found below the
//               profile's application-data folders, see program_data.h)
// System-wide:  %WinDir% %SystemRoot% %SystemDrive% %ProgramFiles% (both the 64-bit and
//               the 32-bit folder) %ProgramW6432% %ProgramFiles(x86)% %CommonProgramFiles%
//               (both) %CommonProgramW6432% %CommonProgramFiles(x86)% %CommonAppData%
//               %ProgramData% %AllUsersProfile% %Public%
//
// An unknown variable skips the key that names it; it never expands to nothing, which
// would turn "%Foo%\Bar" into "\Bar" on the current drive. A path without a leading
// variable, or with "." or ".." among its names, is skipped the same way.
#include <string>
#include <string_view>
#include <vector>

namespace scourix::catalog {

// One profile's folders; an empty one has no such folder.
struct ProfileFolders {
  std::string profile;
  std::string roaming;   // AppData\Roaming
  std::string local;     // AppData\Local
  std::string localLow;  // AppData\LocalLow
  std::string documents, desktop, downloads, music, pictures, videos;
  std::string temp;
  std::vector<std::string> weChatFiles;  // WeChat 3: "WeChat Files" folders
  std::vector<std::string> weixinFiles;  // WeChat 4: "xwechat_files" folders

  // The folders of a Windows Vista to 11 profile where they were never moved; WeChat's
  // data folders in Documents (program_data.h reads where WeChat moved them).
  static ProfileFolders standard(const std::string& profileDir);
};

// The system's folders; with `--system-root` those of another installation.
struct SystemFolders {
  std::string drive;  // %SystemDrive%: "C:" or the folder standing for a drive's root
  std::string windows, programFiles, programFilesX86, commonFiles, commonFilesX86;
  std::string programData, publicProfile;
  std::string profiles;  // the folder holding the profiles

  // A 64-bit Windows Vista to 11 installation whose drive root is `root`.
  static SystemFolders standard(const std::string& root);
};

// A folder a catalog path names: a variable's folder, then names that may hold * and ?.
struct FolderPattern {
  std::string base;
  std::vector<std::string> below;
  int profile = -1;  // the index of the profile it belongs to; -1: system-wide
  // %EmbeddedBrowserProfile%: `base` is empty until the walk sets each profile found.
  bool embeddedBrowserProfile = false;

  bool hasWildcard() const;
  std::string path() const;  // base and names joined by the base's separator
};

enum class ExpandStatus { Ok, UnknownVariable, NotAnchored };

struct Expansion {
  ExpandStatus status = ExpandStatus::Ok;
  bool perProfile = false;
  std::vector<FolderPattern> folders;  // none where no profile has the variable's folder
};

class Expander {
 public:
  Expander(SystemFolders system, std::vector<ProfileFolders> profiles);

  // `path` for every profile (a per-profile variable) or for the system.
  Expansion expand(std::string_view path) const;
  // `path` for one profile only (-1: the system); a variable of the other kind expands
  // as `expand` does.
  Expansion expandFor(std::string_view path, int profile) const;

  const SystemFolders& system() const { return system_; }
  const std::vector<ProfileFolders>& profiles() const { return profiles_; }

 private:
  SystemFolders system_;
  std::vector<ProfileFolders> profiles_;
};

}  // namespace scourix::catalog
