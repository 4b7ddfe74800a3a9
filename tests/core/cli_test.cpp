// scourix-cli run as a program: its configuration and rule file commands. Its scan is
// checked by the benchmark against find; the scans behind both commands by the engine
// tests. SCOURIX_CLI names it (CTest sets it); without it these tests are skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "engine/clean_engine.h"
#include "settings/config_file.h"
#include "temp_tree.h"
#include "win11_layout.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
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
  // returns its exit code, with its output in `out` and `err`. Arguments are quoted, so a
  // folder never ends with a separator: "C:\dir\" would escape its quote.
  int run(const std::string& args) {
    const std::string program = std::getenv("SCOURIX_CLI");
#ifdef _WIN32
    const int status = start("\"" + program + "\" " + args);
#else
    const std::string command = "\"" + program + "\" " + args + " >\"" +
                                (outputFails ? "/dev/full" : tree.path("out")) + "\" 2>\"" + tree.path("err") + "\"";
    const int wait = std::system(command.c_str());
    const int status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
#endif
    out = outputFails ? "" : TempTree::read(tree.path("out")), err = TempTree::read(tree.path("err"));
    out.erase(std::remove(out.begin(), out.end(), '\r'), out.end());  // text mode on Windows
    return status;
  }
#ifdef _WIN32
  // Started without cmd.exe, whose "not recognized" and 9009 would read as the program's
  // own output and exit code when Wine refuses a start, as it once did on a loaded
  // machine. A refused start is tried again; one refused three times fails with its error.
  int start(std::string commandLine) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = CreateFileA(tree.path("out").c_str(), outputFails ? GENERIC_READ : GENERIC_WRITE,
                                     FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, nullptr);
    startup.hStdError = CreateFileA(tree.path("err").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                    CREATE_ALWAYS, 0, nullptr);
    PROCESS_INFORMATION process{};
    DWORD error = 0;
    for (int attempt = 0; attempt < 3 && process.hProcess == nullptr; ++attempt) {
      if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                          &process)) {
        error = GetLastError();
      }
    }
    CloseHandle(startup.hStdOutput);
    CloseHandle(startup.hStdError);
    if (process.hProcess == nullptr) {
      ADD_FAILURE() << "cannot start " << commandLine << ": error " << error;
      return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
  }
#endif
  std::string at(const std::string& relative) { return "\"" + tree.path(relative) + "\""; }

  TempTree tree;
  std::string out, err;
  bool outputFails = false;  // the program's output goes where no write succeeds
};

// A name the code page cannot write reads '?' there; --utf8 prints it exactly.
TEST_F(Cli, Scan) {
  const std::string pcf = tree.file("data/x.pcf", 5);
  tree.file("data/plain.txt", 5);
  const std::string emoji = "data/sub/\xF0\x9F\x98\x80.bak";  // in UTF-8
  tree.dir("data/sub");
  std::ofstream(std::filesystem::u8path(tree.path(emoji))) << "12345";
  TempTree::write(tree.path("rules.txt"), ".pcf,pcf files,0,1\r\n");
  ASSERT_EQ(run("scan --no-pace --rules " + at("rules.txt") + " " + at("data")), 0) << err;
  EXPECT_NE(out.find("my rules(.pcf)\t" + pcf + "\n"), std::string::npos) << out;
  EXPECT_NE(err.find("files examined: 3, findings: 2, "), std::string::npos) << err;
  EXPECT_NE(err.find("mandated sleeps: 50 ms, total size: 10 bytes"), std::string::npos) << err;
  ASSERT_EQ(run("scan --no-pace --sizes --utf8 " + at("data/sub")), 0) << err;
  EXPECT_EQ(out, "back files\t5\t" + tree.path(emoji) + "\n");
#ifdef _WIN32
  ASSERT_EQ(run("scan --no-pace " + at("data/sub")), 0) << err;
  EXPECT_EQ(out, "back files\t" + tree.path("data/sub/?.bak") + "\n");
#endif
  EXPECT_EQ(run("scan --no-pace " + at("missing")), 1);
  EXPECT_NE(err.find("cannot list"), std::string::npos) << err;
  // An empty name, as an unset variable of a script gives, would stand for the root.
  for (const char* empty : {"scan --no-pace \"\"", "scan --config \"\" data", "clean --config \"\""}) {
    EXPECT_EQ(run(empty), 2) << empty;
    EXPECT_EQ(out, "") << empty;
  }
  // --config leaves out what the exclusion list of a data.dsfw names, which config show prints.
  CleanEngine settings(systemPlatform());
  settings.choices().exclusions.add({Exclusion::Kind::Name, "*.PCF"});
  ASSERT_TRUE(saveConfig(settings.choices(), settings.platform(), tree.path("data.dsfw")).saved);
  ASSERT_EQ(run("config show " + at("data.dsfw")), 0) << err;
  EXPECT_EQ(out.substr(out.find("exclusions")), "exclusions\t1\nexclusion\tname\t*.PCF\n");
  ASSERT_EQ(run("scan --no-pace --rules " + at("rules.txt") + " --config " + at("data.dsfw") + " " + at("data")), 0) << err;
  EXPECT_EQ(out.find(pcf), std::string::npos) << out;
}

