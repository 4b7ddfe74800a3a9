// The catalog: its reader (winapp2.ini syntax and scourix's keys, broken entries
// isolated), the variables of every profile, whole-name patterns, the plan's exclusions,
// REMOVESELF guard and detection, and the built-in res/catalog.ini.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/catalog/catalog_file.h"
#include "engine/catalog/deny_list.h"
#include "engine/catalog/plan.h"
#include "engine/catalog/machine.h"
#include "engine/catalog/program_data.h"
#include "fake_platform.h"
#include "temp_tree.h"

namespace scourix::catalog {
namespace {

std::string joined(const std::vector<std::string>& parts, char separator = ';') {
  std::string out;
  for (const std::string& part : parts) out += (out.empty() ? "" : std::string(1, separator)) + part;
  return out;
}

std::string describe(const Entry& e) {
  std::ostringstream out;
  out << e.group << '/' << e.label;
  for (const auto& key : e.detectKeys) out << " reg:" << key;
  for (const auto& file : e.detectFiles) out << " file:" << file;
  if (!e.detectOs.empty()) out << " os:" << e.detectOs;
  if (e.defaultTicked) out << " ticked";
  for (const FileKey& k : e.fileKeys) {
    out << ' ' << k.number << ':' << k.folder << '|' << joined(k.patterns)
        << (k.removeSelf ? "|S" : k.recurse ? "|R" : "");
  }
  for (const ExcludeKey& x : e.excludeKeys) {
    out << " x" << "FPR"[static_cast<int>(x.form)] << ':' << x.folder << '|' << joined(x.patterns);
  }
  if (e.minAgeDays != 0) out << " age" << e.minAgeDays;
  if (e.keepNewest) out << " newest";
  if (e.skipInUse) out << " inuse";
  if (e.needsAdmin) out << " admin";
  if (!e.skipIf.empty()) out << " if:" << joined(e.skipIf);
  if (!e.cleanupHandlers.empty()) out << " via:" << joined(e.cleanupHandlers);
  return out.str();
}

std::string readOne(const std::string& text) {
  const CatalogFile file = readCatalog(text);
  if (file.registryOnly == 1) return "registry";
  return file.entries.size() == 1 ? describe(file.entries[0]) : "broken";
}

TEST(CatalogReader, EntriesParseAndBrokenOnesAreIsolated) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"[A *]\nSection=Apps\nFileKey1= %AppData%\\A | *.log ; *.tmp ;| recurse ",
       "Apps/A 1:%AppData%\\A|*.log;*.tmp|R"},
      {"[B]\nLangSecRef=3021\nFileKey2=%Temp%|*|REMOVESELF\nFileKey1=%Temp%\\x|a",
       "LangSecRef 3021/B 1:%Temp%\\x|a 2:%Temp%|*|S"},
      {u8"[C *]\nSection=S\nScourixGroup=系统垃圾\nScourixLabel=微信\nScourixAdmin=1\n"
       "ScourixMinAgeDays=7\nScourixKeepNewest=true\nscourixSKIPINUSE=1\nScourixSkipIf1=HKLM\\X\n"
       "ScourixHandler=A; B\nDefault=True\nWarning=w\nFileKey1=%WinDir%|*",
       u8"系统垃圾/微信 ticked 1:%WinDir%|* age7 newest inuse admin if:HKLM\\X via:A;B"},
      {"[D *]\nSection=S\nDetect=HKCU\\D\nDetect2=HKLM\\D\nDetectFile=%AppData%\\D\n"
       "SpecialDetect=DET_CHROME\nDetectOS=6.2|\nFileKey1=%AppData%\\D|*",
       "S/D reg:HKCU\\D reg:HKLM\\D reg:HKCU\\Software\\Google\\Chrome file:%AppData%\\D os:6.2| "
       "1:%AppData%\\D|*"},
      {"[E *]\nSection=S\nFileKey1=%AppData%\\E|*|RECURSE\nExcludeKey1=FILE|%AppData%\\E\\|keep.db\n"
       "ExcludeKey2=file|%AppData%\\E\\sub\\a.ini\nExcludeKey3=PATH|%AppData%\\E\\Backup\\\n"
       "ExcludeKey4=PATH|%AppData%\\E\\|*.cfg;*.ini\nExcludeKey5=REG|HKCU\\Software\\E\nRegKey1=HKCU\\E",
       "S/E 1:%AppData%\\E|*|R xF:%AppData%\\E\\|keep.db xF:%AppData%\\E\\sub|a.ini "
       "xP:%AppData%\\E\\Backup\\| xP:%AppData%\\E\\|*.cfg;*.ini xR:|"},
      {"[R *]\nSection=S\nRegKey1=HKCU\\Software\\R", "registry"},
      // A misspelt flag, a missing or empty pattern, a repeated or unnumbered key, no
      // group, an exclusion that cannot be read, an unknown detection, a bad value, a
      // line that is no key, text that is no UTF-8, an open header, nothing to clean.
      {"[F1]\nSection=S\nFileKey1=%AppData%\\X|*|RECURSES", "broken"},
      {"[F2]\nSection=S\nFileKey1=%AppData%\\X", "broken"},
      {"[F3]\nSection=S\nFileKey1=%AppData%\\X| ; ", "broken"},
      {"[F4]\nSection=S\nFileKey1=%AppData%\\X|*\nfilekey1=%AppData%\\Y|*", "broken"},
      {"[F5]\nSection=S\nFileKeyA=%AppData%\\X|*", "broken"},
      {"[F6]\nFileKey1=%AppData%\\X|*", "broken"},
      {"[F7]\nSection=S\nFileKey1=%AppData%\\X|*\nExcludeKey1=DIR|%AppData%\\X", "broken"},
      {"[F8]\nSection=S\nFileKey1=%AppData%\\X|*\nExcludeKey1=FILE|%AppData%", "broken"},
      {"[F9]\nSection=S\nSpecialDetect=DET_FOO\nFileKey1=%AppData%\\X|*", "broken"},
      {"[F10]\nSection=S\nDetectOS=ten\nFileKey1=%AppData%\\X|*", "broken"},
      {"[F11]\nSection=S\nDefault=maybe\nFileKey1=%AppData%\\X|*", "broken"},
      {"[F12]\nSection=S\njust text\nFileKey1=%AppData%\\X|*", "broken"},
      {"[F13]\nSection=S\nScourixLabel=\xC3\x28\nFileKey1=%AppData%\\X|*", "broken"},
      {"[F14 *\nSection=S\nFileKey1=%AppData%\\X|*", "broken"},
      {"[F15]\nSection=S", "broken"},
      {"[F16]\nSection=S\nFileKey1=%AppData%\\X|*\nExcludeKey1=FILE|%AppData%\\X|sub\\keep.db", "broken"},
      {"[F17]\nSection=S\nFileKey1=%AppData%\\X|*\nExcludeKey1=PATH|%AppData%\\X|sub/*.db", "broken"},
  };
  std::string whole = "\xEF\xBB\xBF; comment\r\nVersion: 1\r\n";
  std::vector<std::string> good;
  int broken = 0;
  for (const auto& [text, expected] : rows) {
    SCOPED_TRACE(text);
    EXPECT_EQ(readOne(text), expected);
    for (char c : text + "\n") whole += c == '\n' ? std::string("\r\n") : std::string(1, c);
    if (expected == "broken") ++broken;
    if (expected != "broken" && expected != "registry") good.push_back(expected);
  }
  whole += "[a *]\nSection=S\nFileKey1=%AppData%\\Again|*\n";  // "A *" again
  const CatalogFile file = readCatalog(whole);
  std::vector<std::string> loaded;
  for (const Entry& entry : file.entries) loaded.push_back(describe(entry));
  EXPECT_EQ(loaded, good);
  EXPECT_EQ(static_cast<int>(file.broken.size()), broken + 1);
  EXPECT_EQ(file.registryOnly, 1);
  EXPECT_TRUE(osInRange("6.2|6.3", 6, 3) && osInRange("|6.3", 6, 1) && osInRange("10.0", 10, 0));
  EXPECT_FALSE(osInRange("6.2|6.3", 10, 0) || osInRange("6.1|", 6, 0));
}

