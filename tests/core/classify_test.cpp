// The disk scan's judgement of single files: the category table in order, the flags,
// the custom rules, the recent-access rule of temporary files, double-byte names (the
// code page rules behind them), and what keeps a finding from starting ticked.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "engine/clean_engine.h"
#include "fake_platform.h"

namespace scourix {
namespace {

ScanRule rule(const std::string& pattern, std::int32_t mode = MatchAtEnd, std::int32_t enabled = 1) {
  return ScanRule{enabled, pattern, "", mode};
}

class Classify : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.choices().drives.emplace_back();
    engine.choices().drives.back().root = root;
  }
  // "name=category " of every finding of a scan of one-byte files, named apart by spaces.
  std::string scan(const std::string& names) {
    platform.memoryDirs[root].clear();
    std::istringstream in(names);
    for (std::string name; in >> name;) platform.memoryDirs[root].push_back(test::fileEntry(name));
    engine.runDiskScan();
    std::string out;
    for (const auto& file : engine.findings()) out += std::string(file.name()) + "=" + file.category() + " ";
    return out;
  }
  // The category of one file scanned on its own; "" when it is not listed.
  std::string categoryOf(const std::string& name, std::uint64_t size, std::int64_t access = 0) {
    platform.memoryDirs[root] = {test::fileEntry(name, size, access, access)};
    engine.runDiskScan();
    return engine.findings().count() == 0 ? "" : engine.findings().at(0).category();
  }

  test::FakePlatform platform;
  CleanEngine engine{platform};
  const std::string root = test::memoryRoot(platform);
};

// Each row: the flag of a category, its label, and files of one size that it lists.
TEST_F(Classify, TheFirstMatchingRowNamesTheFileAndEachFlagGovernsItsRows) {
  engine.choices().rules.append(rule(".log"));  // the rules come after the built-in rows
  engine.choices().rules.append(rule(".txt"));  // and before the empty files
  const std::tuple<Flag ScanSettings::*, const char*, std::uint64_t, const char*> rows[] = {
      {&ScanSettings::tempFiles, "temp files", 1, "a.tmp a.??$ a.chk notes.1st a.ffa a.ffl a.ff0 REPORT.TMP .tmp \x81\x41.TMP"},
      {&ScanSettings::backupFiles, "back files", 1, "a.bak a.old x.old.bak x.bak.old \xB1\xA8.bak"},
      {&ScanSettings::setupTempFiles, "setup temp files", 1, "a.dir a.---"},
      {&ScanSettings::systemLogFiles, "system log files", 0, "install.log log.dat APPLOG.DAT sys.log.prv \x81\x40LOG.DAT"},
      {&ScanSettings::helpTempFiles, "help temp files", 1, "a.fts a.gid a.ftg"},
      {&ScanSettings::cpyFiles, "window me cpy files", 1, "a.cpy"},
      {&ScanSettings::cppBuilderFiles, "C++ builder temp files", 1, "a.ilc a.ild a.ilf a.ils a.tds"},
      {&ScanSettings::visualCppFiles, "VC++ temp files", 1, "a.bsc a.ilk a.res a.pch"},
      {&ScanSettings::logTxtFiles, "log.txt temp files", 0, "errorlog.txt CATALOG.TXT"},
      {&ScanSettings::garbageFiles, "Untarnished Grabage files", 1, "a.~ a.- a.dos"},
      {&ScanSettings::customRules, "my rules(.txt)", 0, "logs.txt a.txt"},
      {&ScanSettings::emptyFiles, "empty files", 0, "a.doc"},
      // '?' is no wildcard; a tail needs seven bytes that begin a character; 0x81 0x2E is
      // one character, so "\x81\x2Etmp" has no full stop and is not judged at all.
      {nullptr, "", 1ull << 32, "notes.lst a.xy$ x.bak1 x.tmp.doc og.dat \x81LOG.DAT a.doc"},
      {nullptr, "", 0, "README \x81\x2Etmp \xD6\xD0\x81\x2E" "bak"},
  };
  for (const auto& [flag, category, size, names] : rows) {
    std::istringstream in(names);
    for (std::string name; in >> name;) {
      SCOPED_TRACE(name);
      EXPECT_EQ(categoryOf(name, size), category);
      if (flag == nullptr) continue;
      engine.choices().settings.*flag = 0;
      EXPECT_NE(categoryOf(name, size), category);
      engine.choices().settings.*flag = 1;
    }
  }
}

