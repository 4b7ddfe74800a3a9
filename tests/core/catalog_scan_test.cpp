// The catalog's walk over a generated Windows 11 drive of three profiles: every location
// found with its size and tick, nothing else listed, and after deletion every user file,
// store and deny-listed file still there.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "engine/catalog/catalog_scan.h"
#include "engine/clean_engine.h"
#include "fake_platform.h"
#include "temp_tree.h"
#include "win11_layout.h"

namespace scourix {
namespace {

TEST(CatalogScan, FindsEveryLocationOfAGeneratedWindows11DriveAndNothingElse) {
  test::TempTree tree;
  const std::vector<test::LayoutFile> layout = test::windows11Layout({"li", "wang", u8"张伟"}, tree.root());
  test::writeLayout(tree.root(), layout);
  // A known community entry deletes Tencent Files whole: only QQ's logs may go.
  const std::string user = tree.file("winapp2.ini");
  test::TempTree::write(user, "[Tencent Files *]\nSection=S\nFileKey1=%Documents%\\Tencent Files|*|RECURSE\n");
  CleanEngine engine(systemPlatform());
  engine.setPacing(false);
  engine.setProfilesFolder(tree.path("Users"));
  CatalogScan& catalog = engine.catalogScan();
  catalog.setSystemRoot(tree.root());
  catalog.setSources({true, {user}});
  catalog.setAllEntries(true);
  engine.runTraceScan();

  std::map<std::string, const FoundFile*> found;
  for (const auto& file : engine.findings()) found[systemPlatform().utf8Of(file.exact())] = &file;
  std::size_t listed = 0;
  for (const test::LayoutFile& file : layout) {
    const auto at = found.find(tree.path(file.path));
    SCOPED_TRACE(file.path);
    ASSERT_EQ(at != found.end(), !file.label.empty());
    if (at == found.end()) continue;
    ++listed;
    EXPECT_EQ(at->second->category(), systemPlatform().codePageOf(file.label));  // the code page's on Windows
    EXPECT_EQ(at->second->size, file.size);
    EXPECT_EQ(at->second->toDelete, file.ticked ? 1 : 0);
  }
  EXPECT_EQ(listed, found.size());
  EXPECT_EQ(catalog.refused(), 3);  // Msg3.0.db, on the way to QQ's logs in each profile

  // Each folder is walked on its own, yet one below an entry's folder that has become a
  // link since the scan is no way in for the deletion.
  const std::string update = "Windows/SoftwareDistribution/Download/1a2b";
#ifndef _WIN32
  std::filesystem::rename(tree.path(update), tree.path("elsewhere"));
  ASSERT_EQ(::symlink(tree.path("elsewhere").c_str(), tree.path(update).c_str()), 0);
#endif
  const DeletionResult result = engine.deleteMarkedFiles();
#ifndef _WIN32
  std::filesystem::remove(tree.path(update));
  std::filesystem::rename(tree.path("elsewhere"), tree.path(update));
  ASSERT_EQ(result.failures.size(), 1u);
  EXPECT_EQ(result.failures[0].reason, "路径中的文件夹已变成链接");
#endif
  for (const test::LayoutFile& file : layout) {
    const bool linked = !result.failures.empty() && file.path.rfind(update, 0) == 0;
    // The layout's names are UTF-8, whatever the code page.
    EXPECT_EQ(std::filesystem::exists(std::filesystem::u8path(tree.path(file.path))),
              file.label.empty() || !file.ticked || linked)
        << file.path;
  }
}

// The catalog judges a folder's files once its listing has ended: one that broke off may
// lack a store's marker, so what it gave starts locked.
// A trace scan of every catalog entry, the tree standing for the system drive with its
// profiles in Users.
void ScanEveryEntry(CleanEngine& engine, const test::TempTree& tree) {
  engine.setPacing(false);
  engine.setProfilesFolder(tree.path("Users"));
  engine.catalogScan().setSystemRoot(tree.root());
  engine.catalogScan().setAllEntries(true);
  engine.runTraceScan();
}

// Below the break and below a folder above it alike: a marker in the part never listed may
// have decided what they are.
TEST(CatalogScan, AListingThatBreaksOffLocksWhatItGave) {
  test::TempTree tree;
  tree.file("Windows/Temp/old.tmp");
  tree.file("Windows/Temp/sub/deep.tmp");
  tree.dir("Users");
  test::FakePlatform platform;
  platform.catalogText = systemPlatform().builtInCatalog();
  const std::string windows = tree.path("Windows") + platform.separator();
  const std::string temp = tree.path("Windows/Temp") + platform.separator();
  const std::string sub = tree.path("Windows/Temp/sub") + platform.separator();
  for (const std::string& broken : {std::string(), temp, windows}) {
    platform.listingHook = [&](const std::string& dir) -> std::unique_ptr<DirListing> {
      std::vector<DirEntry> entries;
      if (dir == windows) entries = {test::dirEntry("Temp")};
      if (dir == temp) entries = {test::fileEntry("old.tmp"), test::dirEntry("sub")};
      if (dir == sub) entries = {test::fileEntry("deep.tmp")};  // as old as the other
      if (entries.empty()) return nullptr;
      auto listing = std::make_unique<test::VectorListing>(entries);
      listing->breaksOff = dir == broken;
      return listing;
    };
    CleanEngine engine(platform);
    ScanEveryEntry(engine, tree);
    ASSERT_EQ(engine.findings().count(), 2) << broken;
    for (const auto& file : engine.findings()) EXPECT_EQ(file.isProtected, broken.empty() ? 0 : 1) << broken;
  }
}

// Whatever entry finds a file of an old installation leaves it, locked, to Windows' own
// cleanup: its users' documents are there.
TEST(CatalogScan, AnOldInstallationIsLeftToTheSystemsCleanupWhateverEntryFindsIt) {
  test::TempTree tree;
  tree.file("Windows.old/Users/li/Documents/report.docx");
  tree.file("Other/x.log");
  tree.dir("Users");
  test::FakePlatform platform;
  platform.catalogText = "[Anything *]\nSection=S\nDefault=True\nFileKey1=%SystemDrive%\\Windows.old|*|RECURSE\n"
                         "FileKey2=%SystemDrive%\\Other|*.log\n";
  CleanEngine engine(platform);
  ScanEveryEntry(engine, tree);
  std::vector<std::string> kept;
  for (const auto& file : engine.findings()) {
    if (file.systemCleanupOnly && file.isProtected) kept.emplace_back(file.name());
  }
  EXPECT_EQ(engine.findings().count(), 2);
  EXPECT_EQ(kept, std::vector<std::string>{"report.docx"});
}

}  // namespace
}  // namespace scourix
