// The result list window run in-process: its lines, boxes, buttons, deletion, the "查看"
// command and how it keeps still while a scan runs.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "tests/core/fake_platform.h"
#include "tests/core/temp_tree.h"
#include "tests/ui/ui_test_support.h"
#include "ui/pages/scan_busy_notice.h"
#include "ui/result_list_dialog.h"
#include "ui/result_list_text.h"

namespace scourix::test {
namespace {

using Boxes = std::vector<CheckState>;
constexpr int kButtons[] = {IDC_RESULT_VIEW, IDC_RESULT_DELETE, IDC_RESULT_SELECT_ALL, IDC_RESULT_SELECT_NONE};

class ResultListTest : public ::testing::Test {
 protected:
  ResultListTest() {
    window.SetShellLauncher([this](const ShellOpen& request) {
      launched.push_back(request.file + " " + request.parameters);
      return shellStarts;
    });
  }
  void Open() {
    ASSERT_TRUE(window.Create(nullptr));
    tree.Attach(window.Item(IDC_RESULT_TREE));
  }
  void Add(const std::string& category, const std::string& path, int toDelete = 1, std::uint64_t size = 0, int locked = 0) {
    WalkedFile walked;
    walked.size = size;
    walked.name = path.substr(path.find_last_of('\\') + 1);
    walked.path = path;
    walked.exact = platform.exactPathOf(path);
    FileFacts facts;  // a real file is the one the walk would have listed
    if (platform.lookUpFile(walked.exact, facts) == FileLookup::Found) std::tie(walked.fileId, walked.lastWrite) = std::tie(facts.fileId, facts.lastWrite);
    FoundFile file(walked, category);
    file.toDelete = toDelete;
    file.isProtected = locked;
    engine.findings().add(file);
  }
  std::vector<HTREEITEM> Items() const { return ItemsBelow(tree, TVI_ROOT); }
  // The boxes are read after a paint: a check-box tree lacking its state images resets them then.
  Boxes BoxesShown() const {
    PaintNow(window.hwnd());
    Boxes boxes;
    for (HTREEITEM item : Items()) boxes.push_back(BoxOf(tree, item));
    return boxes;
  }
  void Tick() { SendMessageA(window.hwnd(), WM_TIMER, 1, 0); }
  std::string Enabled() const {
    std::string out;
    for (int id : kButtons) out += std::to_string(IsWindowEnabled(window.Item(id)));
    return out;
  }
  void Click(int id) { ClickButton(window.hwnd(), id); }
  std::string Status() const { return WindowText(window.Item(IDC_RESULT_STATUS)); }