TEST_F(Cli, Trace) {
  const std::string cookie = tree.file("profiles/ann/Cookies/c.txt");
  tree.file("profiles/ann/Cookies/desktop.ini");
  const std::string recycled = tree.file("drive/RECYCLER/Dc1.doc");
  const std::string bin = tree.file("drive/$Recycle.Bin/S-1-5-21/$RAB12.doc");
  const std::string cache = tree.file("profiles/ann/AppData/Local/Mozilla/Firefox/Profiles/x.default/cache2/e");
  tree.file("profiles/ann/AppData/Local/Mozilla/Firefox/Profiles/x.default/prefs.js");
  // The drive stands for the system: its catalog locations are empty.
  ASSERT_EQ(run("trace --no-pace --system-root " + at("drive") + " --profiles " + at("profiles") + " --recycle " +
                at("drive")), 0);
  EXPECT_EQ(out, "Internet Cookies\t" + cookie + "\nFirefox cache\t" + cache + "\nRECYCLER\t" + recycled +
                     "\nRecycle Bin files\t" + bin + "\n");
  EXPECT_NE(err.find("mandated sleeps: 120 ms, total size: 4 bytes"), std::string::npos) << err;
  EXPECT_EQ(run("trace --no-pace --catalog"), 2);
}

// Every catalog location of a generated Windows 11 drive that a clean with the defaults
// empties; a winapp2.ini instead of the built-in catalog, whose entry the deny list refuses.
TEST_F(Cli, TraceWithTheCatalog) {
  const std::vector<test::LayoutFile> layout = test::windows11Layout({"li", u8"张伟"}, tree.root());
  test::writeLayout(tree.root(), layout);
  std::multiset<std::string> expected, printed;
  for (const test::LayoutFile& file : layout) {
    if (file.ticked && !file.label.empty()) {
      expected.insert(file.label + "\t" + std::to_string(file.size) + "\t" + tree.path(file.path));
    }
  }
  const std::string root = "\"" + tree.root().substr(0, tree.root().size() - 1) + "\"";
  ASSERT_EQ(run("trace --no-pace --ticked --sizes --utf8 --system-root " + root), 0) << err;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) printed.insert(line);
  EXPECT_EQ(printed, expected);
  TempTree::write(tree.path("winapp2.ini"), "[Tencent Files *]\nSection=S\nFileKey1=%Documents%\\Tencent Files|*|RECURSE\n");
  ASSERT_EQ(run("trace --no-pace --utf8 --system-root " + root + " --catalog " + at("winapp2.ini")), 0) << err;
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2) << out;  // QQ's logs only, unticked
  for (const char* user : {"li", u8"张伟"}) {
    const std::string log = "Users/" + std::string(user) + "/Documents/Tencent Files/12345/nt_qq/nt_data/log/nt.log";
    EXPECT_NE(out.find("Tencent Files\t" + tree.path(log) + "\n"), std::string::npos) << out;
  }
  EXPECT_NE(err.find("catalog: 1 entries, 0 skipped as broken, 2 files refused"), std::string::npos) << err;
  EXPECT_EQ(run("trace --catalog " + at("missing.ini")), 1);
}

