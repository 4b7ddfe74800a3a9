#pragma once
// How a scan worker reaches the windows. The user interface implements it and carries
// each step out on its own thread while the worker waits.

namespace scourix {

enum class ScanKind { Disk, Trace };

class ScanObserver {
 public:
  virtual ~ScanObserver() = default;
  // After the found-file list was emptied: bring the result window to the front and
  // show the empty list.
  virtual void scanStarted(ScanKind kind) = 0;
  // After the walk: rebuild the result list, fill and re-enable the page's controls,
  // show the modal "扫描完毕" box and wait for it, reset the progress and path.
  virtual void scanFinished(ScanKind kind) = 0;
};

}  // namespace scourix
