#pragma once
// How a scan worker reaches the windows. The user interface carries the steps of a
// running scan out on its own thread while the worker waits; the end of a scan it only
// hears of, so that the worker never waits for the user.

namespace scourix {

enum class ScanKind { Disk, Trace };

class ScanObserver {
 public:
  virtual ~ScanObserver() = default;
  // On the thread that starts the scan, after the found-file list was emptied and before
  // the worker runs: bring the result window to the front and show the empty list.
  virtual void scanStarted(ScanKind kind) = 0;
  // After the walk, while the scan still counts as running: rebuild the result list,
  // fill and re-enable the page's controls (nothing while a close stopped the scan).
  virtual void scanFinished(ScanKind kind) = 0;
  // The scan counts as over (scanBusy() is false): the worker's last call, which must
  // return at once. The windows show "扫描完毕" later, on their own thread.
  virtual void scanOver(ScanKind kind) = 0;
};

}  // namespace scourix
