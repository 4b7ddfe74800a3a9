// The recycle bin under Wine: the XDG trash in the build folder. A file goes in by a
// rename, with the record that restores it; one a program holds, or one on another file
// system (which only a copy would bring there), stays where it is.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "temp_tree.h"

namespace scourix {
namespace {

using test::TempTree;

TEST(WineTrash, TakesAFileByARenameOrLeavesItWhereItIs) {
  char data[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("XDG_DATA_HOME", data, MAX_PATH);
  if (length == 0 || length >= MAX_PATH || std::strstr(data, "/build/") == nullptr) {
    GTEST_SKIP() << "no trash of the tests' own (XDG_DATA_HOME below build/)";
  }
  std::string trash = "Z:" + std::string(data) + "/Trash/";
  for (char& c : trash) c = c == '/' ? '\\' : c;
  TempTree tree;
  // Named after the tree: the trash is shared with other tests.
  const std::string folder = tree.root().substr(0, tree.root().size() - 1);
  const std::string name = folder.substr(folder.rfind('-') + 1) + ".bak";
  const std::string taken = tree.file(name, 3), held = tree.file("held.bak");
  const bool shm = GetFileAttributesA("Z:\\dev\\shm") != INVALID_FILE_ATTRIBUTES;
  const std::string elsewhere = "Z:\\dev\\shm\\" + name;
  if (shm) TempTree::write(elsewhere, "x");
  HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  Platform& platform = systemPlatform();
  // The held file first: the shell's call ended at it and left the files after it.
  std::vector<ExactPath> paths = {platform.exactPathOf(held), platform.exactPathOf(taken)};
  if (shm) paths.push_back(platform.exactPathOf(elsewhere));
  const std::vector<RecycleAnswer> answers = platform.recycleFiles(paths);
  CloseHandle(holder);
  ASSERT_EQ(answers.size(), paths.size());
  EXPECT_EQ(answers[1].outcome, RecycleAnswer::InBin) << answers[1].reason;
  EXPECT_FALSE(TempTree::exists(taken));
  const std::string record = TempTree::read(trash + "info\\" + name + ".trashinfo");
  EXPECT_EQ(record.rfind("[Trash Info]\nPath=/", 0), 0u) << record;
  EXPECT_NE(record.find("/" + name + "\nDeletionDate=2"), std::string::npos) << record;
  EXPECT_TRUE(MoveFileA((trash + "files\\" + name).c_str(), taken.c_str()));
  DeleteFileA((trash + "info\\" + name + ".trashinfo").c_str());
  EXPECT_EQ(answers[0].outcome, RecycleAnswer::InUse) << answers[0].reason;
  EXPECT_TRUE(TempTree::exists(held));
  if (shm) {
    EXPECT_EQ(answers[2].outcome, RecycleAnswer::BinRefused) << answers[2].reason;
    EXPECT_TRUE(TempTree::exists(elsewhere));
    DeleteFileA(elsewhere.c_str());
  }
  EXPECT_FALSE(TempTree::exists(trash + "info\\" + name + ".2.trashinfo"));
}

}  // namespace
}  // namespace scourix
#endif
