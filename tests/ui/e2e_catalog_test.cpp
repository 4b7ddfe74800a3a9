// The catalog end to end under Wine: a Windows 11 layout generated inside the test prefix
// (its Windows folder, three users with their ProfileList entries, WeChat 4's data moved
// out of Documents), scanned from the trace page with the built-in catalog on the running
// system and cleaned with 删除, then with /auto: every location found with its size and
// tick, and every user file, store and deny-listed file still there. All of it goes
// afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "autoclean/auto_clean.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "settings/config_file.h"
#include "tests/ui/end_to_end.h"
#include "tests/win11_layout.h"

namespace scourix::test {
namespace {

namespace fs = std::filesystem;

// Wine spells C:\windows and C:\users in lower case.
std::string lowerAscii(std::string path) {
  for (char& c : path) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c == '/' ? '\\' : c;
  return path;
}

const wchar_t kProfileList[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\";

class CatalogEndToEnd : public EndToEnd {
 protected:
  void SetUp() override {
    EndToEnd::SetUp();
    if (IsSkipped()) return;
    layout = windows11Layout(users, "C:\\");
    for (const LayoutFile& file : layout) {
      // The first folder of its path that is not there yet goes with all below it.
      fs::path folder = fs::u8path("C:\\");
      for (const fs::path& name : fs::u8path(file.path).parent_path()) {
        folder /= name;
        if (fs::exists(folder)) continue;
        created.push_back(folder);
        break;
      }
    }
    writeLayout("C:\\", layout);
    for (std::size_t i = 0; i < users.size(); ++i) {
      const std::wstring profile = wideFromUtf8("C:\\Users\\" + users[i]);
      HKEY key;
      ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kProfileList + sid(i)).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                nullptr, &key, nullptr), ERROR_SUCCESS);
      RegSetValueExW(key, L"ProfileImagePath", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(profile.c_str()),
                     static_cast<DWORD>((profile.size() + 1) * sizeof(wchar_t)));
      RegCloseKey(key);
    }
    // The machine as the program sees it: its catalog, environment and registered profiles.
    platform.takeRunningCatalog();
    for (const FolderPath& profile : systemPlatform().registeredProfiles()) platform.registered.push_back(profile.path);
    // Only the catalog: the trace page's other rows would reach into the tests' own Temp.
    for (const TraceFlagField& field : kTraceFlagsInFileOrder) engine.choices().traceFlags.*(field.flag) = 0;
  }
  void TearDown() override {
    for (const LayoutFile& file : layout) DeleteFileW(wideFromUtf8("C:\\" + file.path).c_str());
    std::error_code ignored;
    for (const fs::path& folder : created) fs::remove_all(folder, ignored);
    for (std::size_t i = 0; i < users.size(); ++i) RegDeleteKeyW(HKEY_LOCAL_MACHINE, (kProfileList + sid(i)).c_str());
  }
  static std::wstring sid(std::size_t i) { return L"S-1-5-21-7007-7007-7007-" + std::to_wstring(1700 + i); }

  const std::vector<std::string> users = {"scx_li", "scx_wang", u8"scx_张伟"};
  std::vector<LayoutFile> layout;
  std::vector<fs::path> created;
};

TEST_F(CatalogEndToEnd, FindsEveryLocationWithItsSizeAndDeletesNothingElse) {
  MessageBoxAnswerer answer;
  // The window walks the ticked items: of the optional ones only the old installation.
  engine.choices().catalogTicks["Old Windows Installation"] = 1;
  const std::set<std::string> unwalked = {u8"显卡着色器缓存", u8"网易云音乐缓存"};
  // Explorer holds one profile's thumbnail cache: skipped as in use, no failure.
  const std::string held = "Users/" + users[0] + "/AppData/Local/Microsoft/Windows/Explorer/thumbcache_256.db";
  HANDLE explorer = INVALID_HANDLE_VALUE;
  Run([&] {
    TickOnlyTheTestDrive(main);  // for /auto below: the disk scan stays out of the prefix
    main.tabs().SelectPage(kTracePageIndex);
    ScanFrom(main.tracePage().hwnd(), IDC_TRACE_START);
    std::map<std::string, const FoundFile*> found;
    for (const auto& file : engine.findings()) found[lowerAscii(platform.utf8Of(file.exact()))] = &file;
    for (const LayoutFile& file : layout) {
      SCOPED_TRACE(file.path);
      const auto at = found.find(lowerAscii("C:\\" + file.path));
      ASSERT_EQ(at != found.end(), !file.label.empty() && unwalked.count(file.label) == 0);
      if (at == found.end()) continue;
      EXPECT_EQ(at->second->category(), platform.codePageOf(file.label));
      EXPECT_EQ(at->second->size, file.size);
      EXPECT_EQ(at->second->toDelete, file.ticked ? 1 : 0);
    }
    explorer = CreateFileW(wideFromUtf8("C:\\" + held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DeleteTicked(main, answer);
  });
  CloseHandle(explorer);
  ASSERT_FALSE(answer.boxes().empty());
  EXPECT_EQ(answer.boxes().back().text.find("无法删除"), std::string::npos) << answer.boxes().back().text;
  EXPECT_NE(answer.boxes().back().text.find("跳过 1 个正在使用的文件"), std::string::npos) << answer.boxes().back().text;
  const auto checkDrive = [&] {
    for (const LayoutFile& file : layout) {
      EXPECT_EQ(fs::exists(fs::u8path("C:\\" + file.path)), file.label.empty() || !file.ticked || file.path == held)
          << file.path;
    }
  };
  checkDrive();

  // The choices the window saved, unattended over the drive made anew: the same files go,
  // and the one Explorer holds is no failure.
  writeLayout("C:\\", layout);
  explorer = CreateFileW(wideFromUtf8("C:\\" + held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  CleanEngine unattended(platform);
  const AutoCleanReport report = runAutoClean(unattended, {configPath});
  CloseHandle(explorer);
  EXPECT_EQ(report.exitCode, kAutoCleanDone);
  EXPECT_EQ(report.deletion.inUse.size(), 1u);
  checkDrive();
}

}  // namespace
}  // namespace scourix::test
