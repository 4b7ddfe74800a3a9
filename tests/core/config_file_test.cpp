// "data.dsfw": the archive's strings, the layout in both directions, cut files, loads
// and saves on disk that never lose the previous file, and the unattended clean that does
// only what the file says and only with its log.
#include "settings/config_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "autoclean/auto_clean_log.h"
#include "engine/clean_engine.h"
#include "engine/trace_locations.h"
#include "fake_platform.h"
#include "settings/archive.h"
#include "temp_tree.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace scourix {
namespace {

using namespace std::string_literals;

// The bytes of a file, built by hand, independent of the archive under test.
std::string i32(std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  return {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16), static_cast<char>(u >> 24)};
}
std::string flags(int count, std::int32_t value) { return count > 0 ? i32(value) + flags(count - 1, value) : ""; }
std::string str(const std::string& text) {  // up to 65533 bytes
  const auto n = text.size();
  return (n < 255 ? std::string(1, static_cast<char>(n))
                  : std::string{'\xFF', static_cast<char>(n & 0xFF), static_cast<char>(n >> 8)}) +
         text;
}

std::string loaded(const std::string& bytes) {
  try {
    Archive archive(std::string_view(bytes), systemPlatform());
    return archive.readString();
  } catch (const ArchiveEndOfFile&) {
    return "<end of file>";
  } catch (const ArchiveDamaged&) {
    return "<damaged>";
  }
}

std::string wide(const std::u16string& text) {
  std::string bytes;
  for (char16_t unit : text) bytes += {static_cast<char>(unit), static_cast<char>(unit >> 8)};
  return bytes;
}

TEST(ArchiveString, PrefixesAtTheirBoundaries) {
  const std::pair<std::size_t, std::string> rows[] = {
      {0, "\x00"s}, {254, "\xFE"}, {255, "\xFF\xFF\x00"s}, {4097, "\xFF\x01\x10"}, {65533, "\xFF\xFD\xFF"},
      {65534, "\xFF\xFF\xFF\xFE\xFF\x00\x00"s}, {70000, "\xFF\xFF\xFF\x70\x11\x01\x00"s}};  // FF FE FF: wide
  for (const auto& [length, prefix] : rows) {
    SCOPED_TRACE(length);
    std::string text(length, '\0');
    for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(i * 7 + 1);
    std::string sink;
    Archive archive(sink, systemPlatform());
    archive.writeString(text);
    archive.close();
    EXPECT_EQ(sink, prefix + text);
    EXPECT_EQ(loaded(sink), text);
  }
}

// Each row: bytes, and the string they load as.
TEST(ArchiveString, LoadsWhatOtherWritersStoreAndRefusesDamage) {
  const std::pair<std::string, std::string> rows[] = {
      // Longer prefixes than the length needs; wide strings, converted to code page 936.
      {"\xFF\xFF\xFF\x03\x00\x00\x00" "abc"s, "abc"}, {"\xFF\xFE\xFF\x03"s + wide(u"a\u0E01b"), "a?b"},
      {"\xFF\xFE\xFF\x02"s + wide(u"\u4E2D\u6587"), "\xD6\xD0\xCE\xC4"},
      {"\xFF\xFE\xFF\xFF\xFF\xFF\x02\x00\x00\x00"s + wide(u"ok"), "ok"}, {"\xFF\x2C", "<end of file>"},
      // Lengths beyond the data, refused before anything is allocated.
      {"\x05" "ab", "<damaged>"}, {"\xFF\xFF\xFF\xFE\xFF\xFF\x7F" "abc", "<damaged>"},
      {"\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", "<damaged>"}, {"\xFF\xFE\xFF\xFF\xFE\xFF", "<damaged>"},
  };
  for (const auto& [bytes, text] : rows) EXPECT_EQ(loaded(bytes), text) << testing::PrintToString(bytes);
}

// The extension block with these fields.
std::string block(const std::vector<std::int32_t>& fields, std::int32_t version = 1) {
  std::string out = "SXEB"s + i32(version) + i32(static_cast<std::int32_t>(fields.size() * 4));
  for (std::int32_t field : fields) out += i32(field);
  return out;
}
const std::string kDefaultBlock = block({0, 1, 1, 1, 1, 1, 1, 1, 0, 0});  // and no exclusion, no catalog tick

std::string store(CleanEngine& engine) {
  std::string sink;
  Archive archive(sink, engine.platform());
  serialize(engine.choices(), archive);
  archive.close();
  return sink;
}