TEST(CatalogPatterns, MatchWholeNamesWithoutRegardToCase) {
  const std::vector<std::tuple<const char*, const char*, bool>> rows = {
      {"LOG", "LOG", true},          {"LOG", "x.log", false},       {"LOG", "log.old", false},
      {"*.log", "A.LOG", true},      {"*.log", "a.log.bak", false}, {"*.*", "README", true},
      {"*.*", "a.b", true},          {"log.*", "LOG", true},        {"*", ".hidden", true},
      {"?.db", u8"微.db", true},       {"?.db", "ab.db", false},      {"a*b*c", "axxbyybzc", true},
      {"a*b*c", "axxcyyb", false},   {"thumbcache_*.db", "ThumbCache_256.db", true},
      {u8"BokorBéla", u8"bokorbÉLA", true}, {u8"ＡＢ", u8"ａｂ", true},     {u8"Ä", u8"ä", true},
      {"", "", false},               {"\xC3", "\xC3\x84", false},
  };
  for (const auto& [pattern, name, matches] : rows) {
    EXPECT_EQ(NamePattern(pattern).matches(name), matches) << pattern << " / " << name;
  }
}

class CatalogMachine : public ::testing::Test {
 protected:
  // Two profiles; the second's WeChat 4 data moved twice (one file in UTF-16).
  static std::vector<ProfileFolders> machineProfiles() {
    ProfileFolders wang = ProfileFolders::standard("D:\\Home\\wang");
    applyWeChatConfig(wang, "MyDocument:",
                      {"E:\\WX\\\r\n", "junk\nmore", std::string("\xFF\xFE" "F\0:\0\\\0", 8)});
    return {ProfileFolders::standard("C:\\Users\\li"), wang};
  }
  Expander expander{SystemFolders::standard("C:"), machineProfiles()};
  std::string li = "C:\\Users\\li\\AppData\\Roaming\\";

