#include "tests/ui/end_to_end.h"

#include <ostream>

#include "res/resource.h"
#include "tests/ui/ui_test_support.h"

namespace scourix::test {

namespace {
// Long before any test runs: a temp file accessed then is not recent.
const std::int64_t kOldTime = localNoon(2001, 3, 14);
}  // namespace

std::ostream& operator<<(std::ostream& out, const ResultLine& line) {
  return out << '"' << line.text << "\" box " << static_cast<int>(line.box);
}

EndToEnd::EndToEnd() : drive(kLetter, files.root()), configPath(settings.path("data.dsfw")) {}

void EndToEnd::SetUp() {
  if (!drive.ready()) GTEST_SKIP() << "no drive of the test's own: " << drive.problem();
  engine.setPacing(false);
  main.SetEffectDelay(0);
}

void EndToEnd::TearDown() { DeleteFileA(configPath.c_str()); }

void EndToEnd::Run(ScriptedMain& window, const std::function<void()>& script) {
  window.SetEffectDelay(0);
  window.script = script;
  window.DoModal();
}

std::string EndToEnd::DrivePath(const std::string& relative) const {
  std::string path = drive.root();
  for (char c : relative) path += c == '/' ? '\\' : c;
  return path;
}

std::string EndToEnd::MakeFile(const std::string& relative, std::size_t size) {
  const std::string path = files.file(relative, size);
  TempTree::setTimes(path, kOldTime, kOldTime);
  return DrivePath(relative);
}

void EndToEnd::MakeLink(const std::string& relative, const std::string& targetRelative) {
  ASSERT_TRUE(MakeUnixLink(DrivePath(relative), DrivePath(targetRelative))) << relative;
}

bool EndToEnd::OnDisk(const std::string& relative) const {
  return GetFileAttributesA(DrivePath(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void EndToEnd::Press(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  EXPECT_TRUE(IsWindowEnabled(button) && IsWindowVisible(button)) << "button " << id;
  SendMessageA(button, BM_CLICK, 0, 0);
}

void EndToEnd::ScanFrom(HWND page, int startId) {
  Press(page, startId);
  EXPECT_TRUE(PumpUntil([&] { return !engine.scanBusy(); })) << "the scan did not end";
  engine.waitForScan();
  PumpPending();  // "扫描完毕", posted by the worker at its end
}

void EndToEnd::TickOnlyTheTestDrive(ScriptedMain& window) {
  HWND page = window.diskPage().hwnd();
  TreeView drives;
  drives.Attach(GetDlgItem(page, IDC_DISK_TREE));
  Press(page, IDC_DISK_SELECT_NONE);
  HTREEITEM item = FindItem(drives, drives.GetRoot(), drive.root());
  ASSERT_NE(item, nullptr) << "the disk page does not show " << drive.root();
  ClickBox(drives, item);
}

std::vector<ResultLine> EndToEnd::ResultLines(ScriptedMain& window) {
  TreeView lines;
  lines.Attach(window.resultWindow().Item(IDC_RESULT_TREE));
  PaintNow(window.resultWindow().hwnd());
  std::vector<ResultLine> result;
  for (HTREEITEM item : ItemsBelow(lines, TVI_ROOT)) result.push_back({lines.GetItemText(item), BoxOf(lines, item)});
  return result;
}

std::string EndToEnd::ResultCaption(ScriptedMain& window) { return WindowText(window.resultWindow().hwnd()); }

void EndToEnd::UntickLines(ScriptedMain& window, const std::vector<std::string>& texts) {
  TreeView lines;
  lines.Attach(window.resultWindow().Item(IDC_RESULT_TREE));
  for (const std::string& text : texts) {
    HTREEITEM item = FindItem(lines, TVI_ROOT, text);
    ASSERT_NE(item, nullptr) << "no line " << text;
    lines.Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    ClickBox(lines, item);
    EXPECT_EQ(BoxOf(lines, item), Unticked) << text;
  }
}

void EndToEnd::DeleteTicked(ScriptedMain& window, MessageBoxAnswerer& answer) {
  HWND result = window.resultWindow().hwnd();
  // The window enables its buttons on its own timer once it shows lines.
  ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(GetDlgItem(result, IDC_RESULT_DELETE)) != FALSE; }));
  answer.QueueAnswers({IDYES});
  Press(result, IDC_RESULT_DELETE);
}

}  // namespace scourix::test
