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
#include "tests/ui/shown_boxes.h"
#include "tests/ui/ui_test_support.h"
#include "ui/result_list_dialog.h"

namespace scourix::test {
namespace {

void AddFinding(CleanEngine& engine, const std::string& category, const std::string& path, int toDelete = 1) {
  FoundFile file;
  file.name = path.substr(path.find_last_of('\\') + 1);
  file.path = path;
  file.category = category;
  file.toDelete = toDelete;
  engine.addFoundFile(file);
}

// The tree's boxes are read after a paint: a check-box tree that lacks its state images
// would reset them then.
void PaintNow(HWND hwnd) { RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN); }

CheckState StateOf(const TreeView& tree, HTREEITEM item) {
  return static_cast<CheckState>((tree.GetItemState(item, TVIS_STATEIMAGEMASK) & TVIS_STATEIMAGEMASK) >> 12);
}

struct Line {
  std::string text;
  CheckState state;
};

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
    PaintNow(window.hwnd());
  }

  std::vector<HTREEITEM> Items() const {
    std::vector<HTREEITEM> items;
    for (HTREEITEM item = tree.GetRoot(); item != nullptr; item = tree.GetNextSibling(item)) items.push_back(item);
    return items;
  }

  std::vector<Line> Lines() const {
    PaintNow(window.hwnd());
    std::vector<Line> lines;
    for (HTREEITEM item : Items()) lines.push_back({tree.GetItemText(item), StateOf(tree, item)});
    return lines;
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

// ---- Set-up and the lines ----

TEST_F(ResultListTest, StartsEmptyWithTheCountZeroAndItsTimerAndImages) {
  Open();
  EXPECT_EQ(window.GetText(), "结果列表[总数0]");
  EXPECT_EQ(tree.GetCount(), 0);
  int width = 0;
  int height = 0;
  ASSERT_NE(tree.GetImageList(TVSIL_STATE), nullptr);
  ImageList_GetIconSize(tree.GetImageList(TVSIL_STATE), &width, &height);
  EXPECT_EQ(width, 13);
  EXPECT_EQ(ImageList_GetImageCount(tree.GetImageList(TVSIL_STATE)), 4);
  ASSERT_NE(tree.GetImageList(TVSIL_NORMAL), nullptr);
  ImageList_GetIconSize(tree.GetImageList(TVSIL_NORMAL), &width, &height);
  EXPECT_EQ(width, 16);
  EXPECT_EQ(ImageList_GetImageCount(tree.GetImageList(TVSIL_NORMAL)), 2);
  EXPECT_NE(KillTimer(window.hwnd(), 1), FALSE);  // timer 1 was running
}

TEST_F(ResultListTest, RebuildShowsEveryRecordInListOrderWithItsBox) {
  Open();
  AddFinding(engine, "temp files", "C:\\a\\one.tmp");
  AddFinding(engine, "back files", "C:\\b\\two.bak", 0);
  AddFinding(engine, "my rules(.pcf)", "C:\\c\\文件.pcf");
  window.RebuildList();

  EXPECT_EQ(window.GetText(), "结果列表[总数3]");
  const std::vector<Line> lines = Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, "[temp files]C:\\a\\one.tmp");
  EXPECT_EQ(lines[1].text, "[back files]C:\\b\\two.bak");
  EXPECT_EQ(lines[2].text, "[my rules(.pcf)]C:\\c\\文件.pcf");
  EXPECT_EQ(lines[0].state, Ticked);
  EXPECT_EQ(lines[1].state, Unticked);
  EXPECT_EQ(lines[2].state, Ticked);

  // Each record knows its line; the lines have the folder images.
  const std::vector<HTREEITEM> items = Items();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(engine.foundFile(i).treeItem, reinterpret_cast<TreeItemHandle>(items[i]));
    TVITEMA item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = items[i];
    tree.Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, 0);
    EXPECT_EQ(item.iSelectedImage, 1);
  }
}