  std::string expand(const std::string& path) const {
    const Expansion e = expander.expand(path);
    if (e.status != ExpandStatus::Ok) {
      return e.status == ExpandStatus::UnknownVariable ? "unknown" : "unanchored";
    }
    std::string out;
    for (const FolderPattern& f : e.folders) {
      out += (out.empty() ? "" : " ") + std::to_string(f.profile) + ':' +
             (f.embeddedBrowserProfile ? "[profile]" + joined(f.below, '\\') : f.path());
    }
    return out;
  }
  Plan plan(const std::string& keys) const {
    entries = readCatalog("[T *]\nSection=S\n" + keys).entries;
    return planCatalog(entries, expander);
  }
  mutable std::vector<Entry> entries;
};

TEST_F(CatalogMachine, VariablesExpandForEveryProfileOrTheSystem) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"%AppData%\\Foo", "0:C:\\Users\\li\\AppData\\Roaming\\Foo 1:D:\\Home\\wang\\AppData\\Roaming\\Foo"},
      {"%localappdata%/A/*/B", "0:C:\\Users\\li\\AppData\\Local\\A\\*\\B 1:D:\\Home\\wang\\AppData\\Local\\A\\*\\B"},
      {"%ProgramFiles%\\App", "-1:C:\\Program Files\\App -1:C:\\Program Files (x86)\\App"},
      {"%SystemDrive%\\Users\\*\\x", "-1:C:\\Users\\*\\x"},
      {"%SystemDrive%", "-1:C:\\"},  // the root, not the drive's current folder
      {"%CommonAppData%", "-1:C:\\ProgramData"},
      {"%WeChatFiles%", "0:C:\\Users\\li\\Documents\\WeChat Files 1:D:\\Home\\wang\\Documents\\WeChat Files"},
      {"%WeixinFiles%\\*", "0:C:\\Users\\li\\Documents\\xwechat_files\\* 1:E:\\WX\\xwechat_files\\* "
                           "1:F:\\xwechat_files\\*"},
      {"%EmbeddedBrowserProfile%\\Cache", "0:[profile]Cache 1:[profile]Cache"},
      {"%Foo%\\Bar", "unknown"},
      {"%AppData%\\%Foo%", "unknown"},
      {"C:\\Windows", "unanchored"},
      {"%AppData%\\..\\x", "unanchored"},
      {"%AppData%x", "unanchored"},
  };
  for (const auto& [path, expected] : rows) EXPECT_EQ(expand(path), expected) << path;
  const Expander image(SystemFolders::standard("/mnt/win/"), {});
  EXPECT_EQ(image.expand("%WinDir%\\Temp").folders.at(0).path(), "/mnt/win/Windows/Temp");
}

