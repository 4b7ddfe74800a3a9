#pragma once
// One scan at a time: both kinds fill the same found-file list and share one progress
// counter, so a start while any scan runs is refused with a notice.
#include <windows.h>

namespace scourix {

class CleanEngine;

constexpr char kScanBusyCaption[] = "提示";
constexpr char kScanBusyText[] = "正在扫描，请等待扫描完毕后再开始";

// Whether a scan may start now: no scan of either kind is running.
bool CanStartScan(const CleanEngine& engine);

// Shows the notice, owned by the top-level window of `page`.
void ShowScanBusyNotice(HWND page);

}  // namespace scourix
