#include "engine/catalog/program_data.h"

#include <algorithm>
#include <initializer_list>

#include "engine/catalog/names.h"

namespace scourix::catalog {
namespace {

// A configuration file holds one short path; anything larger is some other file.
constexpr std::size_t kLargestConfig = 4096;

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// UTF-16LE after its byte-order mark, as UTF-8; empty when it is not well formed.
std::string utf16ToUtf8(std::string_view text) {
  std::string out;
  const auto unit = [&](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(text[i]) |
                                 static_cast<unsigned char>(text[i + 1]) << 8);
  };
  for (std::size_t i = 2; i + 1 < text.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < text.size() && unit(i + 2) >= 0xDC00 &&
        unit(i + 2) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      return {};
    }
    appendUtf8(out, c);
  }
  return out;
}

bool isAbsolute(std::string_view path) {
  const bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/') &&
                     ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return drive || path.substr(0, 2) == "\\\\";
}

bool isOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::any_of(names.begin(), names.end(),
                     [&](std::string_view candidate) { return sameName(name, candidate); });
}

}  // namespace

std::string weChatDataRoot(std::string_view configText, const std::string& documents) {
  if (configText.size() > kLargestConfig) return {};
  std::string text;
  if (configText.substr(0, 2) == "\xFF\xFE") {
    text = utf16ToUtf8(configText);
  } else {
    text = std::string(configText.substr(0, 3) == "\xEF\xBB\xBF" ? configText.substr(3)
                                                                 : configText);
    if (!isValidUtf8(text)) return {};
  }
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  std::string line = text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
  if (line.find_first_of("\r\n") != std::string::npos) return {};
  if (line.rfind("MyDocument:", 0) == 0 &&
      line.find_first_not_of("\\/", 11) == std::string::npos) {
    return documents;
  }
  // A machine whose paths start with '/' (a Windows drive mounted elsewhere) has its own.
  const bool rooted = !documents.empty() && documents[0] == '/' && line[0] == '/';
  if ((!isAbsolute(line) && !rooted) || line.find_first_of("*?\"<>|") != std::string::npos) return {};
  while (line.size() > 3 && (line.back() == '\\' || line.back() == '/')) line.pop_back();
  return line;
}

void applyWeChatConfig(ProfileFolders& profile, std::string_view weChatConfig,
                       const std::vector<std::string>& weixinConfigs) {
  const std::string weChatRoot = weChatDataRoot(weChatConfig, profile.documents);
  if (!weChatRoot.empty()) profile.weChatFiles = {joinPath(weChatRoot, "WeChat Files")};
  std::vector<std::string> weixin;
  for (const std::string& config : weixinConfigs) {
    const std::string root = weChatDataRoot(config, profile.documents);
    if (root.empty()) continue;
    const std::string folder = joinPath(root, "xwechat_files");
    const auto same = [&](const std::string& f) { return sameName(f, folder); };
    if (std::none_of(weixin.begin(), weixin.end(), same)) weixin.push_back(folder);
  }
  if (!weixin.empty()) profile.weixinFiles = weixin;
}

bool isBrowserProfileMarker(std::string_view fileName) {
  return isBrowserProfileMarker(foldName(fileName));
}

bool isBrowserProfileMarker(const std::u32string& foldedName) {
  return foldedName == U"local state" || foldedName == U"preferences" || foldedName == U"prefs.js";
}

bool isProfileCacheFolder(std::string_view name) {
  return isOneOf(name, {"Cache", "Code Cache", "CodeCache", "GPUCache", "DawnCache",
                        "DawnWebGPUCache", "DawnGraphiteCache", "GraphiteDawnCache",
                        "GrShaderCache", "ShaderCache", "cache2", "logs", "log", "dumps"});
}

bool isCrashpadFolder(std::string_view name) { return sameName(name, "Crashpad"); }
bool isCrashpadReports(std::string_view name) { return sameName(name, "reports"); }

std::vector<std::string> embeddedBrowserSearchRoots(const ProfileFolders& profile) {
  std::vector<std::string> roots;
  for (const std::string* folder : {&profile.roaming, &profile.local, &profile.localLow}) {
    if (!folder->empty()) roots.push_back(*folder);
  }
  return roots;
}

}  // namespace scourix::catalog