TEST_F(Cli, ConfigShowAndCopy) {
  CleanEngine engine(systemPlatform());
  engine.choices().traceFlags.recentDocuments = -4;
  engine.choices().traceFlags.browser2345Cache = 0;
  engine.choices().drives.push_back({"C:\\", "C:\\"});
  engine.choices().rules.append(ScanRule{1, ".pcf", "pcf files", 0});
  engine.choices().rules.append(ScanRule{0, "~", "", 1});
  engine.choices().catalogTicks = {{"Memory Dumps", 0}, {"winapp2:Foo Cache", 1}};
  ASSERT_TRUE(saveConfig(engine.choices(), engine.platform(), tree.path("in")).saved);
  ASSERT_EQ(run("config show " + at("in")), 0) << err;
  EXPECT_NE(out.find("recentDocuments\t-4\ndrives\t1\ndrive\tC:\\\tC:\\\t1\nrules\t2\nrule\t1\t.pcf\tpcf files\t0\n"
                     "rule\t0\t~\t\t1\ndeleteToRecycleBin\t0\n"), std::string::npos) << out;
  EXPECT_EQ(out.substr(out.find("\nbrowser2345Cache")),
            "\nbrowser2345Cache\t0\nexclusions\t0\ncatalog\tMemory Dumps\t0\ncatalog\twinapp2:Foo Cache\t1\n");
  // A damaged file: what was read is shown, with an error, and nothing is copied.
  const std::string file = TempTree::read(tree.path("in"));
  TempTree::write(tree.path("in"), file.substr(0, file.find("SXEB") - 4));  // into the last rule
  EXPECT_EQ(run("config show " + at("in")), 1);
  EXPECT_NE(err.find("flags, trace flags, 1 drive, 1 of 2 rules"), std::string::npos) << err;
  EXPECT_EQ(out.substr(out.find("rules")), "rules\t2\nrule\t1\t.pcf\tpcf files\t0\n");
  EXPECT_EQ(run("config copy " + at("in") + " " + at("damaged")), 1);
  EXPECT_FALSE(TempTree::exists(tree.path("damaged")));
}

TEST_F(Cli, CleanWithTheSettingsOfAFile) {
  const std::string bak = tree.file("data/a.bak", 5);
  tree.file("data/keep.txt", 5);
  CleanEngine engine(systemPlatform());
  engine.choices().drives.push_back({tree.dir("data"), "data"});
  for (const TraceFlagField& field : kTraceFlagsInFileOrder) engine.choices().traceFlags.*(field.flag) = 0;
  ASSERT_TRUE(saveConfig(engine.choices(), engine.platform(), tree.path("data.dsfw")).saved);
  ASSERT_EQ(run("clean --dry-run --sizes --config " + at("data.dsfw")), 0) << err;
  EXPECT_EQ(out, "back files\t5\t" + bak + "\n");
  ASSERT_EQ(run("clean --utf8 --config " + at("data.dsfw")), 0) << err;
  EXPECT_EQ(out, "back files\t" + bak + "\n");
  EXPECT_NE(err.find("deleted: 1 files, 5 bytes"), std::string::npos) << err;
  EXPECT_FALSE(TempTree::exists(bak));
  // A list that could not be written is no record of what was done.
  outputFails = true;
  const std::string other = tree.file("data/b.bak", 5);
  EXPECT_EQ(run("clean --config " + at("data.dsfw")), 4) << err;
  EXPECT_FALSE(TempTree::exists(other));
  outputFails = false;
  // No settings, or settings that cannot be opened: no cleaning.
  EXPECT_EQ(run("clean --config " + at("missing.dsfw")), 2);
#ifdef _WIN32
  HANDLE held = CreateFileA(tree.path("data.dsfw").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(run("clean --config " + at("data.dsfw")), 2) << err;
  CloseHandle(held);
#else
  ASSERT_EQ(::symlink("loop", tree.path("loop").c_str()), 0);
  EXPECT_EQ(run("clean --config " + at("loop")), 2) << err;
#endif
}

}  // namespace
}  // namespace scourix
