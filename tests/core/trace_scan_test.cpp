// The trace scan: the location table, profiles, the recycle folders of every drive and
// the mark that the recycle bin is to be emptied.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "engine/clean_engine.h"
#include "engine/trace_locations.h"
#include "fake_platform.h"
#include "temp_tree.h"

namespace scourix {
namespace {

using Paths = std::vector<std::string>;

TEST(TraceLocations, TableOfEightRows) {
  const auto& rows = traceLocations();
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Local Settings\\Temporary Internet Files", "Temporary Internet Files"},
      {"Local Settings\\History", "Internet History Files"},
      {"Cookies", "Internet Cookies"},
      {"Offlin~1", "Offline files"},
      {"Local Settings\\Temp", "temp files"},
      {"Recent", "Internet Recent files"},
      {"Recycled", "devices Recycled files"},
      {"RECYCLER", "RECYCLER"}};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].subPath, expected[i].first) << i;
    EXPECT_EQ(rows[i].label, expected[i].second) << i;
    EXPECT_EQ(rows[i].base, i < 6 ? TraceBase::Profile : TraceBase::DriveRoot) << i;
  }
  EXPECT_EQ(rows[0].flag, &TraceFlags::tempInternetFiles);
  EXPECT_EQ(rows[1].flag, &TraceFlags::internetHistory);
  EXPECT_EQ(rows[2].flag, &TraceFlags::internetCookies);
  EXPECT_EQ(rows[3].flag, &TraceFlags::offlinePages);
  EXPECT_EQ(rows[4].flag, &TraceFlags::windowsTemp);
  EXPECT_EQ(rows[5].flag, &TraceFlags::recentDocuments);
  EXPECT_EQ(rows[6].flag, &TraceFlags::recycleBin);
  EXPECT_EQ(rows[7].flag, &TraceFlags::recycleBin);
  EXPECT_EQ(tracePath(rows[0], "P/", '/'), "P/Local Settings/Temporary Internet Files");
  EXPECT_EQ(tracePath(rows[0], "P\\", '\\'), "P\\Local Settings\\Temporary Internet Files");
}

class Trace : public ::testing::Test {
 protected:
  std::string in(const std::string& base, const std::string& relative) const {
    return platform.path(base, relative);
  }
  void addDrive(const std::string& root) {
    DriveEntry drive;
    drive.root = root;
    engine.drives.push_back(drive);
  }
  // The folders the scan asked for, without the profiles folder itself.
  Paths walked() const {
    Paths out;
    for (const std::string& dir : platform.listedDirs) {
      if (dir != profiles) out.push_back(dir);
    }
    return out;
  }
  std::vector<std::string> labelled() const {
    std::vector<std::string> out;
    for (const auto& file : engine.foundFiles()) out.push_back(file->category + "|" + file->path);
    return out;
  }

  test::FakePlatform platform;
  CleanEngine engine{platform};
  const std::string profiles = test::memoryRoot(platform, "[profiles]");
};

TEST_F(Trace, VisitsTheSixProfileLocationsInOrder) {
  engine.profilesFolderOverride = profiles;
  platform.memoryDirs[profiles] = {test::dirEntry("."), test::dirEntry(".."),
                                   test::dirEntry("alice")};
  engine.runTraceScan();
  const std::string alice = in(profiles, "alice/");
  EXPECT_EQ(walked(), (Paths{in(alice, "Local Settings/Temporary Internet Files/"),
                             in(alice, "Local Settings/History/"), in(alice, "Cookies/"),
                             in(alice, "Offlin~1/"), in(alice, "Local Settings/Temp/"),
                             in(alice, "Recent/")}));
  EXPECT_EQ(platform.listedDirs.front(), profiles);
}

TEST_F(Trace, EveryFileOfALocationIsListedUnderItsLabel) {
  engine.profilesFolderOverride = profiles;
  platform.memoryDirs[profiles] = {test::dirEntry("bob")};
  const std::string bob = in(profiles, "bob/");
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"Local Settings/Temporary Internet Files/", "Temporary Internet Files"},
      {"Local Settings/History/", "Internet History Files"},
      {"Cookies/", "Internet Cookies"},
      {"Offlin~1/", "Offline files"},
      {"Local Settings/Temp/", "temp files"},
      {"Recent/", "Internet Recent files"}};
  std::vector<std::string> expected;
  for (const auto& [dir, label] : rows) {
    platform.memoryDirs[in(bob, dir)] = {test::fileEntry("page.html"), test::fileEntry("Desktop.ini")};
    expected.push_back(label + "|" + in(bob, dir) + "page.html");
  }
  engine.runTraceScan();
  EXPECT_EQ(labelled(), expected);
}

