#pragma once
// The two things about programs' data that the catalog's syntax cannot say: where WeChat
// keeps its data folder, and which folders are an (embedded) browser's profile. Pure
// functions over texts and names; the walk reads the files and lists the folders.
#include <string>
#include <string_view>
#include <vector>

#include "engine/catalog/expansion.h"

namespace scourix::catalog {

// WeChat 3 writes the folder that holds "WeChat Files" to this file below %AppData% (the
// same text as its registry value HKCU\Software\Tencent\WeChat FileSavePath); WeChat 4
// writes the folder that holds "xwechat_files" as the single line of a *.ini file in this
// folder below %AppData%. "MyDocument:" stands for the Documents folder in both.
constexpr const char* kWeChatConfigFile = "Tencent\\WeChat\\All Users\\config\\3ebffe94.ini";
constexpr const char* kWeixinConfigFolder = "Tencent\\xwechat\\config";

// The folder a WeChat configuration text names (UTF-8, or UTF-16 with its byte-order
// mark): Documents for "MyDocument:", otherwise the absolute path it holds; empty when
// the text is anything else (another *.ini of that folder, a damaged file).
std::string weChatDataRoot(std::string_view configText, const std::string& documents);

// Moves a profile's WeChat folders where the configurations say: %WeChatFiles% from
// WeChat 3's file, %WeixinFiles% from each of WeChat 4's *.ini files that names a folder.
// A folder no configuration names stays at its default in Documents.
void applyWeChatConfig(ProfileFolders& profile, std::string_view weChatConfig,
                       const std::vector<std::string>& weixinConfigs);

// A file of this name makes its folder a browser's profile: "Local State" (the folder of
// a Chromium browser's profiles, and the profile itself in Electron), "Preferences" (a
// Chromium profile), "prefs.js" (a Firefox profile).
bool isBrowserProfileMarker(std::string_view fileName);
bool isBrowserProfileMarker(const std::u32string& foldedName);

// The folders directly in such a profile that hold only what the browser rebuilds (its
// caches, logs and crash dumps), and "Crashpad", whose "reports" is one.
bool isProfileCacheFolder(std::string_view name);
bool isCrashpadFolder(std::string_view name);
bool isCrashpadReports(std::string_view name);

// Where %EmbeddedBrowserProfile% is looked for: the profile's application-data folders,
// to this many levels below them (Vendor\App\User Data\Default is four).
std::vector<std::string> embeddedBrowserSearchRoots(const ProfileFolders& profile);
constexpr int kEmbeddedBrowserSearchDepth = 4;

}  // namespace scourix::catalog
