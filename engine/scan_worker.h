#pragma once
// The scan worker: one scan at a time (in this process, and among all of the program's
// processes through the platform's scan lock), on a thread of its own or on the caller's,
// through the same steps the windows follow (see ScanObserver).
#include <atomic>
#include <functional>
#include <thread>

#include "engine/findings.h"
#include "engine/scan_observer.h"
#include "engine/scan_progress.h"

namespace scourix {

class ScanWorker {
 public:
  // `prepare` readies the parts for a scan of a kind, on the starting thread; `walk` is the
  // scan itself, on the worker's.
  using Step = std::function<void(ScanKind)>;
  ScanWorker(Platform& platform, Findings& findings, ScanProgress& progress, Pacer& pacer, Step prepare,
             Step walk);
  // The owner stops and waits for the worker before the parts it uses go (see stopAndWait).
  ~ScanWorker() { stopAndWait(); }
  ScanWorker(const ScanWorker&) = delete;
  ScanWorker& operator=(const ScanWorker&) = delete;

  // The windows' side of the protocol; nullptr: no main window.
  void setObserver(ScanObserver* observer) { observer_ = observer; }

  // Starts a worker and returns at once; false (and nothing changes) while a scan runs,
  // here or in another of the program's processes (the lock is held until the worker ends).
  bool start(ScanKind kind);
  // A whole scan on the calling thread (tests, the command line, the unattended clean),
  // which leaves the platform's scan lock to its caller. Does nothing while a scan runs.
  void run(ScanKind kind);
  // True from a successful start until the worker has finished its walk and the windows
  // their steps on the final list (before they show "扫描完毕").
  bool busy() const { return busy_.load(); }
  // Asks a running walk to end early (the main window closes); the end steps that only
  // update windows are skipped.
  void requestStop() {
    closing_ = true;
    stop_ = true;
  }
  bool stopRequested() const { return closing_.load(); }
  // Ends a running walk early at the user's wish: the scan ends as usual with what it
  // found so far, each finding of a walk it cut short locked.
  void stopEarly() { stop_ = true; }
  // The last scan's walk was asked to end early.
  bool stoppedEarly() const { return stop_.load(); }
  // What the walks watch to end early.
  const std::atomic<bool>& stopFlag() const { return stop_; }
  // Waits for the worker of the last scan to end.
  void wait();
  void stopAndWait() {
    requestStop();
    wait();
  }

 private:
  bool claim();
  void prepare(ScanKind kind);
  void walk(ScanKind kind);
  void end(ScanKind kind);

  Platform& platform_;
  Findings& findings_;
  ScanProgress& progress_;
  Pacer& pacer_;
  Step prepare_;
  Step walk_;
  ScanObserver* observer_ = nullptr;
  std::atomic<bool> busy_{false};
  std::atomic<bool> stop_{false};
  std::atomic<bool> closing_{false};
  std::thread thread_;
};

}  // namespace scourix