// Recent: the same month of the same year, and less than seven days ago by the day.
TEST_F(Classify, RecentTempFilesAreLeftAlone) {
  // Each row: the day of access, the day of the scan, and whether the file is listed.
  const int rows[][7] = {
      {2024, 3, 4, 2024, 3, 10, 0},  {2024, 3, 3, 2024, 3, 10, 1}, {2024, 3, 10, 2024, 3, 10, 0},
      {2024, 3, 20, 2024, 3, 10, 0}, {2024, 2, 28, 2024, 3, 2, 1}, {2024, 2, 29, 2024, 3, 1, 1},
      {2023, 12, 30, 2024, 1, 3, 1}, {2023, 3, 9, 2024, 3, 10, 1}, {2024, 4, 9, 2024, 3, 10, 1}};
  for (const auto& r : rows) {
    platform.clock = test::localNoon(r[3], r[4], r[5]);
    EXPECT_EQ(categoryOf("SETUP.TMP", 1, test::localNoon(r[0], r[1], r[2])), r[6] ? "temp files" : "") << r[2] << r[5];
  }
  // A recent temp file ends its test: no rule and no later row lists it.
  const std::int64_t recent = test::localNoon(2024, 3, 7);
  platform.clock = test::localNoon(2024, 3, 10);
  engine.choices().rules.append(rule(".tmp"));
  EXPECT_EQ(categoryOf("SETUP.TMP", 0, recent), "");
  EXPECT_EQ(categoryOf("a.bak", 1, recent), "back files");
  // A time without a local date is not recent.
  platform.datelessBefore = test::localNoon(2025, 1, 1);
  EXPECT_EQ(categoryOf("SETUP.TMP", 1, recent), "temp files");
  // Without the temp category the rule is not applied, and the rows after it are.
  platform.datelessBefore = 0;
  engine.choices().settings.tempFiles = 0;
  EXPECT_EQ(categoryOf("SETUP.TMP", 0, recent), "my rules(.tmp)");
}

// Each row: the rules, the files, the findings.
TEST_F(Classify, CustomRules) {
  const std::vector<ScanRule> twoModes = {rule("a.txt"), rule("A", MatchAnywhere)};
  const std::tuple<std::vector<ScanRule>, std::string, std::string> rows[] = {
      // At the end: the name's tail is lower-cased, the pattern is not.
      {{rule("tmq"), rule("DOC")}, "A.TMQ a.tmq x.DOC", "A.TMQ=my rules(tmq) a.tmq=my rules(tmq) "},
      // Anywhere: exactly as written; any nonzero mode means anywhere.
      {{rule("TMQ", MatchAnywhere)}, "a.tmq xTMQy.z", "xTMQy.z=my rules(TMQ) "},
      {{rule("pq", 7)}, "pq.x a.PQ", "pq.x=my rules(pq) "},
      {{rule(".q", MatchAtEnd, 0), rule("q"), rule(".q")}, "a.q", "a.q=my rules(q) "},  // the first enabled match
      // A pattern longer than the name never matches.
      {{rule("abc.xyz", MatchAnywhere), rule("bc.xyz")}, "c.xyz abc.xyz", "abc.xyz=my rules(abc.xyz) "},
      {{rule(""), rule("", MatchAnywhere)}, "a.q NOEXT", ""},  // an empty pattern matches nothing, in either mode
      // Matches begin on whole characters: "\x81" "A" is one character, and its capital
      // trail byte is not lower-cased.
      {twoModes, "\x81" "A.TXT \x81" "A.q \x81\x40" "A.TXT \x81\x40" "A.q",
       "\x81\x40" "A.TXT=my rules(a.txt) \x81\x40" "A.q=my rules(A) "},
      {{rule("\x81" "a.q"), rule("\x81" "A.q")}, "\x81" "A.Q", "\x81" "A.Q=my rules(\x81" "A.q) "},
  };
  for (const auto& [rules, files, found] : rows) {
    SCOPED_TRACE(files);
    engine.choices().rules.clear();
    for (const ScanRule& r : rules) engine.choices().rules.append(r);
    EXPECT_EQ(scan(files), found);
  }
}

// Which findings start unticked: what names tell. A walk over real trees is run end to
// end (e2e_safe_clean_test.cpp).
TEST(Protection, WhatNamesTell) {
  // Name, a folder, what the entry tells about the folder that lists it.
  for (const auto& [name, directory, traits] : std::vector<std::tuple<const char*, bool, unsigned>>{
           {"SETUP.EXE", false, kHoldsProgram}, {"x.Dll", false, kHoldsProgram}, {"a.pyd", false, kHoldsProgram},
           {"z.so", false, kHoldsProgram}, {"z.so.1", false, 0}, {"a\x81.exe", false, 0}, {"b.exe", true, 0},
           {".Git", true, kHoldsRepository}, {".git", false, kHoldsRepository}, {"pyvenv.CFG", false, kHoldsRepository},
           {"System32", true, kHoldsSystem32}, {"system32", false, 0},
           {".svn", true, kHoldsRepository}, {".hg", false, 0}}) {
    EXPECT_EQ(heldTraits(name, directory, CodePage::gbk()), traits) << name;
  }
  // A folder's name, whether it lies in a drive's root, what that says.
  for (const auto& [name, rootLevel, traits] : std::vector<std::tuple<const char*, bool, unsigned>>{
           {"Node_Modules", false, kSoftwareTree}, {"site-packages", true, kSoftwareTree}, {".hg", false, kSoftwareTree},
           {"Program Files (x86)", true, kSystemFolder}, {"program files", false, 0},
           {"PROGRAMDATA", true, kSystemFolder}, {"Windows", true, kWindowsFolder}, {"Windows", false, 0},
           {"$WINDOWS.~BT", true, kSystemFolder}, {"Windows.old", false, 0},
           {"TEMP", false, kTemporary | kWindowsJunk}, {"Cache", true, kTemporary}, {"tmp", false, kTemporary},
           {"Logs", false, kWindowsJunk}, {"Templates", false, 0}}) {
    EXPECT_EQ(folderTraits(name, rootLevel, CodePage::gbk()), traits) << name;
  }
}

