// Loading and saving the configuration file on disk: absent and damaged files, the
// copy of a damaged file, and saves that never destroy the previous file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/settings_test_support.h"
#include "engine/clean_engine.h"
#include "settings/archive.h"
#include "settings/config_file.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace scourix {
namespace {

using test::Bytes;
using test::fileExists;
using test::readFile;
using test::writeFile;

std::string workedExample() {
  return Bytes().flags(19, 1).i32(1).str("C:\\").str("C:\\").i32(1).i32(0).str();
}

// A file with one drive and three rules.
std::string threeRules() {
  return Bytes()
      .flags(12, 1)
      .flags(7, 0)
      .i32(1).str("C:\\").str("C:\\").i32(1)
      .i32(3)
      .i32(1).str(".pcf").str("clean pcf files").i32(0)
      .i32(1).str(".bak").str("").i32(1)
      .i32(0).str(".old").str("old files").i32(0)
      .str();
}

class ConfigFiles : public ::testing::Test {
 protected:
  test::TempDir dir_;
  std::string path_ = dir_.file("data.dsfw");
  CleanEngine engine_{systemPlatform()};
};

// ---- Loading ----

TEST_F(ConfigFiles, MissingFileIsAbsentAndKeepsTheDefaults) {
  const ConfigResult result = loadConfig(engine_, path_);
  EXPECT_EQ(result.status, ConfigStatus::Absent);
  EXPECT_EQ(engine_.settings.backupFiles, 1);
  EXPECT_EQ(engine_.traceFlags.recycleBin, 1);
  EXPECT_TRUE(engine_.drives.empty());
  EXPECT_FALSE(fileExists(path_ + ".bad"));
}

TEST_F(ConfigFiles, EmptyFileIsAbsent) {
  writeFile(path_, "");
  EXPECT_EQ(loadConfig(engine_, path_).status, ConfigStatus::Absent);
  EXPECT_FALSE(fileExists(path_ + ".bad"));
}

TEST_F(ConfigFiles, WellFormedFileLoads) {
  writeFile(path_, threeRules());
  const ConfigResult result = loadConfig(engine_, path_);
  EXPECT_EQ(result.status, ConfigStatus::Loaded);
  EXPECT_EQ(result.progress.describe(), "flags, trace flags, 1 drive, 3 rules");
  EXPECT_EQ(engine_.traceFlags.tempInternetFiles, 0);
  EXPECT_EQ(engine_.rules.count(), 3);
  EXPECT_FALSE(fileExists(path_ + ".bad"));
}

TEST_F(ConfigFiles, ExtraBytesAfterTheLastRuleLoadWithoutComplaint) {
  writeFile(path_, threeRules() + "trailing bytes");
  EXPECT_EQ(loadConfig(engine_, path_).status, ConfigStatus::Loaded);
  EXPECT_EQ(engine_.rules.count(), 3);
}

TEST_F(ConfigFiles, CutInTheThirdRuleIsDamagedAndKeepsWhatWasRead) {
  const std::string full = threeRules();
  writeFile(path_, full.substr(0, full.size() - 6));
  const ConfigResult result = loadConfig(engine_, path_);
  EXPECT_EQ(result.status, ConfigStatus::Damaged);
  EXPECT_EQ(result.progress.describe(), "flags, trace flags, 1 drive, 2 of 3 rules");
  EXPECT_FALSE(result.error.empty());
  EXPECT_EQ(engine_.traceFlags.recentDocuments, 0);
  ASSERT_EQ(engine_.drives.size(), 1u);
  ASSERT_EQ(engine_.rules.count(), 2);
  EXPECT_EQ(engine_.rules.at(1).pattern, ".bak");
}

TEST_F(ConfigFiles, OverlongStringIsDamaged) {
  const std::string hugePrefix("\xFF\xFF\xFF\x00\x00\x00\x40", 7);
  writeFile(path_, Bytes().flags(19, 1).i32(1).raw(hugePrefix).str());
  const ConfigResult result = loadConfig(engine_, path_);
  EXPECT_EQ(result.status, ConfigStatus::Damaged);
  EXPECT_EQ(result.progress.describe(), "flags, trace flags, 0 of 1 drives");
}

TEST_F(ConfigFiles, ReadingOnlyMakesNoCopyOfADamagedFile) {
  writeFile(path_, "\x01\x00");
  EXPECT_EQ(readConfigFile(engine_, path_).status, ConfigStatus::Damaged);
  EXPECT_FALSE(fileExists(path_ + ".bad"));
}

TEST_F(ConfigFiles, DamagedFileSurvivesAsBadAfterTheNextSave) {
  const std::string damaged = threeRules().substr(0, 101);
  writeFile(path_, damaged);
  const ConfigResult loaded = loadConfig(engine_, path_);
  ASSERT_EQ(loaded.status, ConfigStatus::Damaged);
  EXPECT_EQ(loaded.keptCopy, path_ + ".bad");

  ASSERT_EQ(saveConfig(engine_, path_).status, ConfigStatus::Saved);
  EXPECT_EQ(readFile(path_ + ".bad"), damaged);
  CleanEngine again(systemPlatform());
  EXPECT_EQ(loadConfig(again, path_).status, ConfigStatus::Loaded);
}

TEST_F(ConfigFiles, ANewerDamagedFileReplacesAnOlderCopy) {
  writeFile(path_ + ".bad", "older");
  writeFile(path_, "\x05");
  loadConfig(engine_, path_);
  EXPECT_EQ(readFile(path_ + ".bad"), "\x05");
}

// ---- Saving ----

TEST_F(ConfigFiles, SaveWritesTheLayoutAndLeavesNoTemporaryFile) {
  engine_.drives.emplace_back();
  engine_.drives.back().root = "C:\\";
  engine_.drives.back().displayName = "C:\\";
  const ConfigResult result = saveConfig(engine_, path_);
  EXPECT_EQ(result.status, ConfigStatus::Saved);
  EXPECT_EQ(readFile(path_), workedExample());
  EXPECT_FALSE(fileExists(path_ + ".tmp"));
}

TEST_F(ConfigFiles, SaveReplacesThePreviousFile) {
  writeFile(path_, threeRules());
  ASSERT_EQ(saveConfig(engine_, path_).status, ConfigStatus::Saved);
  EXPECT_EQ(readFile(path_).size(), 84u);
}

TEST_F(ConfigFiles, LeftoverTemporaryFileDoesNotDisturbTheSave) {
  writeFile(path_ + ".tmp", std::string(5000, 'j'));
  ASSERT_EQ(saveConfig(engine_, path_).status, ConfigStatus::Saved);
  EXPECT_EQ(readFile(path_).size(), 84u);
  EXPECT_FALSE(fileExists(path_ + ".tmp"));
}

TEST_F(ConfigFiles, SaveThenLoadRoundTrips) {
  engine_.settings.cpyFiles = 0;
  engine_.traceFlags.offlinePages = 0;
  engine_.rules.append(ScanRule{0, "\xD6\xD0\xCE\xC4", std::string(70000, 'd'), 1});
  ASSERT_EQ(saveConfig(engine_, path_).status, ConfigStatus::Saved);
  CleanEngine loaded(systemPlatform());
  ASSERT_EQ(loadConfig(loaded, path_).status, ConfigStatus::Loaded);
  EXPECT_EQ(loaded.settings.cpyFiles, 0);
  EXPECT_EQ(loaded.traceFlags.offlinePages, 0);
  EXPECT_EQ(loaded.rules.all(), engine_.rules.all());
}

TEST_F(ConfigFiles, SaveIntoAMissingFolderCannotSave) {
  const std::string path = dir_.file("no-such-folder/data.dsfw");
  const ConfigResult result = saveConfig(engine_, path);
  EXPECT_EQ(result.status, ConfigStatus::CouldNotSave);
  EXPECT_FALSE(result.error.empty());
  EXPECT_FALSE(fileExists(path));
}

class ConfigFailingSave : public ConfigFiles {
 protected:
  void SetUp() override {
    writeFile(path_, threeRules());
    engine_.rules.append(ScanRule{1, "new", "", 0});
  }
  void expectOldFileIntact() {
    EXPECT_EQ(readFile(path_), threeRules());
    EXPECT_FALSE(fileExists(path_ + ".tmp"));
  }
  test::FailingFilePlatform platform_;
  CleanEngine failing_{platform_};
};

TEST_F(ConfigFailingSave, FailedReplaceLeavesTheOldFile) {
  platform_.failReplace = true;
  EXPECT_EQ(saveConfig(failing_, path_).status, ConfigStatus::CouldNotSave);
  EXPECT_EQ(platform_.replaceCalls, 1);
  expectOldFileIntact();
}

TEST_F(ConfigFailingSave, FailedSyncLeavesTheOldFileAndReplacesNothing) {
  platform_.failSync = true;
  EXPECT_EQ(saveConfig(failing_, path_).status, ConfigStatus::CouldNotSave);
  EXPECT_EQ(platform_.replaceCalls, 0);
  expectOldFileIntact();
}

TEST_F(ConfigFailingSave, WorkingPlatformSaves) {
  EXPECT_EQ(saveConfig(failing_, path_).status, ConfigStatus::Saved);
  EXPECT_EQ(platform_.replaceCalls, 1);
  EXPECT_EQ(readFile(path_).size(), 84u);
}

#ifndef _WIN32
TEST_F(ConfigFailingSave, DiskFullLeavesTheOldFile) {
  if (!fileExists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  // The temporary file leads to a device on which every write fails with ENOSPC.
  ASSERT_EQ(::symlink("/dev/full", (path_ + ".tmp").c_str()), 0);
  const ConfigResult result = saveConfig(failing_, path_);
  EXPECT_EQ(result.status, ConfigStatus::CouldNotSave);
  EXPECT_EQ(platform_.replaceCalls, 0);
  expectOldFileIntact();
}

TEST_F(ConfigFailingSave, ReadOnlyFolderCannotSave) {
  std::filesystem::permissions(dir_.path(), std::filesystem::perms::owner_read |
                                                std::filesystem::perms::owner_exec);
  const std::string probe = dir_.file("probe");
  if (std::FILE* f = std::fopen(probe.c_str(), "wb")) {
    std::fclose(f);
    std::remove(probe.c_str());
    GTEST_SKIP() << "this user may write into read-only folders";
  }
  EXPECT_EQ(saveConfig(failing_, path_).status, ConfigStatus::CouldNotSave);
  expectOldFileIntact();
}
#endif

}  // namespace
}  // namespace scourix
