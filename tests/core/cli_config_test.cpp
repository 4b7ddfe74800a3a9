// scourix-cli's config and rules commands, run as a separate process. The program is
// named by SCOURIX_CLI (CTest sets it); without it these tests are skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/settings_test_support.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace scourix {
namespace {

using test::Bytes;
using test::readFile;
using test::writeFile;
using namespace std::string_literals;

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string withoutCr(std::string text) {
  std::string out;
  for (char c : text) {
    if (c != '\r') out += c;
  }
  return out;
}

class CliCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* cli = std::getenv("SCOURIX_CLI");
    if (!cli || !*cli) GTEST_SKIP() << "SCOURIX_CLI is not set";
    cli_ = cli;
#ifdef _WIN32
    // Under Wine, CTest names the program by its Unix path: reach it through drive Z:.
    if (cli_[0] == '/') {
      for (char& c : cli_) c = c == '/' ? '\\' : c;
      cli_ = "Z:" + cli_;
    }
#endif
  }

  Outcome run(const std::string& arguments) {
    const std::string out = dir_.file("stdout.txt");
    const std::string err = dir_.file("stderr.txt");
    std::string command = "\"" + cli_ + "\" " + arguments + " >\"" + out + "\" 2>\"" + err + "\"";
#ifdef _WIN32
    // cmd.exe strips the first and last quote of a command that starts with one.
    command = "\"" + command + "\"";
#endif
    const int status = std::system(command.c_str());
    Outcome outcome;
#ifdef _WIN32
    outcome.exitCode = status;
#else
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    outcome.out = withoutCr(readFile(out));
    outcome.err = withoutCr(readFile(err));
    return outcome;
  }

  std::string quoted(const std::string& path) { return "\"" + path + "\""; }

  test::TempDir dir_;
  std::string cli_;
};

std::string richFile() {
  Bytes b;
  for (int i = 0; i < 12; ++i) b.i32(i % 3 == 0 ? 0 : 1);
  b.flags(6, 1).i32(-4);
  return b.i32(2)
      .str("C:\\").str("C:\\").i32(1)
      .str("D:\\").str("\xD6\xD0\xCE\xC4").i32(0)
      .i32(2)
      .i32(1).str(".pcf").str("clean pcf files").i32(0)
      .i32(0).str("~").str(std::string(300, 'd')).i32(1)
      .str();
}

TEST_F(CliCommands, ConfigShowListsEveryField) {
  const std::string path = dir_.file("data.dsfw");
  writeFile(path, Bytes().flags(19, 1).i32(1).str("C:\\").str("C:\\").i32(1).i32(1)
                      .i32(1).str(".pcf").str("clean pcf files").i32(0).str());
  const Outcome o = run("config show " + quoted(path));
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_EQ(o.out,
            "backupFiles\t1\ngarbageFiles\t1\ncppBuilderFiles\t1\nemptyFiles\t1\n"
            "helpTempFiles\t1\nlogTxtFiles\t1\ncustomRules\t1\nsetupTempFiles\t1\n"
            "systemLogFiles\t1\ntempFiles\t1\nvisualCppFiles\t1\ncpyFiles\t1\n"
            "tempInternetFiles\t1\ninternetHistory\t1\ninternetCookies\t1\n"
            "offlinePages\t1\nrecycleBin\t1\nwindowsTemp\t1\nrecentDocuments\t1\n"
            "drives\t1\ndrive\tC:\\\tC:\\\t1\n"
            "rules\t1\nrule\t1\t.pcf\tclean pcf files\t0\n");
}

TEST_F(CliCommands, ConfigShowOfADamagedFileShowsWhatWasReadAndFails) {
  const std::string path = dir_.file("data.dsfw");
  const std::string full = richFile();
  writeFile(path, full.substr(0, full.size() - 8));
  const Outcome o = run("config show " + quoted(path));
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_NE(o.err.find("flags, trace flags, 2 drives, 1 of 2 rules"), std::string::npos) << o.err;
  EXPECT_NE(o.out.find("recentDocuments\t-4\n"), std::string::npos);
  EXPECT_NE(o.out.find("rule\t1\t.pcf\tclean pcf files\t0\n"), std::string::npos);
  EXPECT_EQ(o.out.find("rule\t0"), std::string::npos);
}