// Which findings start locked: trees of program state and of users' own files, each
// file '*' when it should start locked, in the walk's order. The marker files come after the findings they
// decide, as a listing may give them; '+' stands for a blank.
TEST_F(Classify, ProgramStateAndUsersOwnFilesStartLocked) {
  engine.choices().rules.append(rule("-wal"));
  platform.profilesDir = root + "Home";
  const char sep = platform.separator();
  platform.registered = {root + "Elsewhere" + sep + "carl"};
  platform.ownFolders = {root + "Moved" + sep + "Docs"};
  const char* const trees[] = {
      // LevelDB: all but its text logs; CURRENT alone makes no store.
      "ls/leveldb/*000003.log ls/leveldb/LOG.old ls/leveldb/CURRENT ls/leveldb/MANIFEST-000001 half/000003.log half/CURRENT",
      // ESE: a database or a checkpoint beside its logs; a lone checkpoint is junk.
      "WebCache/*V01.log WebCache/*V01.chk WebCache/V01.dat idx/*edb.log idx/Windows.edb lone/x.chk",
      // SQLite: a journal beside its database; an orphan is junk.
      "db/*places.sqlite-wal db/places.sqlite db/gone.sqlite-wal",
      // Browser profiles, also embedded ones and Firefox's: all but the trace scan's caches.
      "Chrome/*Default/Bookmarks.bak Chrome/Default/Cache/Cache_Data/f.tmp Chrome/ShaderCache/s.tmp "
      "Chrome/*Crashpad/a.tmp Chrome/Local+State App/Code+Cache/c.tmp App/*logs/main.log App/Local+State "
      "fx/*sessionstore.bak fx/prefs.js fx/cache2/e.tmp",
      // Users' own folders, but their temporary ones and the rest of the profile.
      "Users/ann/Documents/*thesis.docx.bak Users/ann/Desktop/sub/*report.log Users/ann/Documents/Temp/x.tmp "
      "Users/ann/*OneDrive+-+Corp/a.bak Users/ann/setup.tmp Data/Documents/a.bak Home/bob/Music/*a.bak "
      "Elsewhere/carl/Videos/*v.bak Moved/Docs/*d.bak Moved/Docs/Cache/d.bak",
      // An older system's profiles, and an old installation kept whole.
      "Documents+and+Settings/ann/My+Documents/*thesis.bak Documents+and+Settings/ann/桌面/*a.bak "
      "Users/ann/Saved+Games/*save.bak Windows.old/Users/ann/Documents/*t.bak Windows.old/*a.tmp",
      // Working copies of every kind: their files are someone's work.
      "git/*todo.old git/.git/HEAD hg/*notes.bak hg/.hg/requires svn/*todo.old svn/.svn/wc.db",
  };
  for (const char* tree : trees) {
    SCOPED_TRACE(tree);
    platform.memoryDirs.clear();
    std::vector<std::string> expected;
    std::istringstream in(tree);
    for (std::string item; in >> item;) {
      std::replace(item.begin(), item.end(), '+', ' ');
      const std::size_t star = item.find('*');
      if (star != std::string::npos) item.erase(star, 1);
      std::string dir = root;
      for (std::size_t slash; (slash = item.find('/')) != std::string::npos; item.erase(0, slash + 1)) {
        const std::string name = item.substr(0, slash);
        auto& entries = platform.memoryDirs[dir];
        if (std::none_of(entries.begin(), entries.end(), [&](const DirEntry& e) { return e.name == name; })) entries.push_back(test::dirEntry(name));
        dir += name + platform.separator();
      }
      platform.memoryDirs[dir].push_back(test::fileEntry(item));
      if (star != std::string::npos) expected.push_back(dir + item);
    }
    engine.runDiskScan();
    std::vector<std::string> locked;
    for (const auto& file : engine.findings()) {
      if (file.isProtected != 0) locked.push_back(file.path());
      EXPECT_EQ(file.toDelete, 1 - file.isProtected) << file.path();
    }
    EXPECT_EQ(locked, expected);  // both in the walk's order
  }
}

// A separator is a character of its own, never the trail byte of one (0xD5 0x5C is one).
TEST(CodePage, SeparatorsAreWholeCharacters) {
  const CodePage gbk = CodePage::gbk();
  EXPECT_EQ(gbk.firstOf("C:\\a\xD5\x5C" "b\\c", '\\', 3), 7u);
  EXPECT_EQ(gbk.lastOf("C:\\a\xD5\x5C", '\\'), 2u);
}

}  // namespace
}  // namespace scourix