TEST_F(ResultListTest, LinesMadeAtInitialisationKeepTheirBoxesWhenPainted) {
  AddFinding(engine, "temp files", "C:\\a.tmp", 0);
  AddFinding(engine, "temp files", "C:\\b.tmp");
  Open();
  const std::vector<Line> lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].state, Unticked);
  EXPECT_EQ(lines[1].state, Ticked);
  EXPECT_EQ(window.GetText(), "结果列表[总数2]");
}

TEST_F(ResultListTest, RebuildReplacesTheOldLines) {
  Open();
  AddFinding(engine, "temp files", "C:\\old.tmp");
  window.RebuildList();
  engine.clearFoundFiles();
  AddFinding(engine, "log.txt temp files", "C:\\new\\log.txt");
  window.RebuildList();
  const std::vector<Line> lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, "[log.txt temp files]C:\\new\\log.txt");
  EXPECT_EQ(window.GetText(), "结果列表[总数1]");
}

TEST(ResultListFill, PausesAfterTheFirstLineAndEveryTwoHundredth) {
  FakePlatform platform;
  CleanEngine engine(platform);
  for (int i = 0; i < 401; ++i) AddFinding(engine, "temp files", "C:\\f" + std::to_string(i) + ".tmp");
  ResultListDialog window(engine);
  ASSERT_TRUE(window.Create(nullptr));
  EXPECT_EQ(platform.sleeps, (std::vector<int>{10, 10, 10}));  // lines 0, 200 and 400
  EXPECT_EQ(window.GetText(), "结果列表[总数401]");
  EXPECT_EQ(engine.pathForTreeItem(engine.foundFile(400).treeItem), "C:\\f400.tmp");
}

// ---- The buttons ----

