// Which findings of a disk scan start unticked: what names tell, and one walk whose
// program files and repositories are listed after the findings they protect.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "engine/clean_engine.h"
#include "fake_platform.h"

namespace scourix {
namespace {

TEST(Protection, WhatNamesTell) {
  // Name, a folder, what the entry tells about the folder that lists it.
  for (const auto& [name, directory, traits] : std::vector<std::tuple<const char*, bool, unsigned>>{
           {"SETUP.EXE", false, kHoldsProgram}, {"x.Dll", false, kHoldsProgram}, {"a.pyd", false, kHoldsProgram},
           {"z.so", false, kHoldsProgram}, {"z.so.1", false, 0}, {"a\x81.exe", false, 0}, {"b.exe", true, 0},
           {".Git", true, kHoldsRepository}, {".git", false, kHoldsRepository}, {"pyvenv.CFG", false, kHoldsRepository},
           {"System32", true, kHoldsSystem32}, {"system32", false, 0}}) {
    EXPECT_EQ(heldTraits(name, directory, CodePage::gbk()), traits) << name;
  }
  // A folder's name, whether it lies in a drive's root, what that says.
  for (const auto& [name, rootLevel, traits] : std::vector<std::tuple<const char*, bool, unsigned>>{
           {"Node_Modules", false, kSoftwareTree}, {"site-packages", true, kSoftwareTree}, {".hg", false, kSoftwareTree},
           {"Program Files (x86)", true, kSystemFolder}, {"program files", false, 0},
           {"PROGRAMDATA", true, kSystemFolder}, {"Windows", true, kWindowsFolder}, {"Windows", false, 0},
           {"TEMP", false, kTemporary | kWindowsJunk}, {"Cache", true, kTemporary}, {"tmp", false, kTemporary},
           {"Logs", false, kWindowsJunk}, {"Templates", false, 0}}) {
    EXPECT_EQ(folderTraits(name, rootLevel, CodePage::gbk()), traits) << name;
  }
}

TEST(Protection, ADiskWalkDecidesEachFolderAtTheEndOfItsListing) {
  using namespace test;
  FakePlatform platform;
  const std::string root = memoryRoot(platform);
  auto in = [&](const std::string& relative) {
    std::string out = root;
    for (char c : relative) out += c == '/' ? platform.separator() : c;
    return out;
  };
  auto folder = [&](const std::string& relative, std::vector<DirEntry> entries) {
    platform.memoryDirs[in(relative)] = std::move(entries);
  };
  // The program file and the .git come after what they protect.
  folder("", {fileEntry("a.bak"), fileEntry("marker.txt", 0), dirEntry("app"), dirEntry("repo"), dirEntry("Windows"),
              dirEntry("WINNT"), dirEntry("Program Files"), dirEntry("lib")});
  folder("app/", {fileEntry("x.log"), dirEntry("plugins"), fileEntry("App.EXE")});
  folder("app/plugins/", {fileEntry("y.log")});
  folder("repo/", {dirEntry("src"), dirEntry(".git")});
  folder("repo/src/", {fileEntry("b.bak")});
  folder("Windows/", {fileEntry("c.log"), dirEntry("Temp"), dirEntry("Logs"), dirEntry("System32")});
  folder("Windows/Temp/", {fileEntry("d.tmp"), dirEntry("x")});
  folder("Windows/Temp/x/", {fileEntry("e.txt", 0)});
  folder("Windows/Logs/", {fileEntry("f.log")});
  folder("Windows/System32/", {fileEntry("g.log")});
  folder("WINNT/", {fileEntry("h.log"), dirEntry("system32")});
  folder("Program Files/", {dirEntry("Vendor")});
  folder("Program Files/Vendor/", {fileEntry("l.log")});
  folder("lib/", {dirEntry("site-packages")});
  folder("lib/site-packages/", {dirEntry("pkg")});
  folder("lib/site-packages/pkg/", {fileEntry("m.bak")});
  const std::vector<std::string> expected = {in("marker.txt"), in("app/x.log"), in("repo/src/b.bak"), in("Windows/c.log"),
                                             in("Windows/System32/g.log"), in("WINNT/h.log"),
                                             in("Program Files/Vendor/l.log"), in("lib/site-packages/pkg/m.bak")};
  // The findings as "category|path"; the paths that start unticked, in the walk's order.
  auto scan = [&](bool protecting, const std::string& label, std::vector<std::string>& unticked) {
    CleanEngine engine(platform);
    engine.setProtection(protecting);
    engine.walkDirectory(root, label);
    std::vector<std::string> lines;
    for (const auto& file : engine.foundFiles()) {
      lines.push_back(file->category + "|" + file->path);
      EXPECT_EQ(file->isProtected, 1 - file->toDelete) << file->path;
      if (file->toDelete == 0) unticked.push_back(file->path);
    }
    return lines;
  };
  std::vector<std::string> unticked, none;
  const std::vector<std::string> lines = scan(true, "", unticked);
  EXPECT_EQ(unticked, expected);
  // The same lines without protection, all ticked; a trace walk ticks all too.
  EXPECT_EQ(scan(false, "", none), lines);
  scan(true, "temp files", none);
  EXPECT_TRUE(none.empty());
}

}  // namespace
}  // namespace scourix