void load(CleanEngine& engine, const std::string& bytes, ConfigLoadProgress* progress = nullptr) {
  Archive archive{std::string_view(bytes), engine.platform()};
  serialize(engine.choices(), archive, progress);
}

// The nineteen flags in the order the file stores them.
std::vector<Flag*> flagsInFileOrder(CleanEngine& engine) {
  ScanSettings& s = engine.choices().settings;
  TraceFlags& t = engine.choices().traceFlags;
  return {&s.backupFiles,    &s.garbageFiles,   &s.cppBuilderFiles,   &s.emptyFiles,      &s.helpTempFiles,
          &s.logTxtFiles,    &s.customRules,    &s.setupTempFiles,    &s.systemLogFiles,  &s.tempFiles,
          &s.visualCppFiles, &s.cpyFiles,       &t.tempInternetFiles, &t.internetHistory, &t.internetCookies,
          &t.offlinePages,   &t.recycleBin,     &t.windowsTemp,       &t.recentDocuments};
}

// "root|label|selected " of each drive, "enabled|pattern|description|mode " of each rule,
// "kind|text " of each exclusion.
std::string lists(const CleanEngine& engine) {
  std::string out;
  for (const DriveEntry& d : engine.choices().drives) out += d.root + "|" + d.displayName + "|" + std::to_string(d.selected) + " ";
  for (const ScanRule& r : engine.choices().rules.all()) {
    out += std::to_string(r.enabled) + "|" + r.pattern + "|" + r.description + "|" + std::to_string(r.matchMode) + " ";
  }
  for (const Exclusion& e : engine.choices().exclusions.entries()) out += std::to_string(static_cast<int>(e.kind)) + "|" + e.text + " ";
  for (const auto& [name, tick] : engine.choices().catalogTicks) out += name + "=" + std::to_string(tick) + " ";
  return out;
}

// A load keeps every value as read, and an entry only once all its fields were read.
TEST(ConfigLayout, EveryFieldInFileOrderAndACutAtEveryByte) {
  CleanEngine full(systemPlatform());
  const std::int32_t values[19] = {2, -1, 0, INT32_MAX, INT32_MIN, 7, 8, 9, 3, 4, 5, 6, 10, -7, 99, 11, 12, 65536, 13};
  std::string bytes;
  for (int i = 0; i < 19; ++i) bytes += i32(*flagsInFileOrder(full)[i] = values[i]);
  const ScanRule rules[] = {
      {1, ".pcf", "clean pcf files", 0}, {0, "", std::string(300, 'd'), 1}, {-9, "\xD6\xD0", "a,b\r\nc\0d"s, 42}};
  std::vector<std::size_t> ends;  // of the drive count, each drive, the rule count, each rule
  ends.push_back((bytes += i32(2)).size());
  for (const std::string root : {"D:\\", "C:\\"}) {
    full.choices().drives.push_back({root, root[0] == 'D' ? "\xD6\xD0\xCE\xC4" : root, root[0] == 'C'});
    ends.push_back((bytes += str(root) + str(full.choices().drives.back().displayName) + i32(root[0] == 'C')).size());
  }
  ends.push_back((bytes += i32(3)).size());
  for (const ScanRule& r : rules) {
    full.choices().rules.append(r);
    ends.push_back((bytes += i32(r.enabled) + str(r.pattern) + str(r.description) + i32(r.matchMode)).size());
  }
  // The block follows the original layout unchanged; cut into, it is damage.
  const std::size_t layoutEnd = bytes.size();
  full.choices().options.deleteToRecycleBin = 1;
  full.choices().traceFlags.browser2345Cache = 0;
  full.choices().exclusions.add({Exclusion::Kind::Folder, "D:\\资料"});
  full.choices().exclusions.add({Exclusion::Kind::Name, std::string(300, '*')});
  const std::string exclusions = i32(2) + i32(0) + str("D:\\资料") + i32(1) + str(std::string(300, '*'));
  full.choices().catalogTicks = {{"Memory Dumps", 0}, {"winapp2:\xE7\x81\xAB", 1}};  // UTF-8, in name order
  const std::string ticks = i32(2) + str("Memory Dumps") + i32(0) + str("winapp2:\xE7\x81\xAB") + i32(1);
  bytes += "SXEB"s + i32(1) + i32(32 + static_cast<std::int32_t>(exclusions.size() + ticks.size())) + flags(7, 1) +
           i32(0) + exclusions + ticks;
  ASSERT_EQ(store(full), bytes);

  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    CleanEngine engine(systemPlatform());
    ConfigLoadProgress progress;
    try {
      load(engine, bytes.substr(0, cut), &progress);
      ASSERT_TRUE(cut == bytes.size() || (cut >= layoutEnd && cut < layoutEnd + 4));
      EXPECT_EQ(store(engine), cut == bytes.size() ? bytes : bytes.substr(0, layoutEnd) + kDefaultBlock);
    } catch (const ArchiveError&) {
      ASSERT_TRUE(cut < layoutEnd || (cut >= layoutEnd + 4 && cut < bytes.size()));
    }
    ASSERT_EQ(progress.extensionFields + progress.catalogTicks, cut == bytes.size() ? 10 : 0);
    const std::size_t flagsRead = std::min<std::size_t>(19, cut / 4);
    ASSERT_EQ(static_cast<std::size_t>(progress.flags + progress.traceFlags), flagsRead);
    for (std::size_t i = 0; i < 19; ++i) ASSERT_EQ(*flagsInFileOrder(engine)[i], i < flagsRead ? values[i] : 1);
    int complete = 0;
    for (std::size_t end : ends) complete += end <= cut;
    ASSERT_EQ(progress.driveCountRead, complete >= 1);
    ASSERT_EQ(progress.drives, std::clamp<int>(complete - 1, 0, 2));
    ASSERT_EQ(progress.ruleCountRead, complete >= 4);
    ASSERT_EQ(progress.rules, std::clamp<int>(complete - 4, 0, 3));
    // The complete entries are the first ones of the full state, in order.
    CleanEngine expected(systemPlatform());
    for (int i = 0; i < progress.drives; ++i) expected.choices().drives.push_back(full.choices().drives[i]);
    for (int i = 0; i < progress.rules; ++i) expected.choices().rules.append(rules[i]);
    if (cut == bytes.size()) expected.choices().exclusions = full.choices().exclusions;
    if (cut == bytes.size()) expected.choices().catalogTicks = full.choices().catalogTicks;
    ASSERT_EQ(lists(engine), lists(expected));
  }
}