TEST_F(ResultListTest, TheTimerGreysEveryButtonWhileTheListIsEmpty) {
  Open();
  Tick();
  for (int id : {IDC_RESULT_VIEW, IDC_RESULT_DELETE, IDC_RESULT_SELECT_ALL, IDC_RESULT_SELECT_NONE}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
}

TEST_F(ResultListTest, TheTimerEnablesViewOnlyWithASelectedLine) {
  Open();
  AddFinding(engine, "temp files", "C:\\a.tmp");
  AddFinding(engine, "temp files", "C:\\b.tmp");
  window.RebuildList();
  Tick();
  EXPECT_FALSE(Enabled(IDC_RESULT_VIEW));
  EXPECT_TRUE(Enabled(IDC_RESULT_DELETE));
  EXPECT_TRUE(Enabled(IDC_RESULT_SELECT_ALL));
  EXPECT_TRUE(Enabled(IDC_RESULT_SELECT_NONE));
  tree.SelectItem(Items()[1]);
  Tick();
  EXPECT_TRUE(Enabled(IDC_RESULT_VIEW));
}

TEST_F(ResultListTest, SelectAllAndNoneSetTheBoxesAndTheFlagsOfListedRecords) {
  Open();
  AddFinding(engine, "temp files", "C:\\a.tmp");
  AddFinding(engine, "temp files", "C:\\b.tmp", 0);
  AddFinding(engine, "temp files", "C:\\c.tmp");
  window.RebuildList();
  SetBox(Items()[0], Unticked);
  AddFinding(engine, "temp files", "C:\\unlisted.tmp");  // no line yet

  Click(IDC_RESULT_SELECT_ALL);
  for (const Line& line : Lines()) EXPECT_EQ(line.state, Ticked);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(engine.foundFile(i).toDelete, 1);

  Click(IDC_RESULT_SELECT_NONE);
  for (const Line& line : Lines()) EXPECT_EQ(line.state, Unticked);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(engine.foundFile(i).toDelete, 0);
  EXPECT_EQ(engine.foundFile(3).toDelete, 1);  // a record without a line is left alone
}

// ---- Deleting ----

TEST_F(ResultListTest, DeleteRemovesOnlyTheTickedFilesAndEmptiesTheList) {
  const std::string a = temp.file("a.tmp");
  const std::string b = temp.file("b.bak");
  const std::string c = temp.file("c.log");
  Open();
  AddFinding(engine, "temp files", a);
  AddFinding(engine, "back files", b);
  AddFinding(engine, "system log files", c);
  window.RebuildList();
  SetBox(Items()[1], Unticked);

  MessageBoxAnswerer answer(IDOK);
  answer.QueueAnswers({IDYES, IDOK});
  Click(IDC_RESULT_DELETE);

  ASSERT_EQ(ShownBoxes(answer).size(), 2u);
  EXPECT_EQ(ShownBoxes(answer)[0].text, "确实要删除么?");
  EXPECT_EQ(ShownBoxes(answer)[0].caption, "提示");
  EXPECT_EQ(ShownBoxes(answer)[0].owner, window.hwnd());
  EXPECT_EQ(ShownBoxes(answer)[1].text, "删除完毕");
  EXPECT_EQ(ShownBoxes(answer)[1].caption, "提示");
  EXPECT_EQ(ShownBoxes(answer)[1].owner, window.hwnd());
  EXPECT_FALSE(TempTree::exists(a));
  EXPECT_TRUE(TempTree::exists(b));
  EXPECT_FALSE(TempTree::exists(c));
  EXPECT_EQ(engine.foundCount(), 0);
  EXPECT_EQ(tree.GetCount(), 0);
  EXPECT_EQ(window.GetText(), "结果列表[总数0]");
}

TEST_F(ResultListTest, AnsweringNoChangesNothingNotEvenTheFlags) {
  const std::string a = temp.file("a.tmp");
  const std::string b = temp.file("b.tmp");
  Open();
  AddFinding(engine, "temp files", a);
  AddFinding(engine, "temp files", b);
  window.RebuildList();
  SetBox(Items()[1], Unticked);

  MessageBoxAnswerer answer(IDNO);
  Click(IDC_RESULT_DELETE);

  EXPECT_EQ(ShownBoxes(answer).size(), 1u);
  EXPECT_TRUE(TempTree::exists(a));
  EXPECT_TRUE(TempTree::exists(b));
  EXPECT_EQ(engine.foundCount(), 2);
  EXPECT_EQ(engine.foundFile(1).toDelete, 1);  // the box was not read
  const std::vector<Line> lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].state, Ticked);
  EXPECT_EQ(lines[1].state, Unticked);
  EXPECT_EQ(window.GetText(), "结果列表[总数2]");
}

TEST_F(ResultListTest, AFileThatCannotBeDeletedStaysListedTickedAndIsCounted) {
  const std::string gone = temp.file("gone.tmp");
  std::string folder = temp.dir("stays.tmp");
  folder.pop_back();  // a folder is no file: deleting it fails
  Open();
  AddFinding(engine, "temp files", gone);
  AddFinding(engine, "temp files", folder);
  window.RebuildList();

  MessageBoxAnswerer answer(IDOK);
  answer.QueueAnswers({IDYES, IDOK});
  Click(IDC_RESULT_DELETE);

  ASSERT_EQ(ShownBoxes(answer).size(), 2u);
  EXPECT_EQ(ShownBoxes(answer)[1].text, "删除完毕，有 1 个文件无法删除");
  EXPECT_FALSE(TempTree::exists(gone));
  ASSERT_EQ(engine.foundCount(), 1);
  EXPECT_EQ(engine.foundFile(0).path, folder);
  const std::vector<Line> lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, "[temp files]" + folder);
  EXPECT_EQ(lines[0].state, Ticked);
  EXPECT_EQ(window.GetText(), "结果列表[总数1]");
}