  TempTree temp;
  FakePlatform platform;
  CleanEngine engine{platform};
  ResultListDialog window{engine};
  TreeView tree;  // a second view of the window's tree
  std::vector<std::string> launched;
  bool shellStarts = true;
};

TEST_F(ResultListTest, RebuildTimerSelectionAndDeletion) {
  const std::string a = temp.file("a.tmp", 1536);
  const std::string b = temp.file("b.bak");
  std::string folder = temp.dir("stays.tmp");
  folder.pop_back();  // a folder is no file: deleting it fails
  Add("temp files", "C:\\init.tmp", 0);
  Open();
  EXPECT_EQ(window.GetText(), "结果列表[总数1]");  // lines made at initialisation keep their boxes
  EXPECT_EQ(BoxesShown(), Boxes{Unticked});
  const auto fill = [&](bool unlisted) {
    engine.findings().clear();
    window.RebuildList();
    Tick();
    EXPECT_EQ(Enabled(), "0000");  // an empty list greys every button
    Add("temp files", a, 1, 1536);
    Add("back files", b, 0, 1000, 1);
    Add("my rules(.pcf)", folder, 1, 2048);
    window.RebuildList();
    if (unlisted) Add("temp files", "C:\\unlisted.tmp");
  };
  fill(true);
  EXPECT_EQ(window.GetText(), "结果列表[总数3]");
  EXPECT_EQ(TextsBelow(tree, TVI_ROOT),
            (std::vector<std::string>{"[temp files]" + a + "  1.50 KB", "[back files]" + b + "  1000 字节",
                                      "[my rules(.pcf)]" + folder + "  2.00 KB"}));
  EXPECT_EQ(BoxesShown(), (Boxes{Ticked, Unticked, Ticked}));
  EXPECT_EQ(Status(), "共 3 个文件，4.47 KB；已选 2 个，3.50 KB");
  Tick();  // view only with a selected line
  EXPECT_EQ(Enabled(), "0111");
  tree.SelectItem(Items()[1]);
  Tick();
  EXPECT_EQ(Enabled(), "1111");
  Click(IDC_RESULT_SELECT_NONE);  // select all and none set the listed records only
  EXPECT_EQ(BoxesShown(), (Boxes{Unticked, Unticked, Unticked}));
  EXPECT_EQ(engine.findings().at(0).toDelete + engine.findings().at(2).toDelete + engine.findings().at(3).toDelete, 1);
  EXPECT_EQ(Status(), "共 3 个文件，4.47 KB；已选 0 个，0 字节");
  Click(IDC_RESULT_SELECT_ALL);  // but the locked line: the user ticks that one alone
  EXPECT_EQ(BoxesShown(), (Boxes{Ticked, Unticked, Ticked}));
  EXPECT_EQ(engine.findings().at(1).toDelete, 0);
  ClickBox(tree, Items()[0]);  // the status line follows the mouse and the space bar
  EXPECT_EQ(Status(), "共 3 个文件，4.47 KB；已选 1 个，2.00 KB");
  PressKey(tree.hwnd(), VK_SPACE);
  EXPECT_EQ(Status(), "共 3 个文件，4.47 KB；已选 2 个，2.97 KB");
  EXPECT_EQ(engine.findings().at(1).toDelete, 1);

  fill(false);
  MessageBoxAnswerer answer(IDOK);
  answer.QueueAnswers({IDNO, IDYES, IDOK});  // No changes nothing
  Click(IDC_RESULT_DELETE);
  EXPECT_TRUE(TempTree::exists(a));
  EXPECT_EQ(engine.findings().count(), 3);
  Click(IDC_RESULT_DELETE);  // Yes deletes the ticked files; the undeletable one stays
  ASSERT_EQ(answer.count(), 3);
  EXPECT_EQ(answer.boxes()[0].caption + "|" + answer.boxes()[0].text,
            "提示|确实要删除么?\n\n已选 2 个文件，共 3.50 KB，将彻底删除，无法还原。");
  EXPECT_EQ(answer.boxes()[2].text, "删除完毕，释放 1.50 KB，有 1 个文件无法删除");
  EXPECT_EQ(answer.boxes()[2].owner, window.hwnd());
  EXPECT_FALSE(TempTree::exists(a));
  EXPECT_TRUE(TempTree::exists(b));
  EXPECT_EQ(TextsBelow(tree, TVI_ROOT), std::vector<std::string>{"[my rules(.pcf)]" + folder + "  2.00 KB"});
  EXPECT_EQ(BoxesShown(), Boxes{Ticked});
  EXPECT_EQ(window.GetText(), "结果列表[总数1]");
  EXPECT_EQ(Status(), "共 1 个文件，2.00 KB；已选 1 个，2.00 KB");
}

TEST_F(ResultListTest, PausesAfterTheFirstLineAndEveryTwoHundredth) {
  for (int i = 0; i < 401; ++i) Add("temp files", "C:\\f" + std::to_string(i) + ".tmp");
  Open();
  EXPECT_EQ(platform.sleeps, (std::vector<int>{10, 10, 10}));  // lines 0, 200 and 400
}

// "查看" and the line menu's "打开所在文件夹" hand the shell plain paths only; "复制路径" copies the path.
TEST_F(ResultListTest, ViewAndTheLineMenuNeverRunAFileNorHandTheShellANearName) {
  Open();
  Add("temp files", "C:\\docs\\readme.txt");
  Add("my rules(.exe)", "C:\\downloads\\setup.exe");
  WalkedFile odd;  // the shell would open "report"
  odd.exact = ExactPath(L"\\\\?\\C:\\docs\\report ");
  engine.findings().add(odd, "temp files");
  window.RebuildList();
  MessageBoxAnswerer answer(IDOK);
  int command = ID_RESULT_OPEN_FOLDER;
  window.SetMenuChooser([&](HMENU, POINT) { return command; });
  const auto rightClick = [&](HTREEITEM item) {  // the tree selects the line and asks for its menu
    RECT line{};
    tree.GetItemRect(item, line, true);
    POINT point{line.left + 2, (line.top + line.bottom) / 2};
    ClientToScreen(tree.hwnd(), &point);
    SendMessageA(tree.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree.hwnd()), MAKELPARAM(point.x, point.y));
  };
  Click(IDC_RESULT_VIEW);  // nothing selected
  tree.SelectItem(Items()[0]);
  EXPECT_EQ(SendNotify(tree.hwnd(), NM_DBLCLK), 0);  // a double click opens nothing
  Click(IDC_RESULT_VIEW);
  tree.SelectItem(Items()[1]);
  Click(IDC_RESULT_VIEW);
  rightClick(Items()[0]);
  rightClick(Items()[2]);
  tree.SelectItem(Items()[2]);
  Click(IDC_RESULT_VIEW);
  command = ID_RESULT_COPY_PATH;
  rightClick(Items()[1]);
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE copied = GetClipboardData(CF_UNICODETEXT);
  EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(GlobalLock(copied))), L"C:\\downloads\\setup.exe");
  GlobalUnlock(copied);
  CloseClipboard();
  tree.SelectItem(tree.InsertItem("stray", 0, 1));  // a line no record shows
  Click(IDC_RESULT_VIEW);
  EXPECT_EQ(launched, (std::vector<std::string>{"C:\\docs\\readme.txt ",
                                                "explorer.exe /select,\"C:\\downloads\\setup.exe\"",
                                                "explorer.exe /select,\"C:\\docs\\readme.txt\""}));
  ASSERT_EQ(answer.count(), 3);
  EXPECT_EQ(answer.boxes()[0].text + answer.boxes()[1].text, std::string(kShellRefusedText) + kShellRefusedText);
  EXPECT_EQ(answer.boxes()[2].text, "没有发现");
}

