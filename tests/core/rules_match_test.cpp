// How the disk scan applies the custom rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/clean_engine.h"
#include "fake_platform.h"
#include "settings/rule_store.h"

namespace scourix {
namespace {

ScanRule makeRule(const std::string& pattern, std::int32_t mode = MatchAtEnd,
                  std::int32_t enabled = 1) {
  ScanRule rule;
  rule.pattern = pattern;
  rule.description = "about " + pattern;
  rule.matchMode = mode;
  rule.enabled = enabled;
  return rule;
}

TEST(RuleStoreRemove, PositionsThatDoNotExistAreIgnored) {
  RuleStore store;
  store.append(makeRule("r0"));
  store.removeAt(1);
  store.removeAt(-1);
  ASSERT_EQ(store.count(), 1);
  EXPECT_EQ(store.at(0).pattern, "r0");
}

class RulesMatch : public ::testing::Test {
 protected:
  void SetUp() override {
    DriveEntry drive;
    drive.root = root;
    engine.drives.push_back(drive);
  }
  // The categories under which the files are listed, in order.
  std::vector<std::string> scan(const std::vector<std::string>& names) {
    std::vector<DirEntry> entries;
    for (const std::string& name : names) entries.push_back(test::fileEntry(name));
    platform.memoryDirs[root] = entries;
    engine.runDiskScan();
    std::vector<std::string> out;
    for (const auto& file : engine.foundFiles()) out.push_back(file->name + "=" + file->category);
    return out;
  }
  using Names = std::vector<std::string>;

  test::FakePlatform platform;
  CleanEngine engine{platform};
  const std::string root = test::memoryRoot(platform);
};

TEST_F(RulesMatch, AtEndLowerCasesTheNameButNotThePattern) {
  engine.rules.append(makeRule("tmq"));
  engine.rules.append(makeRule("DOC"));
  EXPECT_EQ(scan({"A.TMQ", "a.tmq", "x.DOC", "x.doc"}),
            (Names{"A.TMQ=my rules(tmq)", "a.tmq=my rules(tmq)"}));
}

TEST_F(RulesMatch, AnywhereComparesExactly) {
  engine.rules.append(makeRule("TMQ", MatchAnywhere));
  EXPECT_EQ(scan({"A.TMQ", "a.tmq", "TMQ.x", "xTMQy.z"}),
            (Names{"A.TMQ=my rules(TMQ)", "TMQ.x=my rules(TMQ)", "xTMQy.z=my rules(TMQ)"}));
}

TEST_F(RulesMatch, AnyNonzeroModeActsAsAnywhere) {
  engine.rules.append(makeRule("pq", 7));
  EXPECT_EQ(scan({"pq.x", "a.pq", "a.PQ"}), (Names{"pq.x=my rules(pq)", "a.pq=my rules(pq)"}));
}

TEST_F(RulesMatch, DisabledRulesAreIgnored) {
  engine.rules.append(makeRule(".xyz", MatchAtEnd, 0));
  EXPECT_EQ(scan({"a.xyz"}), Names{});
  engine.rules.at(0).enabled = 1;
  EXPECT_EQ(scan({"a.xyz"}), Names{"a.xyz=my rules(.xyz)"});
}

TEST_F(RulesMatch, PatternLongerThanTheNameNeverMatches) {
  engine.rules.append(makeRule("abc.xyz", MatchAnywhere));
  engine.rules.append(makeRule("bc.xyz"));
  EXPECT_EQ(scan({"c.xyz", "abc.xyz"}), Names{"abc.xyz=my rules(abc.xyz)"});
}

TEST_F(RulesMatch, EmptyPatternMatchesEveryFileWithAFullStop) {
  engine.rules.append(makeRule(""));
  EXPECT_EQ(scan({"a.q", "NOEXT"}), Names{"a.q=my rules()"});
  engine.rules.clear();
  engine.rules.append(makeRule("", MatchAnywhere));
  EXPECT_EQ(scan({"b.q", "NOEXT"}), Names{"b.q=my rules()"});
}

TEST_F(RulesMatch, TheFirstMatchingRuleNamesTheFile) {
  engine.rules.append(makeRule(".q", MatchAtEnd, 0));
  engine.rules.append(makeRule("q"));
  engine.rules.append(makeRule(".q"));
  EXPECT_EQ(scan({"a.q"}), Names{"a.q=my rules(q)"});
}

TEST_F(RulesMatch, RulesNeedTheirFlag) {
  engine.rules.append(makeRule(".q"));
  engine.settings.customRules = 0;
  EXPECT_EQ(scan({"a.q"}), Names{});
}

TEST_F(RulesMatch, BuiltInCategoriesComeFirst) {
  engine.rules.append(makeRule("install.log"));
  EXPECT_EQ(scan({"install.log"}), Names{"install.log=system log files"});
}

TEST_F(RulesMatch, EveryRuleIsAPaceStep) {
  engine.rules.append(makeRule("a"));
  engine.rules.append(makeRule("b", MatchAtEnd, 0));
  engine.rules.append(makeRule("c"));
  scan({"x.q", "NOEXT"});
  // One step for the file with a full stop, one for each rule tried on it.
  EXPECT_EQ(engine.paceCounter, 4);
}

TEST_F(RulesMatch, DoubleByteNamesMatchOnWholeCharacters) {
  engine.rules.append(makeRule("a.txt"));
  engine.rules.append(makeRule("A", MatchAnywhere));
  // "\x81" "A" is one character; its trail byte is no letter A.
  EXPECT_EQ(scan({"\x81" "A.TXT", "\x81\x40" "A.TXT", "\x81" "A.q", "\x81\x40" "A.q"}),
            (Names{"\x81\x40" "A.TXT=my rules(a.txt)", "\x81\x40" "A.q=my rules(A)"}));
}

TEST_F(RulesMatch, TheScanUsesTheRulesAsTheyWereAtItsStart) {
  struct ChangeRules : ScanObserver {
    RuleStore* store = nullptr;
    void scanStarted(ScanKind) override {
      store->clear();
      store->append(makeRule(".new"));
    }
    void scanFinished(ScanKind) override {}
  } observer;
  observer.store = &engine.rules;
  engine.setObserver(&observer);
  engine.rules.append(makeRule(".old1"));
  EXPECT_EQ(scan({"a.old1", "b.new"}), Names{"a.old1=my rules(.old1)"});
  // The next scan takes the changed store.
  engine.setObserver(nullptr);
  EXPECT_EQ(scan({"a.old1", "b.new"}), Names{"b.new=my rules(.new)"});
}

}  // namespace
}  // namespace scourix