TEST_F(Trace, SystemProfilesAreSkippedHiddenOnesAndFilesAreNot) {
  engine.profilesFolderOverride = profiles;
  platform.memoryDirs[profiles] = {test::dirEntry("All Users", true), test::dirEntry("carol"),
                                   test::fileEntry("ntuser.dat")};
  engine.traceFlags.recycleBin = 0;
  engine.runTraceScan();
  for (const std::string& dir : walked()) {
    EXPECT_EQ(dir.rfind(in(profiles, "carol/"), 0), 0u) << dir;
  }
  EXPECT_EQ(walked().size(), 6u);
}

TEST_F(Trace, LocationFlagsChooseTheWalksButNotTheSleeps) {
  engine.profilesFolderOverride = profiles;
  platform.memoryDirs[profiles] = {test::dirEntry("dave")};
  engine.traceFlags.tempInternetFiles = 0;
  engine.traceFlags.internetHistory = 0;
  engine.traceFlags.offlinePages = 0;
  engine.traceFlags.recentDocuments = 0;
  engine.traceFlags.recycleBin = 0;
  engine.runTraceScan();
  const std::string dave = in(profiles, "dave/");
  EXPECT_EQ(walked(), (Paths{in(dave, "Cookies/"), in(dave, "Local Settings/Temp/")}));
  // 50 at the start, then 10 after each of the first five locations.
  EXPECT_EQ(platform.sleeps, (std::vector<int>{50, 10, 10, 10, 10, 10}));
}

TEST_F(Trace, RecycleFoldersOfEveryDriveSelectedOrNot) {
  engine.profilesFolderOverride = profiles;
  const std::string d1 = test::memoryRoot(platform, "[d1]");
  const std::string d2 = test::memoryRoot(platform, "[d2]");
  addDrive(d1);
  addDrive(d2);
  engine.drives[0].selected = 0;
  platform.memoryDirs[d1 + "Recycled" + platform.separator()] = {test::fileEntry("INFO2"),
                                                                  test::fileEntry("DC1.txt")};
  platform.memoryDirs[d2 + "RECYCLER" + platform.separator()] = {test::dirEntry("S-1-5"),
                                                                  test::fileEntry("desktop.ini")};
  platform.memoryDirs[in(d2, "RECYCLER/S-1-5/")] = {test::fileEntry("Dc2.doc")};
  engine.runTraceScan();
  EXPECT_EQ(walked(), (Paths{in(d1, "Recycled/"), in(d1, "RECYCLER/"), in(d2, "Recycled/"),
                             in(d2, "RECYCLER/"), in(d2, "RECYCLER/S-1-5/")}));
  EXPECT_EQ(labelled(), (std::vector<std::string>{
                            "devices Recycled files|" + in(d1, "Recycled/DC1.txt"),
                            "RECYCLER|" + in(d2, "RECYCLER/S-1-5/Dc2.doc")}));
  EXPECT_EQ(platform.sleeps, (std::vector<int>{50, 10, 10}));
  EXPECT_EQ(engine.recycleBinPending, 1);
}

TEST_F(Trace, RecycleBinPendingEvenWithoutDrives) {
  engine.profilesFolderOverride = profiles;
  engine.runTraceScan();
  EXPECT_EQ(engine.recycleBinPending, 1);
}

TEST_F(Trace, NoRecycleFoldersWithoutTheirFlag) {
  engine.profilesFolderOverride = profiles;
  addDrive(test::memoryRoot(platform, "[d1]"));
  engine.traceFlags.recycleBin = 0;
  engine.runTraceScan();
  EXPECT_TRUE(walked().empty());
  EXPECT_EQ(engine.recycleBinPending, 0);
}

TEST_F(Trace, EveryScanStartClearsThePendingRecycleBin) {
  engine.profilesFolderOverride = profiles;
  engine.runTraceScan();
  ASSERT_EQ(engine.recycleBinPending, 1);
  engine.runDiskScan();
  EXPECT_EQ(engine.recycleBinPending, 0);
  engine.runTraceScan();
  ASSERT_EQ(engine.recycleBinPending, 1);
  engine.traceFlags.recycleBin = 0;
  engine.runTraceScan();
  EXPECT_EQ(engine.recycleBinPending, 0);
}

TEST_F(Trace, AFileReachedTwiceIsListedOnce) {
  engine.profilesFolderOverride = profiles;
  const std::string d1 = test::memoryRoot(platform, "[d1]");
  addDrive(d1);
  addDrive(d1);
  platform.memoryDirs[in(d1, "RECYCLER/")] = {test::fileEntry("a.doc")};
  engine.runTraceScan();
  EXPECT_EQ(engine.foundCount(), 1);
  EXPECT_EQ(engine.progressPos, kTraceProgressMax);
}

