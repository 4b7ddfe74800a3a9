// scourix-cli scan and trace, run as a program (the path comes from SCOURIX_CLI).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "fake_platform.h"
#include "temp_tree.h"

namespace scourix {
namespace {

std::string quote(const std::string& text) {
#ifdef _WIN32
  return "\"" + text + "\"";
#else
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
#endif
}

std::string slurp(const std::string& path) {
  std::string text;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, got);
    std::fclose(f);
  }
  // The Windows build writes its output in text mode.
  std::string out;
  for (char c : text) {
    if (c != '\r') out += c;
  }
  return out;
}

class Cli : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* cli = std::getenv("SCOURIX_CLI");
    if (cli == nullptr || *cli == '\0') GTEST_SKIP() << "SCOURIX_CLI is not set";
    cli_ = cli;
#ifdef _WIN32
    // Under Wine, CTest names the program by its Unix path: reach it through drive Z:.
    if (cli_[0] == '/') {
      for (char& c : cli_) c = c == '/' ? '\\' : c;
      cli_ = "Z:" + cli_;
    }
#endif
  }

  // Runs the program with the arguments; returns its exit code.
  int run(const std::string& args) {
    const std::string outPath = tree.path("stdout.txt");
    const std::string errPath = tree.path("stderr.txt");
    std::string command = quote(cli_) + " " + args + " >" + quote(outPath) + " 2>" + quote(errPath);
#ifdef _WIN32
    // cmd.exe strips the first and last quote of a command that starts with one.
    command = "\"" + command + "\"";
#endif
    const int status = std::system(command.c_str());
    out = slurp(outPath);
    err = slurp(errPath);
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
#ifdef _WIN32
    return status;
#else
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  }

  test::TempTree tree;
  std::string out;
  std::string err;

 private:
  std::string cli_;
};

TEST_F(Cli, ScanListsFindingsWithTheirCategories) {
  const std::string bak = tree.file("data/sub/a.bak", 5);
  const std::string empty = tree.file("data/e.txt", 0);
  tree.file("data/plain.txt", 5);
  ASSERT_EQ(run("scan --no-pace " + quote(tree.path("data"))), 0) << err;
  EXPECT_NE(out.find("back files\t" + bak + "\n"), std::string::npos) << out;
  EXPECT_NE(out.find("empty files\t" + empty + "\n"), std::string::npos) << out;
  EXPECT_EQ(out.find("plain.txt"), std::string::npos);
  EXPECT_NE(err.find("files examined: 3"), std::string::npos) << err;
  EXPECT_NE(err.find("findings: 2"), std::string::npos) << err;
  EXPECT_NE(err.find("mandated sleeps: 50 ms"), std::string::npos) << err;
}

TEST_F(Cli, ScanAppliesARulesFile) {
  tree.file("data/x.pcf", 5);
  const std::string rules = tree.file("rules.txt", 0);
  {
    std::FILE* f = std::fopen(rules.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(".pcf,pcf files,0,1\r\n", f);
    std::fclose(f);
  }
  ASSERT_EQ(run("scan --no-pace --rules " + quote(rules) + " " + quote(tree.path("data"))), 0)
      << err;
  EXPECT_EQ(out, "my rules(.pcf)\t" + tree.path("data/x.pcf") + "\n");
}

TEST_F(Cli, ScanErrors) {
  EXPECT_EQ(run("scan --no-pace " + quote(tree.path("missing"))), 1);
  EXPECT_NE(err.find("cannot list"), std::string::npos) << err;
  tree.dir("d");
  EXPECT_EQ(run("scan --no-pace --rules " + quote(tree.path("none.txt")) + " " + quote(tree.path("d"))), 1);
  EXPECT_NE(err.find("cannot read rules"), std::string::npos) << err;
  EXPECT_EQ(run("scan --fast " + quote(tree.path("d"))), 2);
  EXPECT_NE(err.find("unknown option"), std::string::npos) << err;
  EXPECT_EQ(run("scan --no-pace"), 2);
  EXPECT_EQ(run("scan --rules"), 2);
  EXPECT_TRUE(out.empty());
}

TEST_F(Cli, TraceListsProfilesAndRecycleFolders) {
  const std::string cookie = tree.file("profiles/ann/Cookies/c.txt");
  tree.file("profiles/ann/Cookies/desktop.ini");
  const std::string recycled = tree.file("drive/RECYCLER/Dc1.doc");
  ASSERT_EQ(run("trace --no-pace --profiles " + quote(tree.path("profiles")) + " --recycle " +
                quote(tree.path("drive"))),
            0)
      << err;
  EXPECT_EQ(out, "Internet Cookies\t" + cookie + "\nRECYCLER\t" + recycled + "\n");
  EXPECT_NE(err.find("mandated sleeps: 110 ms"), std::string::npos) << err;
}

TEST_F(Cli, TraceErrors) {
  tree.dir("p");
  // Folder arguments without a trailing separator: "C:\dir\" would escape its quote.
  const std::string profiles = quote(tree.path("p"));
  EXPECT_EQ(run("trace --no-pace"), 2);
  EXPECT_NE(err.find("--profiles"), std::string::npos) << err;
  EXPECT_EQ(run("trace --profiles"), 2);
  EXPECT_EQ(run("trace --profiles " + quote(tree.path("nowhere"))), 1);
  EXPECT_EQ(run("trace --profiles " + profiles + " --recycle " + quote(tree.path("nodrive"))), 1);
  EXPECT_NE(err.find("nodrive"), std::string::npos) << err;
  EXPECT_EQ(run("trace --profiles " + profiles + " --what"), 2);
  EXPECT_NE(err.find("--what"), std::string::npos) << err;
}

}  // namespace
}  // namespace scourix