// Each row: what follows the rules, whether the load ends early, and the first three
// fields of the block after it. The drive before the block is never lost.
TEST(ConfigLayout, ExtensionBlocksOfOtherBuildsAndDamage) {
  const std::tuple<std::string, bool, std::vector<int>> rows[] = {
      {block({1, 0, 0, 0, 0, 0, 0, 0}), false, {1, 0, 0}}, {block({1, 0}), false, {1, 0, 1}},  // an earlier build's
      {block({1, 0, 1, 0, 1, 0, 1, 0, 0, 0, 9, 9}) + "more", false, {1, 0, 1}},                // a later build's
      {block({1, 0, 0}, 2), false, {0, 1, 1}}, {"SXE", false, {0, 1, 1}},                     // a version unknown
      {"SXEB"s + i32(1) + i32(36) + flags(8, 0), true, {0, 1, 1}}, {"SXEB"s + i32(1), true, {0, 1, 1}},
      {"SXEB"s + i32(1) + i32(-4) + flags(8, 0), true, {0, 1, 1}},
      {"SXEB"s + i32(1) + i32(36) + flags(8, 0) + i32(1) + i32(0) + str("D:"), true, {0, 0, 0}},  // a list past its block
      {"SXEB"s + i32(1) + i32(44) + flags(8, 0) + i32(0) + i32(2) + str("a") + i32(1) + str("b"), true, {0, 0, 0}}};
  for (const auto& [tail, damaged, fields] : rows) {
    SCOPED_TRACE(::testing::PrintToString(tail));
    CleanEngine engine(systemPlatform());
    bool ended = false;
    try {
      load(engine, flags(19, 1) + i32(1) + str("C:") + str("C:") + i32(1) + i32(0) + tail);
    } catch (const ArchiveError&) {
      ended = true;
    }
    EXPECT_EQ(ended, damaged);
    EXPECT_EQ(lists(engine), "C:|C:|1 ");  // ticks past their block: none taken
    EXPECT_EQ((std::vector<int>{engine.choices().options.deleteToRecycleBin, engine.choices().traceFlags.chromeCache,
                                engine.choices().traceFlags.edgeCache}),
              fields);
  }
}

