#pragma once
// What a running scan shows the windows (its counter, the path it examined last, which
// kind runs), and the pace it keeps. The worker writes; the windows read at any time.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "engine/scan_observer.h"
#include "platform/platform.h"

namespace scourix {

constexpr std::int32_t kDiskProgressMax = 200000;
constexpr std::int32_t kTraceProgressMax = 15000;

class ScanProgress {
 public:
  std::int32_t position() const { return position_.load(); }
  std::int32_t maximum() const { return maximum_.load(); }
  // From just after the windows heard of the start until the walk is over.
  bool running(ScanKind kind) const { return (kind == ScanKind::Disk ? diskRunning_ : traceRunning_).load(); }
  // A consistent copy of the path the running scan examined last.
  std::string currentPath() const;
  // Files the scans examined (classified or met by a trace walk), uncapped, since the
  // engine was made.
  std::int64_t filesExamined() const { return filesExamined_.load(); }

  // ---- The worker's side ----
  void restart(ScanKind kind);
  void setRunning(ScanKind kind, bool running);
  // One step further, up to the maximum.
  void step();
  void complete() { position_ = maximum_.load(); }
  void examined(std::string_view path);

 private:
  std::atomic<std::int32_t> position_{0};
  std::atomic<std::int32_t> maximum_{12};
  std::atomic<bool> diskRunning_{false};
  std::atomic<bool> traceRunning_{false};
  std::atomic<std::int64_t> filesExamined_{0};
  mutable std::mutex pathMutex_;
  std::string currentPath_;
};

// The mandated pauses of a scan: a short sleep every so many steps, so that a scan leaves
// the disk and processor to others. The worker's alone.
class Pacer {
 public:
  explicit Pacer(Platform& platform) : platform_(platform) {}
  // Off: none of the sleeps (the command line's --no-pace); they are still counted.
  void setPacing(bool on) { pacing_ = on; }
  void restart() { counter_ = 0; }
  void step();
  void sleep(int milliseconds);
  // Total of the mandated sleeps so far, in milliseconds (slept or, without pacing, skipped).
  std::int64_t mandatedSleepMs() const { return mandatedSleepMs_.load(); }

 private:
  Platform& platform_;
  bool pacing_ = true;
  std::int32_t counter_ = 0;
  std::atomic<std::int64_t> mandatedSleepMs_{0};
};

}  // namespace scourix