TEST_F(CatalogMachine, ExclusionsKeepTheirFilesAndOneThatCannotBeHonouredRefusesTheEntry) {
  const Plan p = plan("FileKey1=%AppData%\\E|LOG;LOG.old|RECURSE\nExcludeKey1=FILE|%AppData%\\E\\|keep.db\n"
                      "ExcludeKey2=PATH|%AppData%\\E\\Backup\\\nExcludeKey3=PATH|%AppData%\\E\\|*.cfg\n"
                      "ExcludeKey4=REG|HKCU\\E");
  ASSERT_EQ(p.targets.size(), 2u);
  EXPECT_TRUE(p.targets[0].wantsFile("log", 0) && p.targets[0].wantsFile("LOG.old", 3));
  EXPECT_FALSE(p.targets[0].wantsFile("x.log", 0) || p.targets[0].wantsFile("LOG.old.1", 0));
  const std::vector<std::pair<std::string, bool>> files = {
      {"E\\keep.db", true}, {"E\\sub\\keep.db", false}, {"E\\Backup\\deep\\x.txt", true},
      {"E\\sub\\a.CFG", true}, {"E\\a.txt", false}, {"Other\\keep.db", false}};
  for (const auto& [file, excluded] : files) EXPECT_EQ(p.excludes(0, li + file), excluded) << file;
  EXPECT_TRUE(p.excludesFolder(0, li + "E\\Backup"));
  EXPECT_FALSE(p.excludesFolder(0, li + "E\\sub"));
  for (const char* keys : {"FileKey1=%AppData%\\E|*\nExcludeKey1=PATH|%Nope%\\x",
                           "FileKey1=%EmbeddedBrowserProfile%\\Cache|*|RECURSE\n"
                           "ExcludeKey1=PATH|%EmbeddedBrowserProfile%\\Cache\\keep"}) {
    const Plan refused = plan(keys);
    EXPECT_TRUE(refused.targets.empty() && refused.refused[0]) << keys;
  }
  const Plan skipped = plan("FileKey1=%Nope%|*\nFileKey2=%AppData%|a\\b\nFileKey3=%AppData%\\E|*");
  EXPECT_EQ(skipped.skippedKeys, 2);
  EXPECT_EQ(skipped.targets.size(), 2u);
}

TEST_F(CatalogMachine, RemoveSelfNeverTakesAProfileAShellFolderOrADriveRoot) {
  const std::vector<std::pair<std::string, bool>> keys = {
      {"%UserProfile%\\Desktop|*.lnk|REMOVESELF", false},
      {"%Documents%|*.tmp|REMOVESELF", false},
      {"%SystemDrive%\\Users\\*|*|REMOVESELF", false},
      {"%LocalAppData%\\*|*|REMOVESELF", false},
      {"%SystemDrive%|*.log|REMOVESELF", false},
      {"%AppData%\\App\\Downloads|*|REMOVESELF", false},
      {"%UserProfile%\\Desktop|*.lnk", true},
      {"%AppData%\\App\\Old|*|REMOVESELF", true},
      {"%AppData%\\kingsoft\\wps\\addons\\pool\\*\\*|*|REMOVESELF", true},
      {"%SystemDrive%\\Windows.old|*|REMOVESELF", true},
  };
  for (const auto& [key, planned] : keys) {
    const Plan p = plan("FileKey1=" + key);
    const std::size_t perContext = key[1] == 'S' ? 1 : 2;
    EXPECT_EQ(p.targets.size(), planned ? perContext : 0) << key;
    EXPECT_EQ(p.refusedRemoveSelf, planned ? 0 : static_cast<int>(perContext)) << key;
  }
  const RemovalGuard guard(expander);
  for (const char* folder : {"C:\\Users\\li\\AppData\\Roaming", "C:\\Users\\ghost", "C:\\Users", "C:\\",
                             "E:\\Data\\Desktop", "C:\\Users\\li\\AppData\\Roaming\\App\\OneDrive - Work"}) {
    EXPECT_FALSE(guard.mayRemove(folder)) << folder;
  }
  EXPECT_TRUE(guard.mayRemove(li + "App\\Old"));
}