TEST(ResultListRecycleBin, TheFirstDeletionAfterATraceScanEmptiesTheBinOnce) {
  TempTree temp;
  FakePlatform platform;
  CleanEngine engine(platform);
  ResultListDialog window(engine);
  ASSERT_TRUE(window.Create(nullptr));
  MessageBoxAnswerer answer(IDOK);

  engine.recycleBinPending = 1;
  AddFinding(engine, "temp files", temp.file("one.tmp"));
  window.RebuildList();
  answer.QueueAnswers({IDYES, IDOK});
  ClickButton(window.hwnd(), IDC_RESULT_DELETE);
  EXPECT_EQ(platform.recycleBinEmptied, 1);
  EXPECT_EQ(engine.recycleBinPending, 0);

  AddFinding(engine, "temp files", temp.file("two.tmp"));
  window.RebuildList();
  answer.QueueAnswers({IDYES, IDOK});
  ClickButton(window.hwnd(), IDC_RESULT_DELETE);
  EXPECT_EQ(platform.recycleBinEmptied, 1);
  EXPECT_EQ(ShownBoxes(answer).size(), 4u);
}

// ---- Viewing ----

TEST_F(ResultListTest, ViewWithoutASelectedLineDoesNothing) {
  Open();
  AddFinding(engine, "temp files", "C:\\a.txt");
  window.RebuildList();
  MessageBoxAnswerer answer(IDOK);
  Click(IDC_RESULT_VIEW);
  EXPECT_TRUE(launched.empty());
  EXPECT_TRUE(ShownBoxes(answer).empty());
}

TEST_F(ResultListTest, ViewOpensADocumentAndOnlyShowsAProgramInExplorer) {
  Open();
  AddFinding(engine, "temp files", "C:\\docs\\readme.txt");
  AddFinding(engine, "my rules(.exe)", "C:\\downloads\\setup.exe");
  window.RebuildList();

  tree.SelectItem(Items()[0]);
  Click(IDC_RESULT_VIEW);
  tree.SelectItem(Items()[1]);
  Click(IDC_RESULT_VIEW);

  ASSERT_EQ(launched.size(), 2u);
  EXPECT_EQ(launched[0].file, "C:\\docs\\readme.txt");
  EXPECT_EQ(launched[0].parameters, "");
  EXPECT_EQ(launched[1].file, "explorer.exe");
  EXPECT_EQ(launched[1].parameters, "/select,\"C:\\downloads\\setup.exe\"");
}

TEST_F(ResultListTest, ViewOfALineNoRecordShowsSaysNotFound) {
  Open();
  AddFinding(engine, "temp files", "C:\\a.txt");
  window.RebuildList();
  HTREEITEM stray = tree.InsertItem("stray", 0, 1);
  tree.SelectItem(stray);

  MessageBoxAnswerer answer(IDOK);
  Click(IDC_RESULT_VIEW);
  ASSERT_EQ(ShownBoxes(answer).size(), 1u);
  EXPECT_EQ(ShownBoxes(answer)[0].text, "没有发现");
  EXPECT_EQ(ShownBoxes(answer)[0].caption, "提示");
  EXPECT_EQ(ShownBoxes(answer)[0].owner, window.hwnd());
  EXPECT_TRUE(launched.empty());
}

// ---- While a scan runs ----

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
    changed_.notify_all();
    changed_.wait(lock, [this] { return released_; });
  }
  void scanFinished(ScanKind) override {}
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