// Loads report a damaged file and keep a copy of it; saves never lose the previous file.
TEST(ConfigFiles, OnDisk) {
  test::TempTree tree;
  test::FakePlatform platform;
  CleanEngine engine(platform);
  const std::string path = tree.path("data.dsfw");
  const std::string good = flags(19, 0) + i32(1) + str("C:\\") + str("C:\\") + i32(1) + i32(3) +
                           i32(1) + str(".pcf") + str("pcf files") + i32(0) + i32(1) + str(".bak") +
                           str("") + i32(1) + i32(0) + str(".old") + str("old") + i32(0);
  test::TempTree::write(path, "");
  EXPECT_EQ(loadConfig(engine.choices(), engine.platform(), path).status, ConfigStatus::Absent);  // a missing file likewise, below
  const std::string damaged = good.substr(0, good.size() - 6);
  test::TempTree::write(path + ".bad", "older");
  test::TempTree::write(path, damaged);
  EXPECT_EQ(readConfigFile(engine.choices(), engine.platform(), path).status, ConfigStatus::Damaged);
  EXPECT_EQ(test::TempTree::read(path + ".bad"), "older");  // only loadConfig keeps a copy
  const ConfigResult result = loadConfig(engine.choices(), engine.platform(), path);
  EXPECT_EQ(result.progress.describe() + "|" + result.keptCopy, "flags, trace flags, 1 drive, 2 of 3 rules|" + path + ".bad");
  EXPECT_FALSE(result.error.empty());
  // A file no copy could be kept of is not saved over by the window.
  const std::string uncopied = tree.path("uncopied.dsfw");
  test::TempTree::write(uncopied, damaged);
  tree.dir("uncopied.dsfw.bad");
  EXPECT_EQ(std::vector<bool>({meaningOf(result).windowMaySave,
                               meaningOf(loadConfig(engine.choices(), engine.platform(), uncopied)).windowMaySave}),
            std::vector<bool>({true, false}));
  // The next save replaces the file, not the copy; a leftover temporary file does no harm.
  test::TempTree::write(path + ".tmp", std::string(5000, 'j'));
  ASSERT_TRUE(saveConfig(engine.choices(), engine.platform(), path).saved);
  EXPECT_EQ(test::TempTree::read(path + ".bad"), damaged);
  EXPECT_FALSE(test::TempTree::exists(path + ".tmp"));
  EXPECT_EQ(loadConfig(engine.choices(), engine.platform(), path).progress.describe(), "flags, trace flags, 1 drive, 2 rules, 0 exclusions");

  test::TempTree::write(path, good);
  for (int failure = 0; failure < 4; ++failure) {
    SCOPED_TRACE(failure);
    platform.failReplace = failure == 0, platform.failSync = failure == 1, platform.replaceCalls = 0;
#ifdef _WIN32
    if (failure == 2) continue;
#else
    if (failure == 2) { ASSERT_EQ(::symlink("/dev/full", (path + ".tmp").c_str()), 0); }  // writes fail: ENOSPC
#endif
    const std::string target = failure == 3 ? tree.path("no-such-folder/data.dsfw") : path;
    EXPECT_FALSE(saveConfig(engine.choices(), engine.platform(), target).saved);
    EXPECT_EQ(platform.replaceCalls, failure == 0 ? 1 : 0);
    EXPECT_EQ(test::TempTree::read(path), good);
    EXPECT_FALSE(test::TempTree::exists(target + ".tmp"));
  }
  // Only a missing file or folder is a first run (a file that is there but cannot be
  // opened is not: the unattended clean and the window's tests hold one).
  EXPECT_EQ(loadConfig(engine.choices(), engine.platform(), tree.path("no-such-folder/data.dsfw")).status, ConfigStatus::Absent);
}

