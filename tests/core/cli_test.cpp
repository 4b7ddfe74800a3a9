// scourix-cli run as a program: its configuration and rule file commands. Its scan is
// checked by the benchmark against find; the scans behind both commands by the engine
// tests. SCOURIX_CLI names it (CTest sets it); without it these tests are skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "engine/clean_engine.h"
#include "settings/config_file.h"
#include "temp_tree.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace scourix {
namespace {

using test::TempTree;

class Cli : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("SCOURIX_CLI") == nullptr) GTEST_SKIP() << "SCOURIX_CLI is not set";
  }
  // Runs the program with these arguments, each a path below the tree or an option;
  // returns its exit code, with its output in `out` and `err`.
  int run(const std::string& args) {
    // Arguments are quoted, so a folder never ends with a separator: "C:\dir\" would
    // escape its quote. cmd.exe strips the first and last quote of the whole command.
    std::string command = "\"\"" + std::string(std::getenv("SCOURIX_CLI")) + "\" " + args +
                          " >\"" + tree.path("out") + "\" 2>\"" + tree.path("err") + "\"\"";
#ifndef _WIN32
    command = command.substr(1, command.size() - 2);
#endif
    const int status = std::system(command.c_str());
    out = TempTree::read(tree.path("out"));
    err = TempTree::read(tree.path("err"));
    out.erase(std::remove(out.begin(), out.end(), '\r'), out.end());  // text mode on Windows
#ifdef _WIN32
    return status;
#else
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  }
  std::string at(const std::string& relative) { return "\"" + tree.path(relative) + "\""; }

  TempTree tree;
  std::string out;
  std::string err;
};

TEST_F(Cli, ConfigShowAndCopy) {
  CleanEngine engine(systemPlatform());
  engine.traceFlags.recentDocuments = -4;
  engine.drives.emplace_back();
  engine.drives[0].root = engine.drives[0].displayName = "C:\\";
  engine.rules.append(ScanRule{1, ".pcf", "pcf files", 0});
  engine.rules.append(ScanRule{0, "~", "", 1});
  ASSERT_EQ(saveConfig(engine, tree.path("in")).status, ConfigStatus::Saved);
  ASSERT_EQ(run("config show " + at("in")), 0) << err;
  EXPECT_EQ(out.substr(out.find("recentDocuments")),
            "recentDocuments\t-4\ndrives\t1\ndrive\tC:\\\tC:\\\t1\n"
            "rules\t2\nrule\t1\t.pcf\tpcf files\t0\nrule\t0\t~\t\t1\n");
  ASSERT_EQ(run("config copy " + at("in") + " " + at("copy")), 0) << err;
  EXPECT_EQ(TempTree::read(tree.path("copy")), TempTree::read(tree.path("in")));
  // A damaged file: what was read is shown, with an error, and nothing is copied.
  const std::string file = TempTree::read(tree.path("in"));
  TempTree::write(tree.path("in"), file.substr(0, file.size() - 4));
  EXPECT_EQ(run("config show " + at("in")), 1);
  EXPECT_NE(err.find("flags, trace flags, 1 drive, 1 of 2 rules"), std::string::npos) << err;
  EXPECT_EQ(out.substr(out.find("rules")), "rules\t2\nrule\t1\t.pcf\tpcf files\t0\n");
  EXPECT_EQ(run("config copy " + at("in") + " " + at("damaged")), 1);
  EXPECT_FALSE(TempTree::exists(tree.path("damaged")));
}

TEST_F(Cli, RulesShow) {
  TempTree::write(tree.path("rules.txt"), ".pcf,pcf files,0,1\r\n\r\nnocomma\r\n a , b ,1,0");
  ASSERT_EQ(run("rules show " + at("rules.txt")), 0) << err;
  EXPECT_EQ(out, ".pcf\tpcf files\t0\t1\na \t b \t1\t0\n");
  EXPECT_EQ(run("rules show " + at("missing.txt")), 1);
}

}  // namespace
}  // namespace scourix