TEST_F(CliCommands, ConfigShowOfAFileCutInTheFlagsShowsOnlyThoseFlags) {
  const std::string path = dir_.file("data.dsfw");
  writeFile(path, Bytes().i32(0).i32(1).raw("\x01").str());
  const Outcome o = run("config show " + quoted(path));
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_EQ(o.out, "backupFiles\t0\ngarbageFiles\t1\n");
  EXPECT_NE(o.err.find("2 of 12 flags"), std::string::npos) << o.err;
}

TEST_F(CliCommands, ConfigShowOfAMissingFileFails) {
  const Outcome o = run("config show " + quoted(dir_.file("missing.dsfw")));
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_FALSE(o.err.empty());
}

TEST_F(CliCommands, ConfigUsageErrorsExitWith2) {
  EXPECT_EQ(run("config").exitCode, 2);
  EXPECT_EQ(run("config show").exitCode, 2);
  EXPECT_EQ(run("config show a b").exitCode, 2);
  EXPECT_EQ(run("config copy a").exitCode, 2);
  EXPECT_EQ(run("config frob a").exitCode, 2);
}

TEST_F(CliCommands, ConfigCopyOfAWellFormedFileIsByteIdentical) {
  const std::string in = dir_.file("in.dsfw");
  const std::string out = dir_.file("out.dsfw");
  writeFile(in, richFile());
  const Outcome o = run("config copy " + quoted(in) + " " + quoted(out));
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_EQ(readFile(out), richFile());
}

TEST_F(CliCommands, ConfigCopyOfADamagedFileWritesNothing) {
  const std::string in = dir_.file("in.dsfw");
  const std::string out = dir_.file("out.dsfw");
  writeFile(in, richFile().substr(0, 90));
  EXPECT_EQ(run("config copy " + quoted(in) + " " + quoted(out)).exitCode, 1);
  EXPECT_FALSE(test::fileExists(out));
  EXPECT_FALSE(test::fileExists(in + ".bad"));
}

TEST_F(CliCommands, ConfigCopyOfAnEmptyFileWritesTheDefaults) {
  const std::string in = dir_.file("in.dsfw");
  const std::string out = dir_.file("out.dsfw");
  writeFile(in, "");
  EXPECT_EQ(run("config copy " + quoted(in) + " " + quoted(out)).exitCode, 0);
  EXPECT_EQ(readFile(out), Bytes().flags(19, 1).i32(0).i32(0).str());
}

TEST_F(CliCommands, ConfigCopyIntoAMissingFolderFails) {
  const std::string in = dir_.file("in.dsfw");
  writeFile(in, richFile());
  const Outcome o = run("config copy " + quoted(in) + " " + quoted(dir_.file("no/out.dsfw")));
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_FALSE(o.err.empty());
}

TEST_F(CliCommands, RulesShowPrintsOneLinePerRule) {
  const std::string path = dir_.file("rules.txt");
  writeFile(path, ".pcf,clean pcf files,0,1\r\n\r\nnocomma\r\n a , b ,1,0\r\n.pcf,again,1,1");
  const Outcome o = run("rules show " + quoted(path));
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_EQ(o.out, ".pcf\tclean pcf files\t0\t1\na \t b \t1\t0\n.pcf\tagain\t1\t1\n");
}

TEST_F(CliCommands, RulesShowOfAnUnreadableFileFails) {
  const Outcome o = run("rules show " + quoted(dir_.file("missing.txt")));
  EXPECT_NE(o.exitCode, 0);
  EXPECT_FALSE(o.err.empty());
}

TEST_F(CliCommands, RulesUsageErrorsExitWith2) {
  EXPECT_EQ(run("rules").exitCode, 2);
  EXPECT_EQ(run("rules show").exitCode, 2);
  EXPECT_EQ(run("rules list x").exitCode, 2);
}

}  // namespace
}  // namespace scourix
