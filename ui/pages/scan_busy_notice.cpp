#include "ui/pages/scan_busy_notice.h"

#include "engine/clean_engine.h"

namespace scourix {

bool CanStartScan(const CleanEngine& engine) { return !engine.scanBusy(); }

void ShowScanBusyNotice(HWND page) {
  HWND owner = page != nullptr ? GetAncestor(page, GA_ROOT) : nullptr;
  MessageBoxA(owner, kScanBusyText, kScanBusyCaption, MB_OK | MB_ICONINFORMATION);
}

}  // namespace scourix
