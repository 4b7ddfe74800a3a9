// The catalog's deny list: chat stores, program state and the system's own folders stay
// whatever an entry names; and the built-in res/catalog.ini loads whole and names
// nothing it denies.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/catalog/deny_list.h"
#include "engine/catalog/plan.h"

namespace scourix::catalog {
namespace {

const std::string kUser = "C:\\Users\\li\\";

class DenyListTest : public ::testing::Test {
 protected:
  // Whether `file` in `folder`, whose listing is `names` (separated by '|'), is denied;
  // the folders above it are browser profiles when `profiles` names them.
  bool denied(const std::string& folder, const std::string& names, const std::string& file) const {
    FolderMarkers markers;
    std::istringstream in(names);
    for (std::string name; std::getline(in, name, '|');) markers.notice(name, false);
    const DenyScope scope = deny.scopeOf(folder, [&](std::string_view above) {
      return profiles.count(std::string(above)) != 0;
    });
    return deny.deniesFile(scope, markers, folder + "\\" + file);
  }
  DenyList deny{{SystemFolders::standard("C:"), SystemFolders::standard("D:\\img")}};
  std::set<std::string> profiles;
};

TEST_F(DenyListTest, StoresAndProgramStateAreDeniedTheirJunkIsNot) {
  const std::string qq = kUser + "Documents\\Tencent Files\\12345";
  const std::string chrome = kUser + "AppData\\Local\\Google\\Chrome\\User Data";
  profiles = {chrome, chrome + "\\Default", kUser + "AppData\\Roaming\\Code"};
  const std::vector<std::tuple<std::string, std::string, std::string, bool>> rows = {
      // A known community entry deletes Tencent Files whole: only QQ's logs may go.
      {qq + "\\FileRecv", "a.doc", "a.doc", true},
      {qq, "Msg3.0.db|config.ini", "config.ini", true},
      {qq + "\\nt_qq\\nt_data\\log", "x.log", "x.log", false},
      {qq + "\\nt_qq\\nt_data\\Pic\\2024-01", "a.jpg", "a.jpg", true},
      {kUser + "Documents\\WeChat Files\\wxid_1\\FileStorage\\File", "a.pdf", "a.pdf", true},
      {kUser + "Documents\\WeChat Files\\wxid_1\\FileStorage\\Cache", "a.dat", "a.dat", false},
      {"E:\\WX\\xwechat_files\\wxid_1\\db_storage\\message", "m.db", "m.db", true},
      {kUser + "AppData\\Roaming\\kingsoft\\office6\\backup", "a.et", "a.et", true},
      {kUser + "AppData\\Roaming\\KuGou8", "KGMusicV3.db|a.log", "KGMusicV3.db", true},
      {kUser + "AppData\\Roaming\\KuGou8", "KGMusicV3.db|a.log", "a.log", false},
      {kUser + "AppData\\LocalLow\\SogouPY.users\\x", "dict.bin", "dict.bin", true},
      {kUser + "AppData\\Local\\Packages\\App_1\\LocalState", "s.dat", "s.dat", true},
      {kUser + "AppData\\Local\\Packages\\App_1\\TempState", "s.dat", "s.dat", false},
      // LevelDB keeps everything but its text logs; ESE and SQLite their journals.
      {kUser + "AppData\\Roaming\\App\\leveldb", "CURRENT|MANIFEST-000001|000003.log|LOG|LOG.old",
       "000003.log", true},
      {kUser + "AppData\\Roaming\\App\\leveldb", "CURRENT|MANIFEST-000001|000003.log|LOG|LOG.old",
       "LOG.old", false},
      {kUser + "AppData\\Local\\Microsoft\\Windows\\WebCache", "V01.chk|V01.log|V0100001.log",
       "V01.log", true},
      {kUser + "AppData\\Local\\App\\logs", "old.log|V01.chk.bak", "old.log", false},
      {kUser + "AppData\\Local\\App", "a.db|a.db-wal|b-journal", "a.db-wal", true},
      {kUser + "AppData\\Local\\App", "a.db|a.db-wal|b-journal", "a.db", true},
      {kUser + "AppData\\Local\\App", "a.db|a.db-wal|b-journal", "b-journal", false},
      // A browser profile keeps all but its caches; so does an Electron program's.
      {chrome, "Local State|CrashpadMetrics.pma", "Local State", true},
      {chrome + "\\Default\\Cache\\Cache_Data", "f_000001", "f_000001", false},
      {chrome + "\\ShaderCache", "data_0", "data_0", false},
      {chrome + "\\Crashpad\\reports", "a.dmp", "a.dmp", false},
      {chrome + "\\Crashpad", "settings.dat", "settings.dat", true},
      {chrome + "\\Default", "Preferences|Bookmarks.bak", "Bookmarks.bak", true},
      {chrome + "\\Default\\Extensions\\abc\\1.0\\Cache", "x.js", "x.js", true},
      {kUser + "AppData\\Roaming\\Code\\Code Cache\\js", "a", "a", false},
      {kUser + "AppData\\Roaming\\Code\\User\\History", "a", "a", true},
      {kUser + "AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\x.default", "prefs.js|a.bak", "a.bak", true},
      // The system's own stores, below each system's Windows folder only.
      {"C:\\Windows\\Installer", "a.msi", "a.msi", true},
      {"D:\\img\\Windows\\WinSxS\\x", "a.dll", "a.dll", true},
      {"C:\\Windows.old\\Windows\\Installer", "a.msi", "a.msi", false},
      {"C:\\Windows\\System32\\config", "SAM", "SAM", true},
      {"C:\\Windows\\System32\\config\\systemprofile\\AppData\\Local\\Temp", "a.tmp", "a.tmp", false},
      {"C:\\Windows\\SoftwareDistribution\\DataStore\\Logs", "edb.log", "edb.log", true},
      {"C:\\Windows\\SoftwareDistribution\\Download\\x", "a.cab", "a.cab", false},
      {"D:\\logs", "a.evtx", "a.evtx", true},
      {"C:\\Users\\li", "NTUSER.DAT.LOG1", "NTUSER.DAT.LOG1", true},
  };
  for (const auto& [folder, names, file, expected] : rows) {
    EXPECT_EQ(denied(folder, names, file), expected) << folder << "\\" << file;
  }
}

// The walk hands scopes down; the first folder's scope comes from its path.
TEST_F(DenyListTest, AChildScopeFollowsItsParentsListing) {
  FolderMarkers profile, plain;
  profile.notice("Preferences", false);
  plain.notice("Preferences", true);  // a folder of that name marks nothing
  const auto noProfiles = [](std::string_view) { return false; };
  const std::string root = kUser + "AppData\\Roaming\\App";
  const DenyScope top = deny.scopeOf(root, noProfiles);
  EXPECT_FALSE(deny.deniesFile(top, plain, root + "\\a.log"));
  EXPECT_TRUE(deny.deniesFile(top, profile, root + "\\a.log"));
  const DenyScope cache = deny.childScope(top, profile, root + "\\GPUCache");
  const DenyScope storage = deny.childScope(top, profile, root + "\\IndexedDB");
  EXPECT_FALSE(deny.deniesFile(cache, FolderMarkers(), root + "\\GPUCache\\data_1"));
  EXPECT_TRUE(deny.deniesFile(storage, FolderMarkers(), root + "\\IndexedDB\\x"));
  EXPECT_TRUE(deny.deniesFile(deny.childScope(storage, plain, root + "\\IndexedDB\\Cache"),
                              FolderMarkers(), root + "\\IndexedDB\\Cache\\x"));
  EXPECT_FALSE(deny.deniesFile(deny.childScope(top, plain, root + "\\IndexedDB"),
                               FolderMarkers(), root + "\\IndexedDB\\x"));
}

TEST(BuiltInCatalog, LoadsWholeAndNamesNothingTheDenyListKeeps) {
  // As the program carries it: embedded by the build, a resource on Windows.
  const CatalogFile file = readCatalog(systemPlatform().builtInCatalog());
  EXPECT_TRUE(file.broken.empty()) << file.broken.front();
  EXPECT_EQ(file.entries.size(), 20u);
  const std::set<std::string> groups = {u8"系统垃圾", u8"软件垃圾", u8"可选"};
  for (const Entry& entry : file.entries) {
    EXPECT_EQ(groups.count(entry.group), 1u) << entry.section;
    EXPECT_NE(entry.label, entry.name) << entry.section;
    EXPECT_EQ(entry.needsAdmin || entry.group != u8"系统垃圾", true) << entry.section;
    EXPECT_EQ(entry.defaultTicked, entry.group != u8"可选") << entry.section;
  }
  const Expander expander(SystemFolders::standard("C:"), {ProfileFolders::standard("C:\\Users\\li")});
  const Plan plan = planCatalog(file.entries, expander);
  EXPECT_EQ(plan.skippedKeys + plan.refusedRemoveSelf, 0);
  EXPECT_EQ(std::count(plan.refused.begin(), plan.refused.end(), true), 0);
  const DenyList deny({expander.system()});
  const std::string electron = kUser + "AppData\\Roaming\\App";
  for (Target target : plan.targets) {
    if (target.folder.embeddedBrowserProfile) target.folder.base = electron;
    for (std::string& name : target.folder.below) {
      if (name.find('*') != std::string::npos) name = "x_1.0";
    }
    const std::string folder = target.folder.path();
    const DenyScope scope =
        deny.scopeOf(folder, [&](std::string_view above) { return above == electron; });
    EXPECT_FALSE(deny.deniesFile(scope, FolderMarkers(), folder + "\\a.tmp")) << folder;
  }
}

}  // namespace
}  // namespace scourix::catalog
