// The result list at scale, driven in-process on the real windows under Wine: the main
// window scans one drive (the others unticked), then the result window's 全不选, 全选 and
// 删除 of every line run. Each step is timed from its click to the box or state it ends
// with. Prints "scan S", "select-none S", "select-all S", "delete S" and "findings N".
// usage: ui_bench DRIVE-ROOT CONFIG-FILE
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "engine/clean_engine.h"
#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/ui_thread.h"
#include "ui/main_dialog.h"

namespace {

using scourix::test::ClickButton;
using scourix::test::MessageBoxAnswerer;
using scourix::test::PumpUntil;
using Clock = std::chrono::steady_clock;

constexpr int kForever = 100000000;

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Leaves only `root` ticked on the disk page, as the start button reads the boxes.
bool TickOnly(HWND page, const std::string& root) {
  ClickButton(page, IDC_DISK_SELECT_NONE);
  scourix::TreeView drives;
  drives.Attach(GetDlgItem(page, IDC_DISK_TREE));
  for (HTREEITEM item = drives.GetChild(drives.GetRoot()); item != nullptr; item = drives.GetNextSibling(item)) {
    if (drives.GetItemText(item) != root) continue;
    return drives.SetItemState(item, INDEXTOSTATEIMAGEMASK(scourix::Ticked), TVIS_STATEIMAGEMASK);
  }
  return false;
}

bool LastBoxIs(const MessageBoxAnswerer& answer, int count, const std::string& prefix) {
  return answer.count() >= count && answer.boxes()[count - 1].text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: ui_bench DRIVE-ROOT CONFIG-FILE\n", stderr);
    return 2;
  }
  const std::string root = argv[1];
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  scourix::UiThread uiThread;
  scourix::CleanEngine engine(scourix::systemPlatform());
  scourix::test::Scripted<scourix::MainDialog> main(engine, argv[2]);
  int status = 1;
  main.script = [&] {
    MessageBoxAnswerer answer(IDOK);
    HWND page = main.diskPage().hwnd();
    if (!TickOnly(page, root)) {
      std::fprintf(stderr, "ui_bench: the disk page does not show %s\n", root.c_str());
      return;
    }
    auto start = Clock::now();
    ClickButton(page, IDC_DISK_START);
    if (!PumpUntil([&] { return LastBoxIs(answer, 1, "扫描完毕"); }, kForever)) return;
    std::printf("scan %.3f\n", Since(start));
    engine.waitForScan();

    HWND result = main.resultWindow().hwnd();
    start = Clock::now();
    ClickButton(result, IDC_RESULT_SELECT_NONE);
    std::printf("select-none %.3f\n", Since(start));
    start = Clock::now();
    ClickButton(result, IDC_RESULT_SELECT_ALL);
    std::printf("select-all %.3f\n", Since(start));

    const int findings = engine.findings().count();
    answer.QueueAnswers({IDYES, IDOK});
    start = Clock::now();
    ClickButton(result, IDC_RESULT_DELETE);
    if (!PumpUntil([&] { return LastBoxIs(answer, 3, "删除完毕"); }, kForever)) return;
    std::printf("delete %.3f\n", Since(start));
    std::printf("findings %d\n", findings);
    std::printf("report %s\n", answer.boxes()[2].text.c_str());
    status = engine.findings().count() == 0 ? 0 : 1;
  };
  main.SetEffectDelay(0);
  main.DoModal();
  return status;
}
