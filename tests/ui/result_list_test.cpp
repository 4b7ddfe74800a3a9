// The result list window run in-process on the real platform: its lines, boxes, buttons,
// deletion, the "查看" command and how it keeps still while a scan runs.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "tests/core/fake_platform.h"
#include "tests/core/temp_tree.h"
#include "tests/ui/scan_page_probe.h"
#include "tests/ui/ui_test_support.h"
#include "ui/pages/scan_busy_notice.h"
#include "ui/result_list_dialog.h"

namespace scourix::test {
namespace {

void AddFinding(CleanEngine& engine, const std::string& category, const std::string& path, int toDelete = 1,
                std::uint64_t size = 0) {
  FoundFile file;
  file.size = size;
  file.name = path.substr(path.find_last_of('\\') + 1);
  file.path = path;
  file.category = category;
  file.toDelete = toDelete;
  engine.addFoundFile(file);
}

constexpr int kButtons[] = {IDC_RESULT_VIEW, IDC_RESULT_DELETE, IDC_RESULT_SELECT_ALL, IDC_RESULT_SELECT_NONE};

class ResultListTest : public ::testing::Test {
 protected:
  ResultListTest() {
    window.SetShellLauncher([this](const ShellOpen& request) { launched.push_back(request); });
  }
  ~ResultListTest() override {
    if (window.exists()) DestroyWindow(window.hwnd());
  }
  void Open() {
    ASSERT_TRUE(window.Create(nullptr));
    tree.Attach(window.Item(IDC_RESULT_TREE));
  }
  std::vector<HTREEITEM> Items() const { return ItemsBelow(tree, TVI_ROOT); }
  // The boxes are read after a paint: a check-box tree lacking its state images resets them then.
  std::vector<CheckState> Boxes() const {
    PaintNow(window.hwnd());
    std::vector<CheckState> boxes;
    for (HTREEITEM item : Items()) boxes.push_back(BoxOf(tree, item));
    return boxes;
  }
  void SetBox(HTREEITEM item, CheckState state) {
    tree.SetItemState(item, INDEXTOSTATEIMAGEMASK(state), TVIS_STATEIMAGEMASK);
  }
  void Tick() { SendMessageA(window.hwnd(), WM_TIMER, 1, 0); }
  bool Enabled(int id) const { return IsWindowEnabled(window.Item(id)) != FALSE; }
  void Click(int id) { ClickButton(window.hwnd(), id); }

