// The recursive walk of both scans: depth-first order, folders that cannot or must not
// be entered, links and cycles, the progress cap; and the trace scan's walks of its
// locations below every profile and every drive. Real files are walked end to end.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <thread>
#include <type_traits>
#endif

#include "engine/clean_engine.h"
#include "fake_platform.h"
#include "temp_tree.h"

namespace scourix {
namespace {

using Paths = std::vector<std::string>;

class Walk : public ::testing::Test {
 protected:
  // "category|path" of each finding.
  Paths labelled() const {
    Paths out;
    for (const auto& file : engine.findings()) out.push_back(file.category() + "|" + file.path());
    return out;
  }
  std::string in(const std::string& relative) const { return tree.path(relative); }
  std::string in(const std::string& base, const std::string& relative) const {
    std::string out = base;
    for (char c : relative) out += c == '/' ? platform.separator() : c;
    return out;
  }
  std::string mem(const std::string& relative) const {
    return in(test::memoryRoot(platform), relative);
  }

  test::TempTree tree;
  test::FakePlatform platform;
  CleanEngine engine{platform};
  const std::string profiles = test::memoryRoot(platform, "[profiles]");
};

TEST_F(Walk, DepthFirstPastWhatCannotOrMustNotBeEntered) {
  DirEntry link = test::dirEntry("junction");
  link.isLink = true;
  DirEntry sub = test::dirEntry("sub");  // its own identity, met again below itself
  sub.fileId = sub.device = 10;
  platform.memoryDirs[mem("")] = {test::dirEntry("."), test::dirEntry(".."), test::fileEntry("1.bak", 3, 1111, 2222),
                                  sub, link, test::dirEntry("gone"), test::fileEntry("3.bak")};
  platform.memoryDirs[mem("sub/")] = {test::fileEntry("2.bak"), sub, test::dirEntry("deep")};
  platform.memoryDirs[mem("sub/deep/")] = {test::fileEntry("2b.bak")};
  platform.memoryDirs[mem("junction/")] = {test::fileEntry("no.bak")};
  const std::string start = mem("");
  engine.scanFolder(start.substr(0, start.size() - 1));  // the separator is added
  const std::string bak = "back files|";
  EXPECT_EQ(labelled(), (Paths{bak + mem("1.bak"), bak + mem("sub/2.bak"), bak + mem("sub/deep/2b.bak"), bak + mem("3.bak")}));
  EXPECT_EQ(platform.listedDirs, (Paths{mem(""), mem("sub/"), mem("sub/deep/"), mem("gone/")}));
  EXPECT_EQ(engine.findings().at(0).lastAccess + engine.findings().at(0).lastWrite, 3333);
}

// The exclusion list: an excluded folder is never entered, an excluded name never listed.
// A listing that breaks off on an error may have kept back a marker that protects what
// it gave: the walk's findings start locked, and the folder counts as unreadable.
TEST_F(Walk, AListingThatBreaksOffLocksWhatItGave) {
  platform.listingHook = [&](const std::string& dir) -> std::unique_ptr<DirListing> {
    if (dir != mem("")) return nullptr;
    auto listing = std::make_unique<test::VectorListing>(std::vector<DirEntry>{test::fileEntry("a.tmp")});
    listing->breaksOff = true;
    return listing;
  };
  engine.scanFolder(mem("").substr(0, mem("").size() - 1));
  ASSERT_EQ(engine.findings().count(), 1);
  EXPECT_EQ(std::make_pair(engine.findings().at(0).toDelete, engine.findings().at(0).isProtected), std::make_pair(0, 1));
}

TEST_F(Walk, NothingTheExclusionListNamesIsEnteredOrListed) {
  platform.memoryDirs[mem("")] = {test::fileEntry("1.bak"), test::fileEntry("2.BAK.tmp"), test::dirEntry("keep"),
                                  test::dirEntry("Skip")};
  platform.memoryDirs[mem("keep/")] = {test::fileEntry("3.bak"), test::fileEntry("4.tmp")};
  platform.memoryDirs[mem("Skip/")] = {test::fileEntry("5.tmp")};
  engine.choices().exclusions.add({Exclusion::Kind::Folder, mem("skip")});
  engine.choices().exclusions.add({Exclusion::Kind::Name, "*.bak"});
  const std::string start = mem("");
  engine.scanFolder(start.substr(0, start.size() - 1));
  EXPECT_EQ(labelled(), (Paths{"temp files|" + mem("2.BAK.tmp"), "temp files|" + mem("keep/4.tmp")}));
  EXPECT_EQ(platform.listedDirs, (Paths{mem(""), mem("keep/")}));
}

// The trace scan: the location table under every profile, then every drive's recycle folders.
class Trace : public Walk {};

TEST_F(Trace, EveryLocationOfEveryProfileThenTheRecycleFoldersOfEveryDrive) {
  engine.setProfilesFolder(profiles);
  // System profiles are the built-in ones; the others (hidden or not) are users. The name
  // ends in 0xD5 0x5C, one character whose trail byte is a backslash.
  platform.memoryDirs[profiles] = {test::dirEntry("."), test::dirEntry(".."), test::fileEntry("x.dat"),
                                   test::dirEntry("All Users", true), test::dirEntry("ann\xD5\x5C")};
  const std::string ann = in(profiles, "ann\xD5\x5C/");
  platform.memoryDirs[ann] = {test::dirEntry("local settings"), test::dirEntry("Cookies"), test::dirEntry("Offlin~1"),
                              test::dirEntry("Recent")};
  platform.memoryDirs[in(ann, "local settings/")] = {test::dirEntry("Temporary Internet Files"),
                                                      test::dirEntry("History"), test::dirEntry("Temp")};
  Paths findings;
  for (const auto& [dir, label] :
       {std::pair{"local settings/Temporary Internet Files/", "Temporary Internet Files"},
        {"local settings/History/", "Internet History Files"}, {"Cookies/", "Internet Cookies"},
        {"Offlin~1/", "Offline files"}, {"local settings/Temp/", "temp files"}, {"Recent/", "Internet Recent files"}}) {
    platform.memoryDirs[in(ann, dir)] = {test::fileEntry("a.htm"), test::fileEntry("Desktop.ini")};
    findings.push_back(label + ("|" + in(ann, dir)) + "a.htm");
  }
  // The first drive unselected, the second listed twice: its files are listed once. A
  // folder of the bin that cannot be listed is counted.
  const std::string d1 = test::memoryRoot(platform, "[d1]");
  const std::string d2 = test::memoryRoot(platform, "[d2]");
  for (const std::string& d : {d1, d2, d2}) engine.choices().drives.push_back({d, d});
  engine.choices().drives[0].selected = 0;
  platform.memoryDirs[d1] = {test::dirEntry("Recycled")};
  platform.memoryDirs[d2] = {test::dirEntry("RECYCLER")};
  platform.memoryDirs[in(d1, "Recycled/")] = {test::fileEntry("INFO2"), test::fileEntry("DC1")};
  platform.memoryDirs[in(d2, "RECYCLER/")] = {test::dirEntry("S"), test::fileEntry("DESKTOP.ini"),
                                              test::dirEntry("locked")};
  platform.memoryDirs[in(d2, "RECYCLER/S/")] = {test::fileEntry("Dc2"), test::fileEntry("info2")};
  findings.insert(findings.end(), {"devices Recycled files|" + in(d1, "Recycled/DC1"), "RECYCLER|" + in(d2, "RECYCLER/S/Dc2")});
  // Temp's files written or created within the last day start locked (the later time
  // counts).
  platform.clock = 10 * 86400;
  const std::string temp = in(ann, "local settings/Temp/");
  int at = 5;
  for (const auto& [name, write, creation] : {std::tuple{"old.tmp", 8 * 86400, 9 * 86400 - 1},
                                              {"fresh.tmp", 10 * 86400 - 60, 0}, {"unpacked.tmp", 86400, 9 * 86400 + 1}}) {
    platform.memoryDirs[temp].push_back(test::fileEntry(name, 1, 0, write));
    platform.memoryDirs[temp].back().creation = creation;
    findings.insert(findings.begin() + at++, "temp files|" + temp + name);
  }
  engine.runTraceScan();
  EXPECT_EQ(labelled(), findings);
  Paths locked;
  for (const auto& file : engine.findings())  // the locked ones, and any whose tick disagrees with its lock
    if (file.isProtected != 0 || file.toDelete == 0) locked.push_back(file.path() + (file.toDelete != 0 ? " ticked" : ""));
  EXPECT_EQ(locked, (Paths{temp + "fresh.tmp", temp + "unpacked.tmp"}));
  EXPECT_EQ(engine.unreadableLocations(), 1);
  // 50 at the start, 10 between the locations of a profile and between a drive's folders.
  EXPECT_EQ(platform.sleeps, (std::vector<int>{50, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10}));
}

TEST_F(Trace, ProfilesComeFromTheSystemDriveOrElseThePlatform) {
  engine.choices().traceFlags.recycleBin = 0;
  // Nowhere to look but the registered profiles: each once, without the services' own,
  // and the one that cannot be listed counted once.
  platform.registered = {in("[r]", "/ann"), in("[R]", "/ANN/"), in("[s]", "/config/systemprofile"),
                         in("[s]", "/LocalService"), in("[s]", "/networkservice")};
  engine.runTraceScan();
  EXPECT_EQ(platform.listedDirs.front(), in("[r]", "/ann/"));
  EXPECT_EQ(std::count_if(platform.listedDirs.begin(), platform.listedDirs.end(),
                          [](const std::string& dir) { return dir[1] != 'r'; }) + engine.unreadableLocations(), 1);
  // Else "Documents and Settings" of the system drive, else the platform's profiles folder.
  platform.registered.clear();
  platform.listedDirs.clear();
  platform.systemDir = "D:\\WINDOWS\\system32";
  platform.profilesDir = "[users]";  // without its separator
  const std::string documents = in("D:", "/Documents and Settings/");
  engine.runTraceScan();
  platform.memoryDirs[documents] = {test::dirEntry("erin")};
  engine.runTraceScan();
  platform.listedDirs.resize(4);
  EXPECT_EQ(platform.listedDirs, (Paths{documents, test::memoryRoot(platform, "[users]"), documents, in(documents, "erin/")}));
}

#ifndef _WIN32
// A folder swapped back and forth with a link to a folder outside the tree while the
// scans run: nothing from outside is ever listed, and a file whose folder has become a
// link since the scan is not deleted.
TEST_F(Walk, AFolderSwappedForALinkLeadsNowhere) {
  for (const char* file : {"a/sub/in.bak", "outside/in.bak", "outside/out.bak"}) tree.file(file);
  ASSERT_EQ(symlink(in("outside").c_str(), in("a/link").c_str()), 0);
  std::atomic<bool> done{false};
  std::thread swapper([&] {
    for (int i = 0; i < 100000; ++i) renameat2(AT_FDCWD, in("a/sub").c_str(), AT_FDCWD, in("a/link").c_str(), RENAME_EXCHANGE);
    done = true;
  });
  int outside = 0;
  while (!done) {
    engine.findings().clear();
    engine.scanFolder(in("a"));
    for (const auto& file : engine.findings()) outside += file.name() == "out.bak" ? 1 : 0;
  }
  swapper.join();
  EXPECT_EQ(outside, 0);

  engine.findings().clear();
  engine.scanFolder(in("a"));
  ASSERT_EQ(engine.findings().count(), 1);
  renameat2(AT_FDCWD, in("a/sub").c_str(), AT_FDCWD, in("a/link").c_str(), RENAME_EXCHANGE);
  EXPECT_EQ(engine.deleteMarkedFiles().failed, 1);
  EXPECT_TRUE(test::TempTree::exists(in("outside/in.bak")));
  EXPECT_TRUE(test::TempTree::exists(in("a/link/in.bak")));
}

// Thousands of nested folders, walked on a thread whose stack holds a few dozen levels
// of a recursive walk.
TEST_F(Walk, DeepTreesNeedNoStack) {
  constexpr int kDepth = 1500;
  int fd = open(tree.root().c_str(), O_RDONLY | O_DIRECTORY);
  for (int i = 0; i < kDepth; ++i) {
    const int child = (mkdirat(fd, "d", 0700), openat(fd, "d", O_RDONLY | O_DIRECTORY));
    close(fd);
    fd = child;
  }
  close(openat(fd, "x.bak", O_CREAT | O_WRONLY, 0600));
  close(fd);
  pthread_attr_t small;
  pthread_attr_init(&small);
  pthread_attr_setstacksize(&small, 128 * 1024);
  pthread_t walker;
  using Self = std::remove_pointer_t<decltype(this)>;
  auto walk = [](void* self) -> void* {
    return static_cast<Self*>(self)->engine.scanFolder(static_cast<Self*>(self)->tree.root()), nullptr;
  };
  ASSERT_EQ(pthread_create(&walker, &small, walk, this), 0);
  pthread_join(walker, nullptr);
  ASSERT_EQ(engine.findings().count(), 1);
  EXPECT_EQ(engine.findings().at(0).path().size(), tree.root().size() + 2 * kDepth + 5);
}
#endif

// Folders take in everything below them, patterns whole names; both without regard to
// case. The result list's menu makes a folder's and a type's entry from a path.
TEST(Exclusions, FoldersAndNamePatterns) {
  using Kind = Exclusion::Kind;
  Exclusions list;
  for (const Exclusion& entry : {Exclusion{Kind::Folder, "D:\\Work\\"}, {Kind::Name, "报告*.DOCX"}, {Kind::Name, "*.ba?"}})
    EXPECT_TRUE(list.add(entry)) << entry.text;
  for (const Exclusion& entry : {Exclusion{Kind::Folder, "d:\\work"}, {Kind::Name, "*.BA?"}, {Kind::Folder, "\\"}, {Kind::Name, ""}})
    EXPECT_FALSE(list.add(entry)) << entry.text;  // there already, or empty
  list.removeAt(1);  // a removed entry can come back; the others stay
  EXPECT_EQ(std::vector<bool>({list.add({Kind::Name, "报告*.docx"}), list.add({Kind::Folder, "D:/work/"})}),
            std::vector<bool>({true, false}));
  const std::pair<const char*, bool> files[] = {
      {"D:\\work\\a.txt", true},      {"D:\\WORK\\sub\\b", true}, {"D:\\workshop\\a.txt", false},
      {"C:\\报告2024.docx", true},      {"C:\\年报告.docx", false},   {"C:\\x.bak", true},
      {"C:\\x.bakk", false},            {"C:\\x.bak\\y.txt", false}};
  for (const auto& [path, excluded] : files) EXPECT_EQ(list.excludesFile(path), excluded) << path;
  EXPECT_EQ(std::vector<bool>({list.excludesFolder("D:\\work\\sub\\"), list.excludesFolder("D:\\")}),
            std::vector<bool>({true, false}));
  EXPECT_EQ(Paths({folderExclusionOf("D:\\work\\a.bak").text, folderExclusionOf("D:\\a.bak").text,
                   typeExclusionOf("D:\\w.x\\a.tar.gz").text, typeExclusionOf("D:\\w.x\\README").text}),
            Paths({"D:\\work", "D:\\", "*.gz", "README"}));
}

}  // namespace
}  // namespace scourix