TEST_F(CatalogMachine, DetectionPerProfileAndHoldingBack) {
  const auto entry = [](const std::string& keys) {
    return readCatalog("[T *]\nSection=S\nFileKey1=%AppData%|a\n" + keys).entries.at(0);
  };
  DetectionProbe probe;
  probe.exists = [](const FolderPattern& f) {
    return f.path() == "D:\\Home\\wang\\AppData\\Roaming\\D" || f.path() == "C:\\Windows\\WinSxS\\pending.xml";
  };
  probe.registryKey = [](std::string_view, int profile) {
    return profile == 0 ? Presence::Absent : Presence::Unknown;
  };
  const Entry both = entry("DetectFile=%AppData%\\D\nDetect=HKCU\\D");
  const Entry registry = entry("Detect=HKCU\\D");
  const Entry os = entry("DetectOS=|6.3");
  EXPECT_FALSE(isDetected(both, expander, 0, probe));
  EXPECT_TRUE(isDetected(both, expander, 1, probe));
  EXPECT_FALSE(isDetected(registry, expander, 0, probe));
  EXPECT_TRUE(isDetected(registry, expander, 1, probe));  // another profile's HKCU: unknown
  EXPECT_TRUE(isDetected(os, expander, 0, probe));         // no running version given
  probe.osMajor = 10;
  EXPECT_FALSE(isDetected(os, expander, 0, probe));
  // A skip condition that exists, or that cannot be checked, holds the entry back.
  const struct {
    const char* conditions;
    int profile;
    bool heldBack;
  } skips[] = {
      {"ScourixSkipIf=%WinDir%\\WinSxS\\pending.xml", -1, true},
      {"ScourixSkipIf=HKLM\\X\nScourixSkipIf2=%WinDir%\\x", 0, false},
      {"ScourixSkipIf=hklm\\X", -1, true},                       // a key the registry cannot answer
      {"ScourixSkipIf=C:\\Program Files\\Foo\\running.lock", 0, true},  // no variable: cannot be placed
      {"ScourixSkipIf=%NoSuchFolder%\\x", 0, true},
      {"ScourixSkipIf=%EmbeddedBrowserProfile%\\x", 0, true},  // no path to look at
  };
  for (const auto& skip : skips) {
    EXPECT_EQ(isHeldBack(entry(skip.conditions), expander, skip.profile, probe), skip.heldBack) << skip.conditions;
  }
  probe.registryKey = nullptr;  // another installation's registry is not read
  EXPECT_FALSE(isHeldBack(entry("ScourixSkipIf=HKLM\\X"), expander, -1, probe));
  const Plan p = planCatalog({both, os}, expander, [](std::size_t e, int profile) {
    return e == 1 || profile == 1;
  });
  EXPECT_EQ(p.targets.size(), 3u);
}

TEST_F(CatalogMachine, EmbeddedBrowserProfilesInsideANamedEntrysProgramAreLeftToIt) {
  entries = readCatalog("[A *]\nSection=S\nFileKey1=%AppData%\\DingTalk\\logs|*\n"
                        "FileKey2=%LocalAppData%\\Google\\Chrome\\User Data\\*\\Cache|*\n"
                        "FileKey3=%WeixinFiles%\\*\\cache|*\n"
                        "[B *]\nSection=S\nFileKey1=%EmbeddedBrowserProfile%\\Cache|*").entries;
  const std::vector<std::string> claims = claimedFolders(planCatalog(entries, expander));
  EXPECT_TRUE(isClaimed(li + "DingTalk", claims));
  EXPECT_TRUE(isClaimed(li + "dingtalk\\1_v2\\cef_cache", claims));
  EXPECT_TRUE(isClaimed("C:\\Users\\li\\AppData\\Local\\Google\\Chrome\\User Data\\Default", claims));
  EXPECT_FALSE(isClaimed(li + "Code", claims));
  EXPECT_FALSE(isClaimed("C:\\Users\\li\\Documents\\xwechat_files", claims));
}

TEST(CatalogPrograms, WeChatConfigurationsVersionsAndAges) {
  const std::vector<std::pair<std::string, std::string>> configs = {
      {"MyDocument:", "C:\\Docs"},         {"MyDocument:\\\r\n", "C:\\Docs"},
      {"\xEF\xBB\xBF" u8"D:\\微信\\\n", u8"D:\\微信"}, {"\\\\nas\\share", "\\\\nas\\share"},
      {"D:\\a\nD:\\b", ""},                {"WeChat", ""},
      {"D:\\\xC3", ""},                    {std::string(5000, 'a'), ""},
  };
  for (const auto& [text, root] : configs) EXPECT_EQ(weChatDataRoot(text, "C:\\Docs"), root) << text;
  const std::vector<std::pair<std::vector<std::string>, std::string>> versions = {
      {{"kdocs_1.2.10", "kdocs_1.2.9", "KDOCS_1.10", "pdf_3.0", "pdf_2.9.9.9"}, "11001"},
      {{"a_1.0", "a_beta", "b_2", "b_10", "c"}, "00100"},
      {{"x_1.0", "x_1.00", "x_01.0.0"}, "000"},
  };
  for (const auto& [names, older] : versions) {
    std::string got;
    for (bool b : olderVersions(names)) got += b ? '1' : '0';
    EXPECT_EQ(got, older) << joined(names);
  }
  const std::int64_t now = 1'000'000'000, day = 86400;
  EXPECT_TRUE(isFresh(7, now - 8 * day, now - 6 * day, now));
  EXPECT_TRUE(isFresh(7, now - 1 * day, now - 30 * day, now));  // unpacked with old write times
  EXPECT_FALSE(isFresh(7, now - 8 * day, now - 8 * day, now) || isFresh(0, now, now, now));
}