// The settings of an earlier version, without the extension block: the test's drive
// ticked, no trace item, the browser caches not mentioned; a fixed drive M: attached
// since. A log that cannot be opened stops the run before anything is scanned, one that
// cannot be written at the end fails it; past its limit the log is kept as ".1".
TEST(AutoClean, CleansOnlyWhatTheFileTicksAndOnlyWithItsRecord) {
  test::TempTree tree;
  test::FakePlatform platform;
  const std::string config = tree.path("data.dsfw"), log = tree.path(kAutoCleanLogName), drive = tree.dir("d");
  test::TempTree::write(config, flags(12, 1) + flags(7, 0) + i32(1) + str(drive) + str(drive) + i32(1) + i32(0));
  const std::string attached = "M:"s + platform.separator(), junk = tree.file("d/a.bak");
  platform.driveTypes[attached] = kDriveFixed;
  platform.memoryDirs[attached] = {test::fileEntry("attached.bak")};
  const std::string cache = tree.file("ann/AppData/Local/Mozilla/Firefox/Profiles/x.default/cache2/e");
  tree.file("ann/AppData/Local/Mozilla/Firefox/Profiles/x.default/prefs.js");
  platform.profilesDir = tree.root();
  auto run = [&] { CleanEngine engine(platform); return runLoggedAutoClean(engine, {config}, log); };
  tree.dir(kAutoCleanLogName);
  EXPECT_EQ(run(), kAutoCleanNoLog);
  std::filesystem::remove(log);
#ifdef _WIN32
  HANDLE held = CreateFileA(log.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);  // by another program
  EXPECT_EQ(run(), kAutoCleanNoLog);
  CloseHandle(held);
  std::filesystem::remove(log);
#endif
  EXPECT_TRUE(platform.listedDirs.empty());
  const std::string earlier(kAutoCleanLogLimit - 1, 'x'), start = "scourix 自动清理，开始于";
  test::TempTree::write(log, earlier);
  EXPECT_EQ(run(), kAutoCleanDone);
  EXPECT_FALSE(test::TempTree::exists(junk));
  EXPECT_TRUE(test::TempTree::exists(cache));
  for (const std::string& dir : platform.listedDirs) EXPECT_EQ(dir.find(attached), std::string::npos) << dir;
  EXPECT_EQ(run(), kAutoCleanDone);
  EXPECT_EQ(test::TempTree::read(log + ".1").rfind(earlier + start, 0), 0u);
  EXPECT_EQ(test::TempTree::read(log).rfind(start, 0), 0u);
#ifndef _WIN32
  platform.failingDeletes.insert(tree.file("d/b.bak"));  // alone, exit code 1
  std::filesystem::remove(log);
  ASSERT_EQ(::symlink("/dev/full", log.c_str()), 0);  // every write fails: no space
  EXPECT_EQ(run(), kAutoCleanNoLog);
#endif
}

// What the record says was removed is what left its place: not the files that went with
// their folder before the deletion, nor one whose code-page name is another's that stayed
// ("?.bak" both). Of the bins only the ticked drives' are emptied.
TEST(AutoClean, RecordsOnlyWhatWentAndEmptiesOnlyTheTickedDrivesBins) {
  test::TempTree tree;
  test::FakePlatform platform;
  const std::string memory = test::memoryRoot(platform, "[a]"), ticked = tree.dir("t"), unticked = tree.dir("u");
  const std::string config = tree.path("data.dsfw");
  std::string drives;
  for (const std::string& drive : {memory, ticked, unticked}) drives += str(drive) + str(drive) + i32(drive != unticked);
  test::TempTree::write(config, flags(12, 1) + flags(4, 0) + i32(1) + flags(2, 0) + i32(3) + drives + i32(0));
  const auto sameInCodePage = [](char first, std::uint64_t size) {
    DirEntry entry = test::fileEntry("?.bak", size);
    for (char c : std::string(1, first) + ".bak") entry.exactName += static_cast<PathUnit>(static_cast<unsigned char>(c));
    return entry;
  };
  platform.memoryDirs[memory] = {sameInCodePage('\xE9', 2), sameInCodePage('\xE8', 3), test::dirEntry("gone")};
  platform.failingDeletes = {memory + "\xE8.bak"};
  // A program removes its folder after the scan: the memory lists it, the disk has none.
  platform.listingHook = [&](const std::string& dir) -> std::unique_ptr<DirListing> {
    if (dir != memory + "gone" + platform.separator()) return nullptr;
    return std::make_unique<test::VectorListing>(std::vector<DirEntry>{test::fileEntry("x.bak", 5)});
  };
  const char* const binItems[] = {"$Recycle.Bin/S-1/$RA.doc", "$Recycle.Bin/S-1/$IA.doc"};
  for (const std::string drive : {"t/", "u/"}) {
    for (const char* item : binItems) tree.file(drive + item, 7);
  }
  platform.profilesDir = tree.dir("profiles");
  CleanEngine engine(platform);
  const AutoCleanReport report = runAutoClean(engine, {config});
  EXPECT_EQ(report.exitCode, kAutoCleanIncomplete);
  std::vector<std::string> rows;
  for (const CategoryTally& row : report.categories) rows.push_back(row.category + " " + std::to_string(row.files) + " " + std::to_string(row.bytes));
  EXPECT_EQ(rows, (std::vector<std::string>{"back files 1 2", kRecycleBinLabel + " 2 14"s}));
  for (const char* item : binItems) {
    EXPECT_FALSE(test::TempTree::exists(tree.path("t/"s + item))) << item;
    EXPECT_TRUE(test::TempTree::exists(tree.path("u/"s + item))) << item;
  }
}

}  // namespace
}  // namespace scourix
