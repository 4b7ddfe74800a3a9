// The executable's directory, where the configuration file lives. Docking and the tray
// are driven on the real window (main_dialog_test.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/module_directory.h"

namespace scourix::test {
namespace {

TEST(ModuleDirectory, CutsAfterTheLastBackslash) {
  EXPECT_EQ(DirectoryOfPath("C:\\Program Files\\scourix\\scourix.exe"), "C:\\Program Files\\scourix\\");
  EXPECT_EQ(DirectoryOfPath("scourix.exe"), "scourix.exe");
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  EXPECT_EQ(std::string(path).substr(GetModuleDirectory().size()), "ui_tests.exe");
}

}  // namespace
}  // namespace scourix::test