// The machine answers detection: DetectFile per profile on disk, the registry only for
// the running system and HKCU only for the current user; a user's file loads beside the
// built-in one, its broken entry counted and its entries unticked.
TEST(CatalogOnAMachine, SourcesFoldersAndDetection) {
  test::TempTree tree;
  test::FakePlatform platform;
  const std::string li = tree.dir("Users/li"), wang = tree.dir("Users/wang");
  tree.file("Users/wang/AppData/Roaming/Vendor/App/x.dat");
  const std::string moved = tree.path(u8"D/微信");
  test::TempTree::write(tree.file("Users/wang/AppData/Roaming/Tencent/xwechat/config/a.ini"), moved);
  const std::string user = tree.file("winapp2.ini");
  test::TempTree::write(user, "[Mine *]\nSection=S\nDefault=True\nDetect=HKCU\\Software\\Mine\n"
                              "FileKey1=%AppData%\\Mine|*\n"
                              "[File *]\nSection=S\nDetectFile=%AppData%\\Vendor\\A*\nFileKey1=%AppData%\\Vendor|*\n"
                              "[Broken *]\nSection=S\nFileKey1=%AppData%|*|NOPE\n"
                              "[Machine *]\nSection=S\nDetect=HKLM\\Software\\M\nFileKey1=%WinDir%|*\n");
  platform.catalogText = "[Base *]\nSection=S\nDefault=True\nFileKey1=%WinDir%|*\n";
  platform.environment = {{"SystemRoot", "C:\\Windows"}, {"ProgramData", "C:\\ProgramData"}, {"USERPROFILE", li}};
  platform.registry = {{"HKCU\\Software\\Mine", KeyPresence::Absent}, {"HKLM\\Software\\M", KeyPresence::Absent}};
  const LoadedCatalog loaded = loadCatalog(platform, {true, {user, tree.path("missing.ini")}});
  ASSERT_EQ(loaded.entries.size(), 4u);
  EXPECT_EQ(loaded.broken, 1);
  EXPECT_EQ(loaded.failures.size(), 1u);
  EXPECT_TRUE(!loaded.imported[0] && loaded.imported[1]);
  EXPECT_FALSE(isTicked({}, loaded, 1) || !isTicked({{"winapp2:Mine", true}}, loaded, 1));
  EXPECT_TRUE(isTicked({}, loaded, 0) && !isTicked({{loaded.entries[0].name, false}}, loaded, 0));

  const std::vector<Entry> mine(loaded.entries.begin() + 1, loaded.entries.end());
  const auto shown = [&](const MachineChoice& machine) {
    const Expander expander = machineExpander(platform, machine);
    DetectionTable table(mine, expander, machineProbe(platform, expander, machine));
    std::string out;
    for (std::size_t e = 0; e < mine.size(); ++e) {
      for (int p = -1; p < 2; ++p) out += table.shown(e, p) ? '1' : '0';
      out += ' ';
    }
    return out;
  };
  EXPECT_EQ(shown({"", {li, wang}, "", true}), "001 101 000 ");   // the system, per context
  EXPECT_EQ(shown({"", {li, wang}, "", false}), "111 101 111 ");  // another system: no registry
  const Expander expander = machineExpander(platform, {"", {li, wang}, "", true});
  EXPECT_EQ(expander.system().windows, "C:\\Windows");
  EXPECT_EQ(expander.profiles()[1].weixinFiles,
            std::vector<std::string>{moved + systemPlatform().separator() + "xwechat_files"});
  EXPECT_EQ(machineExpander(platform, {tree.root(), {}, "", false}).system().windows, tree.path("Windows"));
}

}  // namespace
}  // namespace scourix::catalog
