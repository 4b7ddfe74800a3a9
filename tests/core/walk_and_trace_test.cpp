// The recursive walk of both scans: depth-first order, folders that cannot or must not
// be entered, links and cycles, the progress cap; and the trace scan's walks of its
// locations below every profile and every drive. Real files are walked end to end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/clean_engine.h"
#include "fake_platform.h"

namespace scourix {
namespace {

using Paths = std::vector<std::string>;

class Walk : public ::testing::Test {
 protected:
  Paths found() const {
    Paths out;
    for (const auto& file : engine.foundFiles()) out.push_back(file->path);
    return out;
  }
  Paths labelled() const {
    Paths out;
    for (const auto& file : engine.foundFiles()) out.push_back(file->category + "|" + file->path);
    return out;
  }
  std::string in(const std::string& base, const std::string& relative) const {
    std::string out = base;
    for (char c : relative) out += c == '/' ? platform.separator() : c;
    return out;
  }
  std::string mem(const std::string& relative) const {
    return in(test::memoryRoot(platform), relative);
  }

  test::FakePlatform platform;
  CleanEngine engine{platform};
  const std::string profiles = test::memoryRoot(platform, "[profiles]");
};

TEST_F(Walk, DepthFirstPastWhatCannotOrMustNotBeEntered) {
  DirEntry link = test::dirEntry("junction");
  link.isLink = true;
  DirEntry sub = test::dirEntry("sub");  // its own identity, met again below itself
  sub.device = 1;
  sub.fileId = 10;
  platform.memoryDirs[mem("")] = {test::dirEntry("."), test::dirEntry(".."),
                                  test::fileEntry("1.bak", 3, 1111, 2222), sub, link,
                                  test::dirEntry("gone"), test::fileEntry("3.bak")};
  platform.memoryDirs[mem("sub/")] = {test::fileEntry("2.bak"), sub, test::dirEntry("deep")};
  platform.memoryDirs[mem("sub/deep/")] = {test::fileEntry("2b.bak")};
  platform.memoryDirs[mem("junction/")] = {test::fileEntry("no.bak")};
  const std::string start = mem("");
  engine.walkDirectory(start.substr(0, start.size() - 1), "");  // the separator is added
  EXPECT_EQ(found(),
            (Paths{mem("1.bak"), mem("sub/2.bak"), mem("sub/deep/2b.bak"), mem("3.bak")}));
  EXPECT_EQ(platform.listedDirs, (Paths{mem(""), mem("sub/"), mem("sub/deep/"), mem("gone/")}));
  EXPECT_EQ(engine.foundFile(0).lastAccess, 1111);
  EXPECT_EQ(engine.foundFile(0).lastWrite, 2222);
}

// The trace scan: the location table under every profile, then every drive's recycle folders.
class Trace : public Walk {};

TEST_F(Trace, EveryLocationOfEveryProfileThenTheRecycleFoldersOfEveryDrive) {
  engine.profilesFolderOverride = profiles;
  // System profiles are the built-in ones; the others (hidden or not) are users.
  platform.memoryDirs[profiles] = {test::dirEntry("."), test::dirEntry(".."),
                                   test::fileEntry("x.dat"), test::dirEntry("All Users", true),
                                   test::dirEntry("ann")};
  const std::string ann = in(profiles, "ann/");
  Paths walks{profiles};
  Paths findings;
  for (const auto& [dir, label] : {std::pair{"Local Settings/Temporary Internet Files/",
                                             "Temporary Internet Files"},
                                   {"Local Settings/History/", "Internet History Files"},
                                   {"Cookies/", "Internet Cookies"},
                                   {"Offlin~1/", "Offline files"},
                                   {"Local Settings/Temp/", "temp files"},
                                   {"Recent/", "Internet Recent files"}}) {
    platform.memoryDirs[in(ann, dir)] = {test::fileEntry("a.htm"), test::fileEntry("Desktop.ini")};
    walks.push_back(in(ann, dir));
    findings.push_back(label + ("|" + in(ann, dir)) + "a.htm");
  }
  // The first drive unselected, the second listed twice: its files are listed once.
  const std::string d1 = test::memoryRoot(platform, "[d1]");
  const std::string d2 = test::memoryRoot(platform, "[d2]");
  for (const std::string& d : {d1, d2, d2}) {
    engine.drives.emplace_back();
    engine.drives.back().root = d;
    walks.insert(walks.end(), {in(d, "Recycled/"), in(d, "RECYCLER/")});
    if (d == d2) walks.push_back(in(d, "RECYCLER/S/"));
  }
  engine.drives[0].selected = 0;
  platform.memoryDirs[in(d1, "Recycled/")] = {test::fileEntry("INFO2"), test::fileEntry("DC1")};
  platform.memoryDirs[in(d2, "RECYCLER/")] = {test::dirEntry("S"), test::fileEntry("DESKTOP.ini")};
  platform.memoryDirs[in(d2, "RECYCLER/S/")] = {test::fileEntry("Dc2"), test::fileEntry("info2")};
  findings.push_back("devices Recycled files|" + in(d1, "Recycled/DC1"));
  findings.push_back("RECYCLER|" + in(d2, "RECYCLER/S/Dc2"));
  engine.runTraceScan();
  EXPECT_EQ(platform.listedDirs, walks);
  EXPECT_EQ(labelled(), findings);
  // 50 at the start, 10 between the locations of a profile and between a drive's folders.
  EXPECT_EQ(platform.sleeps, (std::vector<int>{50, 10, 10, 10, 10, 10, 10, 10, 10}));
  EXPECT_EQ(engine.recycleBinPending, 1);
}

// The flags choose the locations (their scans are run end to end); every scan start
// clears the pending bin.
TEST_F(Trace, EveryScanStartClearsThePendingBin) {
  engine.runTraceScan();  // without drives, but the bin was covered
  EXPECT_EQ(engine.recycleBinPending, 1);
  engine.runDiskScan();
  EXPECT_EQ(engine.recycleBinPending, 0);
  engine.runTraceScan();
  engine.traceFlags.recycleBin = 0;
  engine.runTraceScan();
  EXPECT_EQ(engine.recycleBinPending, 0);
}

TEST_F(Trace, ProfilesComeFromTheSystemDriveOrElseThePlatform) {
  engine.traceFlags.recycleBin = 0;
  engine.runTraceScan();  // nowhere to look
  platform.systemDir = "D:\\WINDOWS\\system32";
  platform.profilesDir = "[users]";  // without its separator
  engine.runTraceScan();
  const std::string documents = in("D:", "/Documents and Settings/");
  platform.memoryDirs[documents] = {test::dirEntry("erin")};
  engine.runTraceScan();
  ASSERT_GE(platform.listedDirs.size(), 4u);
  EXPECT_EQ(Paths(platform.listedDirs.begin(), platform.listedDirs.begin() + 4),
            (Paths{documents, test::memoryRoot(platform, "[users]"), documents,
                   in(documents, "erin/Local Settings/Temporary Internet Files/")}));
}

}  // namespace
}  // namespace scourix