// A ticked file of an old Windows installation is never deleted here: the user is offered
// Windows' Disk Cleanup on its drive, and told when the shell cannot start it.
TEST_F(ResultListTest, FilesLeftToTheSystemsCleanupAreOfferedToDiskCleanup) {
  const std::string a = temp.file("a.tmp", 1536);
  Add("temp files", a, 1, 1536);
  WalkedFile walked;
  walked.path = "D:\\Windows.old\\a.dll";
  walked.name = "a.dll";
  walked.exact = platform.exactPathOf(walked.path);
  FoundFile old(walked, "旧的 Windows 安装");
  old.isProtected = old.toDelete = 1;
  old.systemCleanupOnly = true;
  engine.findings().add(old);
  Open();
  MessageBoxAnswerer answer(IDOK);
  answer.QueueAnswers({IDYES, IDYES, IDYES, IDYES, IDOK});
  Click(IDC_RESULT_DELETE);
  EXPECT_FALSE(TempTree::exists(a));
  EXPECT_EQ(TextsBelow(tree, TVI_ROOT), std::vector<std::string>{"[旧的 Windows 安装]D:\\Windows.old\\a.dll  0 字节"});
  shellStarts = false;
  Click(IDC_RESULT_DELETE);
  tree.SelectItem(Items()[0]);
  Click(IDC_RESULT_VIEW);
  EXPECT_EQ(launched, (std::vector<std::string>{"cleanmgr.exe /d D:", "cleanmgr.exe /d D:", "D:\\Windows.old\\a.dll "}));
  ASSERT_EQ(answer.count(), 6);
  EXPECT_EQ(answer.boxes()[0].text, "确实要删除么?\n\n已选 1 个文件，共 1.50 KB，将彻底删除，无法还原。\n"
                                    "另有 1 个文件须由 Windows 的磁盘清理删除。");
  EXPECT_EQ(answer.boxes()[1].text, "删除完毕，释放 1.50 KB，1 个文件须由 Windows 的磁盘清理删除。\n\n是否打开 Windows 的磁盘清理？");
  EXPECT_EQ(answer.boxes()[4].text, "无法打开 Windows 的磁盘清理。");
  EXPECT_EQ(answer.boxes()[5].text, "无法打开：D:\\Windows.old\\a.dll");
}

// The main window stays usable while "确实要删除么?" is open: a scan that ran to its end
// meanwhile listed files the user never saw, so the answer deletes nothing.
TEST_F(ResultListTest, AListChangedWhileTheQuestionWasOpenLosesNothing) {
  const std::string seen = temp.file("seen.tmp"), unseen = temp.file("unseen.tmp");
  Add("temp files", seen);
  Open();
  MessageBoxAnswerer answer(IDOK);
  answer.QueueAnswers({IDYES});
  answer.onOpen = [&](HWND) {
    if (answer.count() != 1) return;
    engine.findings().clear();
    Add("temp files", unseen);
  };
  Click(IDC_RESULT_DELETE);
  EXPECT_TRUE(TempTree::exists(seen) && TempTree::exists(unseen));
  ASSERT_EQ(answer.count(), 2);
  EXPECT_EQ(answer.boxes()[1].text, kListChangedText);
  EXPECT_EQ(TextsBelow(tree, TVI_ROOT), std::vector<std::string>{"[temp files]" + unseen + "  0 字节"});
}

TEST_F(ResultListTest, CommandsOnlySayThatAScanRunsWhileItRuns) {
  const std::string drive = memoryRoot(platform);
  ListingGate gate(drive);
  platform.listingHook = [&](const std::string& dir) { return gate.Hold(dir); };
  engine.choices().drives.emplace_back();
  engine.choices().drives.back().root = drive;
  engine.setPacing(false);
  Open();
  ASSERT_TRUE(engine.startDiskScan());
  ASSERT_TRUE(PumpUntil([&] { return gate.reached(); }));
  Add("temp files", temp.file("a.txt"));  // the worker waits, so filling the list here is safe
  Add("temp files", temp.file("b.txt"));
  window.RebuildList();
  tree.SelectItem(Items()[0]);
  MessageBoxAnswerer answer(IDYES);
  for (int id : kButtons) Click(id);
  EXPECT_TRUE(launched.empty());
  ASSERT_EQ(answer.count(), 4);  // no click is dropped without a word
  for (const MessageBoxAnswerer::Box& box : answer.boxes()) EXPECT_EQ(box.text, kScanBusyText);
  EXPECT_EQ(BoxesShown(), (Boxes{Ticked, Ticked}));
  Tick();
  EXPECT_EQ(Enabled(), "0000");
  gate.Open();
  engine.waitForScan();
  Click(IDC_RESULT_SELECT_NONE);  // and work again once it has finished
  EXPECT_EQ(BoxesShown(), (Boxes{Unticked, Unticked}));
}

}  // namespace
}  // namespace scourix::test