TEST_F(ResultListTest, CommandsDoNothingWhileAScanRuns) {
  const std::string a = temp.file("a.txt");
  const std::string b = temp.file("b.txt");
  Open();
  HeldScan held(engine);
  engine.setObserver(&held);
  engine.setPacing(false);
  ASSERT_TRUE(engine.startDiskScan());
  ASSERT_TRUE(PumpUntil([&] { return held.started(); }));

  // Lines while the worker owns the list; it waits, so filling them here is safe.
  AddFinding(engine, "temp files", a);
  AddFinding(engine, "temp files", b);
  window.RebuildList();
  tree.SelectItem(Items()[0]);
  SetBox(Items()[1], Unticked);

  MessageBoxAnswerer answer(IDYES);
  Click(IDC_RESULT_VIEW);
  Click(IDC_RESULT_DELETE);
  Click(IDC_RESULT_SELECT_ALL);
  EXPECT_TRUE(launched.empty());
  EXPECT_TRUE(ShownBoxes(answer).empty());
  EXPECT_TRUE(TempTree::exists(a));
  EXPECT_EQ(Lines()[1].state, Unticked);
  Click(IDC_RESULT_SELECT_NONE);
  EXPECT_EQ(Lines()[0].state, Ticked);
  EXPECT_EQ(engine.foundFile(0).toDelete, 1);
  EXPECT_EQ(engine.foundFile(1).toDelete, 1);

  Tick();  // the lines are there, but the buttons go grey
  for (int id : {IDC_RESULT_VIEW, IDC_RESULT_DELETE, IDC_RESULT_SELECT_ALL, IDC_RESULT_SELECT_NONE}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }

  held.Release();
  engine.waitForScan();
  ASSERT_FALSE(engine.scanBusy());
  Click(IDC_RESULT_SELECT_NONE);  // and work again once it has finished
  EXPECT_EQ(Lines()[0].state, Unticked);
}

// ---- The tree and the keyboard ----

TEST_F(ResultListTest, ALabelEditAlwaysReverts) {
  Open();
  AddFinding(engine, "temp files", "C:\\a.tmp");
  window.RebuildList();
  HTREEITEM item = Items()[0];
  SetFocus(tree.hwnd());
  HWND edit = reinterpret_cast<HWND>(tree.Send(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item)));
  ASSERT_NE(edit, nullptr);
  SetWindowTextA(edit, "renamed");
  tree.Send(TVM_ENDEDITLABELNOW, FALSE, 0);
  PumpPending();
  EXPECT_EQ(tree.GetItemText(item), "[temp files]C:\\a.tmp");
}

TEST_F(ResultListTest, ADoubleClickIsAnsweredWithZeroAndOpensNothing) {
  Open();
  AddFinding(engine, "temp files", "C:\\a.txt");
  window.RebuildList();
  tree.SelectItem(Items()[0]);
  EXPECT_EQ(SendNotify(tree.hwnd(), NM_DBLCLK), 0);
  EXPECT_TRUE(launched.empty());
  EXPECT_EQ(Lines()[0].state, Ticked);
}

// Counts the OK and Cancel commands that reach the window.
class CountingResultList : public ResultListDialog {
 public:
  using ResultListDialog::ResultListDialog;
  int ok = 0;
  int cancel = 0;

 protected:
  void OnOK() override { ++ok; }
  void OnCancel() override { ++cancel; }
};

TEST(ResultListKeys, EnterAndEscAreSwallowed) {
  CleanEngine engine(systemPlatform());
  AddFinding(engine, "temp files", "C:\\a.txt");
  CountingResultList window(engine);
  int launches = 0;
  window.SetShellLauncher([&](const ShellOpen&) { ++launches; });
  ASSERT_TRUE(window.Create(nullptr));
  TreeView tree;
  tree.Attach(window.Item(IDC_RESULT_TREE));
  tree.SelectItem(tree.GetRoot());
  for (HWND target : {tree.hwnd(), window.Item(IDC_RESULT_VIEW)}) {
    SetFocus(target);
    PressKey(target, VK_RETURN);
    PressKey(target, VK_ESCAPE);
  }
  EXPECT_EQ(window.ok, 0);
  EXPECT_EQ(window.cancel, 0);
  EXPECT_EQ(launches, 0);
  EXPECT_TRUE(window.IsVisible());
}

}  // namespace
}  // namespace scourix::test
