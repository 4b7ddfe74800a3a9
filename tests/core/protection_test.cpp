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
  const CodePage gbk = CodePage::gbk();
  struct Held {
    const char* name;
    bool directory;
    unsigned traits;
  };
  for (const Held& row : {Held{"SETUP.EXE", false, kHoldsProgram}, {"x.Dll", false, kHoldsProgram},
                          {"_a.pyd", false, kHoldsProgram}, {"libz.so", false, kHoldsProgram},
                          {"libz.so.1", false, 0}, {"a\x81.exe", false, 0}, {"bin.exe", true, 0},
                          {".Git", true, kHoldsRepository}, {".git", false, kHoldsRepository},
                          {"pyvenv.CFG", false, kHoldsRepository}, {"System32", true, kHoldsSystem32},
                          {"system32", false, 0}}) {
    EXPECT_EQ(heldTraits(row.name, row.directory, gbk), row.traits) << row.name;
  }
  struct Named {
    const char* name;
    bool rootLevel;
    unsigned traits;
  };
  for (const Named& row :
       {Named{"Node_Modules", false, kSoftwareTree}, {"site-packages", true, kSoftwareTree},
        {".hg", false, kSoftwareTree}, {"Program Files (x86)", true, kSystemFolder},
        {"program files", false, 0}, {"PROGRAMDATA", true, kSystemFolder},
        {"Windows", true, kWindowsFolder}, {"Windows", false, 0},
        {"TEMP", false, kTemporary | kWindowsJunk}, {"Cache", true, kTemporary},
        {"Logs", false, kWindowsJunk}, {"Templates", false, 0}}) {
    EXPECT_EQ(folderTraits(row.name, row.rootLevel, gbk), row.traits) << row.name;
  }
}

TEST(Protection, ADiskWalkDecidesEachFolderAtTheEndOfItsListing) {
  using test::dirEntry;
  using test::fileEntry;
  test::FakePlatform platform;
  const std::string root = test::memoryRoot(platform);
  auto in = [&](const std::string& relative) {
    std::string out = root;
    for (char c : relative) out += c == '/' ? platform.separator() : c;
    return out;
  };
  auto folder = [&](const std::string& relative, std::vector<DirEntry> entries) {
    platform.memoryDirs[in(relative)] = std::move(entries);
  };
  folder("", {fileEntry("a.bak"), fileEntry("marker.txt", 0), dirEntry("app"), dirEntry("repo"),
              dirEntry("Windows"), dirEntry("WINNT"), dirEntry("Users"), dirEntry("Program Files"),
              dirEntry("lib")});
  folder("app/", {fileEntry("x.log"), dirEntry("plugins"), fileEntry("App.EXE")});
  folder("app/plugins/", {fileEntry("y.log")});
  folder("repo/", {dirEntry("src"), dirEntry(".git")});
  folder("repo/src/", {fileEntry("b.bak")});
  folder("repo/.git/", {fileEntry("gc.log")});
  folder("Windows/", {fileEntry("c.log"), dirEntry("Temp"), dirEntry("Logs"), dirEntry("System32")});
  folder("Windows/Temp/", {fileEntry("d.tmp"), fileEntry("e.txt", 0)});
  folder("Windows/Logs/", {fileEntry("f.log")});
  folder("Windows/System32/", {fileEntry("g.log")});
  folder("WINNT/", {fileEntry("h.log"), dirEntry("system32")});
  folder("Users/", {dirEntry("Tmp"), dirEntry("Program Files")});
  folder("Users/Tmp/", {dirEntry("x")});
  folder("Users/Tmp/x/", {fileEntry("j.txt", 0)});
  folder("Users/Program Files/", {fileEntry("k.log")});
  folder("Program Files/", {dirEntry("Vendor")});
  folder("Program Files/Vendor/", {fileEntry("l.log")});
  folder("lib/", {dirEntry("site-packages")});
  folder("lib/site-packages/", {dirEntry("pkg")});
  folder("lib/site-packages/pkg/", {fileEntry("m.bak")});
  const std::vector<std::string> ticked = {
      in("a.bak"), in("app/plugins/y.log"), in("Windows/Temp/d.tmp"), in("Windows/Temp/e.txt"),
      in("Windows/Logs/f.log"), in("Users/Tmp/x/j.txt"), in("Users/Program Files/k.log")};
  const std::vector<std::string> kept = {
      in("marker.txt"), in("app/x.log"), in("repo/src/b.bak"), in("repo/.git/gc.log"), in("Windows/c.log"),
      in("Windows/System32/g.log"), in("WINNT/h.log"), in("Program Files/Vendor/l.log"),
      in("lib/site-packages/pkg/m.bak")};

  auto scan = [&](bool protecting, const std::string& label) {
    CleanEngine engine(platform);
    engine.setProtection(protecting);
    engine.walkDirectory(root, label);
    std::vector<std::string> lines;
    std::vector<std::string> start[2];
    for (const auto& file : engine.foundFiles()) {
      lines.push_back(file->category + "|" + file->path);
      start[file->toDelete].push_back(file->path);
      EXPECT_EQ(file->isProtected, 1 - file->toDelete) << file->path;
    }
    std::sort(start[0].begin(), start[0].end());
    std::sort(start[1].begin(), start[1].end());
    return std::make_tuple(lines, start[1], start[0]);
  };
  const auto [lines, startTicked, startUnticked] = scan(true, "");
  auto sorted = [](std::vector<std::string> paths) {
    std::sort(paths.begin(), paths.end());
    return paths;
  };
  EXPECT_EQ(startTicked, sorted(ticked));
  EXPECT_EQ(startUnticked, sorted(kept));
  // The same lines without protection, all ticked; a trace walk ticks all too.
  const auto [unprotectedLines, allTicked, noneUnticked] = scan(false, "");
  EXPECT_EQ(unprotectedLines, lines);
  EXPECT_TRUE(noneUnticked.empty());
  EXPECT_TRUE(std::get<2>(scan(true, "temp files")).empty());
}

}  // namespace
}  // namespace scourix