TEST_F(Trace, ProfilesComeFromTheSystemDrive) {
  platform.systemDir = "D:\\WINDOWS\\system32";
  const std::string documents =
      std::string("D:") + platform.separator() + "Documents and Settings" + platform.separator();
  platform.memoryDirs[documents] = {test::dirEntry("erin")};
  engine.traceFlags.recycleBin = 0;
  engine.runTraceScan();
  ASSERT_FALSE(platform.listedDirs.empty());
  EXPECT_EQ(platform.listedDirs[0], documents);
  EXPECT_EQ(platform.listedDirs[1], in(documents, "erin/Local Settings/Temporary Internet Files/"));
}

TEST_F(Trace, WithoutDocumentsAndSettingsThePlatformNamesTheProfiles) {
  platform.systemDir = "C:\\Windows\\system32";
  platform.profilesDir = "[users]";  // without its separator
  const std::string users = test::memoryRoot(platform, "[users]");
  platform.memoryDirs[users] = {test::dirEntry("frank")};
  engine.traceFlags.recycleBin = 0;
  engine.runTraceScan();
  ASSERT_GE(platform.listedDirs.size(), 3u);
  EXPECT_EQ(platform.listedDirs[0],
            std::string("C:") + platform.separator() + "Documents and Settings" + platform.separator());
  EXPECT_EQ(platform.listedDirs[1], users);
  EXPECT_EQ(platform.listedDirs[2], in(users, "frank/Local Settings/Temporary Internet Files/"));
}

TEST_F(Trace, NoProfilesAnywhereYieldsNothing) {
  engine.traceFlags.recycleBin = 0;
  engine.runTraceScan();
  EXPECT_TRUE(platform.listedDirs.empty());
  EXPECT_EQ(engine.foundCount(), 0);
}

TEST_F(Trace, ProgressStopsAt15000) {
  engine.profilesFolderOverride = profiles;
  const std::string d1 = test::memoryRoot(platform, "[d1]");
  addDrive(d1);
  std::vector<DirEntry> many;
  for (int i = 0; i < kTraceProgressMax + 10; ++i) many.push_back(test::fileEntry(std::to_string(i)));
  platform.memoryDirs[in(d1, "Recycled/")] = many;
  class Check : public ScanObserver {
   public:
    explicit Check(CleanEngine& e) : engine(e) {}
    void scanStarted(ScanKind kind) override {
      EXPECT_EQ(kind, ScanKind::Trace);
      EXPECT_EQ(engine.progressMax, kTraceProgressMax);
    }
    void scanFinished(ScanKind) override { EXPECT_EQ(engine.progressPos, kTraceProgressMax); }
    CleanEngine& engine;
  } check(engine);
  engine.setObserver(&check);
  engine.runTraceScan();
  EXPECT_EQ(engine.foundCount(), kTraceProgressMax + 10);
  EXPECT_EQ(engine.currentPath(), in(d1, "Recycled/") + std::to_string(kTraceProgressMax + 9));
}

class RealTrace : public Trace {
 protected:
  test::TempTree tree;
};

TEST_F(RealTrace, RealProfilesSystemAndHidden) {
  tree.file("profiles/real/Cookies/c1.txt");
  tree.file("profiles/builtin/Cookies/c2.txt");
  tree.file("profiles/.hidden/Recent/r.lnk");
  platform.systemNames = {"builtin"};
  engine.profilesFolderOverride = tree.path("profiles");
  engine.runTraceScan();
  std::vector<std::string> names;
  for (const auto& file : engine.foundFiles()) names.push_back(file->name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"c1.txt", "r.lnk"}));
}

#ifndef _WIN32

TEST_F(RealTrace, ALocationReachedThroughALinkIsWalkedButLinksInsideAreNot) {
  tree.file("store/recent/doc.lnk");
  tree.file("store/other/no.txt");
  tree.dir("profiles/gina");
  ASSERT_EQ(symlink(tree.path("store/recent").c_str(), tree.path("profiles/gina/Recent").c_str()), 0);
  ASSERT_EQ(symlink(tree.path("store/other").c_str(), tree.path("store/recent/jump").c_str()), 0);
  engine.profilesFolderOverride = tree.path("profiles");
  engine.runTraceScan();
  ASSERT_EQ(engine.foundCount(), 1);
  EXPECT_EQ(engine.foundFile(0).path, tree.path("profiles/gina/Recent/doc.lnk"));
  EXPECT_EQ(engine.foundFile(0).category, "Internet Recent files");
}

#endif

}  // namespace
}  // namespace scourix