  TempTree temp;
  CleanEngine engine{systemPlatform()};
  ResultListDialog window{engine};
  TreeView tree;  // a second view of the window's tree
  std::vector<ShellOpen> launched;
};

TEST_F(ResultListTest, RebuildTimerSelectionAndDeletion) {
  const std::string a = temp.file("a.tmp");
  const std::string b = temp.file("b.bak");
  std::string folder = temp.dir("stays.tmp");
  folder.pop_back();  // a folder is no file: deleting it fails
  AddFinding(engine, "temp files", "C:\\init.tmp", 0);
  Open();
  {
    SCOPED_TRACE("lines made at initialisation keep their boxes");
    EXPECT_EQ(window.GetText(), "结果列表[总数1]");
    EXPECT_EQ(Boxes(), std::vector<CheckState>{Unticked});
  }
  {
    SCOPED_TRACE("an empty list greys every button");
    engine.clearFoundFiles();
    window.RebuildList();
    Tick();
    EXPECT_EQ(window.GetText(), "结果列表[总数0]");
    for (int id : kButtons) EXPECT_FALSE(Enabled(id)) << id;
  }
  const auto fill = [&] {
    engine.clearFoundFiles();
    AddFinding(engine, "temp files", a);
    AddFinding(engine, "back files", b, 0);
    AddFinding(engine, "my rules(.pcf)", folder);
    window.RebuildList();
  };
  fill();
  {
    SCOPED_TRACE("rebuild: caption, lines in list order, boxes");
    EXPECT_EQ(window.GetText(), "结果列表[总数3]");
    EXPECT_EQ(TextsBelow(tree, TVI_ROOT),
              (std::vector<std::string>{"[temp files]" + a, "[back files]" + b, "[my rules(.pcf)]" + folder}));
    EXPECT_EQ(Boxes(), (std::vector<CheckState>{Ticked, Unticked, Ticked}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(engine.foundFile(i).treeItem, reinterpret_cast<TreeItemHandle>(Items()[i]));
  }
  {
    SCOPED_TRACE("the timer enables view only with a selected line");
    Tick();
    EXPECT_FALSE(Enabled(IDC_RESULT_VIEW));
    for (int id : {IDC_RESULT_DELETE, IDC_RESULT_SELECT_ALL, IDC_RESULT_SELECT_NONE}) EXPECT_TRUE(Enabled(id)) << id;
    tree.SelectItem(Items()[1]);
    Tick();
    EXPECT_TRUE(Enabled(IDC_RESULT_VIEW));
  }
  {
    SCOPED_TRACE("select all and none set boxes and flags of listed records only");
    AddFinding(engine, "temp files", "C:\\unlisted.tmp");
    Click(IDC_RESULT_SELECT_NONE);
    EXPECT_EQ(Boxes(), (std::vector<CheckState>{Unticked, Unticked, Unticked}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(engine.foundFile(i).toDelete, 0);
    EXPECT_EQ(engine.foundFile(3).toDelete, 1);
    Click(IDC_RESULT_SELECT_ALL);
    EXPECT_EQ(Boxes(), (std::vector<CheckState>{Ticked, Ticked, Ticked}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(engine.foundFile(i).toDelete, 1);
  }
  fill();
  MessageBoxAnswerer answer(IDOK);
  {
    SCOPED_TRACE("No changes nothing, not even the flags");
    SetBox(Items()[1], Ticked);
    answer.QueueAnswers({IDNO});
    Click(IDC_RESULT_DELETE);
    ASSERT_EQ(answer.count(), 1);
    EXPECT_EQ(answer.boxes()[0].text, "确实要删除么?");
    EXPECT_EQ(answer.boxes()[0].caption, "提示");
    EXPECT_EQ(answer.boxes()[0].owner, window.hwnd());
    EXPECT_TRUE(TempTree::exists(a));
    EXPECT_EQ(engine.foundFile(1).toDelete, 0);  // the box was not read
    EXPECT_EQ(Boxes(), (std::vector<CheckState>{Ticked, Ticked, Ticked}));
    SetBox(Items()[1], Unticked);
  }
  {
    SCOPED_TRACE("Yes deletes the ticked files; the undeletable one stays listed and counted");
    answer.QueueAnswers({IDYES, IDOK});
    Click(IDC_RESULT_DELETE);
    ASSERT_EQ(answer.count(), 3);
    EXPECT_EQ(answer.boxes()[2].text, "删除完毕，释放 0 字节，有 1 个文件无法删除");
    EXPECT_EQ(answer.boxes()[2].owner, window.hwnd());
    EXPECT_FALSE(TempTree::exists(a));
    EXPECT_TRUE(TempTree::exists(b));
    ASSERT_EQ(engine.foundCount(), 1);
    EXPECT_EQ(engine.foundFile(0).path, folder);
    EXPECT_EQ(TextsBelow(tree, TVI_ROOT), std::vector<std::string>{"[my rules(.pcf)]" + folder});
    EXPECT_EQ(Boxes(), std::vector<CheckState>{Ticked});
    EXPECT_EQ(window.GetText(), "结果列表[总数1]");
  }
}

TEST(ResultListFill, PausesAfterTheFirstLineAndEveryTwoHundredth) {
  FakePlatform platform;
  CleanEngine engine(platform);
  for (int i = 0; i < 401; ++i) AddFinding(engine, "temp files", "C:\\f" + std::to_string(i) + ".tmp");
  ResultListDialog window(engine);
  ASSERT_TRUE(window.Create(nullptr));
  EXPECT_EQ(platform.sleeps, (std::vector<int>{10, 10, 10}));  // lines 0, 200 and 400
  EXPECT_EQ(window.GetText(), "结果列表[总数401]");
}

TEST(ResultListRecycleBin, TheFirstDeletionAfterATraceScanEmptiesTheBinOnce) {
  TempTree temp;
  FakePlatform platform;
  CleanEngine engine(platform);
  ResultListDialog window(engine);
  ASSERT_TRUE(window.Create(nullptr));
  MessageBoxAnswerer answer(IDOK);
  engine.recycleBinPending = 1;
  for (const char* name : {"one.tmp", "two.tmp"}) {
    AddFinding(engine, "temp files", temp.file(name));
    window.RebuildList();
    answer.QueueAnswers({IDYES, IDOK});
    ClickButton(window.hwnd(), IDC_RESULT_DELETE);
    EXPECT_EQ(platform.recycleBinEmptied, 1);
    EXPECT_EQ(engine.recycleBinPending, 0);
  }
  ASSERT_EQ(answer.count(), 4);
  EXPECT_EQ(answer.boxes()[3].text, "删除完毕，释放 0 字节");
}

TEST_F(ResultListTest, ViewChoosesHowToShowTheSelectedLine) {
  Open();
  AddFinding(engine, "temp files", "C:\\docs\\readme.txt");
  AddFinding(engine, "my rules(.exe)", "C:\\downloads\\setup.exe");
  window.RebuildList();
  MessageBoxAnswerer answer(IDOK);
  Click(IDC_RESULT_VIEW);  // nothing selected
  tree.SelectItem(Items()[0]);
  EXPECT_EQ(SendNotify(tree.hwnd(), NM_DBLCLK), 0);  // a double click opens nothing
  EXPECT_TRUE(launched.empty());
  Click(IDC_RESULT_VIEW);
  tree.SelectItem(Items()[1]);
  Click(IDC_RESULT_VIEW);
  ASSERT_EQ(launched.size(), 2u);
  EXPECT_EQ(launched[0].file, "C:\\docs\\readme.txt");
  EXPECT_EQ(launched[0].parameters, "");
  EXPECT_EQ(launched[1].file, "explorer.exe");
  EXPECT_EQ(launched[1].parameters, "/select,\"C:\\downloads\\setup.exe\"");
  EXPECT_EQ(answer.count(), 0);

  tree.SelectItem(tree.InsertItem("stray", 0, 1));  // a line no record shows
  Click(IDC_RESULT_VIEW);
  ASSERT_EQ(answer.count(), 1);
  EXPECT_EQ(answer.boxes()[0].text, "没有发现");
  EXPECT_EQ(answer.boxes()[0].owner, window.hwnd());
  EXPECT_EQ(launched.size(), 2u);
}

// Holds a started scan in its first window step until released, so that the engine is
// busy for as long as the test needs.
class HeldScan : public ScanObserver {
 public:
  explicit HeldScan(CleanEngine& engine) : engine_(engine) {}
  ~HeldScan() override {
    Release();
    engine_.waitForScan();
  }
  void scanStarted(ScanKind) override {
    std::unique_lock<std::mutex> lock(mutex_);
    started_ = true;
    changed_.wait(lock, [this] { return released_; });
  }
  void scanFinished(ScanKind) override {}
  void scanOver(ScanKind) override {}
  bool started() {
    std::lock_guard<std::mutex> lock(mutex_);
    return started_;
  }
  void Release() {
    std::lock_guard<std::mutex> lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }

 private:
  CleanEngine& engine_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool started_ = false;
  bool released_ = false;
};

TEST_F(ResultListTest, CommandsOnlySayThatAScanRunsWhileItRuns) {
  const std::string a = temp.file("a.txt");
  Open();
  HeldScan held(engine);
  engine.setObserver(&held);
  engine.setPacing(false);
  ASSERT_TRUE(engine.startDiskScan());
  ASSERT_TRUE(PumpUntil([&] { return held.started(); }));

  // The worker waits, so filling the list here is safe.
  AddFinding(engine, "temp files", a);
  AddFinding(engine, "temp files", temp.file("b.txt"));
  window.RebuildList();
  tree.SelectItem(Items()[0]);
  SetBox(Items()[1], Unticked);

  MessageBoxAnswerer answer(IDYES);
  for (int id : kButtons) Click(id);
  EXPECT_TRUE(launched.empty());
  ASSERT_EQ(answer.count(), 4);  // no click is dropped without a word
  for (const MessageBoxAnswerer::Box& box : answer.boxes()) EXPECT_EQ(box.text, kScanBusyText);
  EXPECT_TRUE(TempTree::exists(a));
  EXPECT_EQ(Boxes(), (std::vector<CheckState>{Ticked, Unticked}));
  EXPECT_EQ(engine.foundFile(0).toDelete, 1);
  EXPECT_EQ(engine.foundFile(1).toDelete, 1);
  Tick();
  for (int id : kButtons) EXPECT_FALSE(Enabled(id)) << id;

  held.Release();
  engine.waitForScan();
  Click(IDC_RESULT_SELECT_NONE);  // and work again once it has finished
  EXPECT_EQ(Boxes(), (std::vector<CheckState>{Unticked, Unticked}));
}

TEST_F(ResultListTest, StatusLineAndDeletionReportFollowTheTicks) {
  std::string folder = temp.dir("kept.tmp");
  folder.pop_back();  // a folder is no file: deleting it fails
  AddFinding(engine, "temp files", temp.file("a.tmp", 1536), 1, 1536);
  AddFinding(engine, "back files", temp.file("b.bak", 1000), 0, 1000);
  AddFinding(engine, "temp files", folder, 1, 2048);
  Open();
  const auto status = [&] { return WindowText(window.Item(IDC_RESULT_STATUS)); };
  EXPECT_EQ(status(), "共 3 个文件，4.47 KB；已选 2 个，3.50 KB");
  ClickBox(tree, Items()[0]);
  EXPECT_EQ(status(), "共 3 个文件，4.47 KB；已选 1 个，2.00 KB");
  tree.SelectItem(Items()[1]);
  PressKey(tree.hwnd(), VK_SPACE);
  EXPECT_EQ(status(), "共 3 个文件，4.47 KB；已选 2 个，2.97 KB");
  Click(IDC_RESULT_SELECT_NONE);
  EXPECT_EQ(status(), "共 3 个文件，4.47 KB；已选 0 个，0 字节");
  Click(IDC_RESULT_SELECT_ALL);
  EXPECT_EQ(status(), "共 3 个文件，4.47 KB；已选 3 个，4.47 KB");
  MessageBoxAnswerer answer(IDOK);
  answer.QueueAnswers({IDYES, IDOK});
  Click(IDC_RESULT_DELETE);
  ASSERT_EQ(answer.count(), 2);
  EXPECT_EQ(answer.boxes()[1].text, "删除完毕，释放 2.47 KB，有 1 个文件无法删除");
  EXPECT_EQ(status(), "共 1 个文件，2.00 KB；已选 1 个，2.00 KB");
}

}  // namespace
}  // namespace scourix::test
