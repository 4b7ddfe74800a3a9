// Which findings of a disk scan start unticked: what names tell. A walk over real trees
// is run end to end (e2e_safe_clean_test.cpp).
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "engine/clean_engine.h"

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

}  // namespace
}  // namespace scourix
