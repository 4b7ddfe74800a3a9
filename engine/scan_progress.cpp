#include "engine/scan_progress.h"

namespace scourix {
namespace {

constexpr int kPaceSleepMs = 10;
constexpr std::int32_t kPaceInterval = 200;
constexpr std::int32_t kPaceWrap = 90000000;

}  // namespace

std::string ScanProgress::currentPath() const {
  std::lock_guard<std::mutex> lock(pathMutex_);
  return currentPath_;
}

void ScanProgress::restart(ScanKind kind) {
  position_ = 0;
  maximum_ = kind == ScanKind::Disk ? kDiskProgressMax : kTraceProgressMax;
}

void ScanProgress::setRunning(ScanKind kind, bool running) {
  (kind == ScanKind::Disk ? diskRunning_ : traceRunning_) = running;
}

void ScanProgress::step() {
  // Only the worker writes it, so a plain read and write suffice.
  const std::int32_t position = position_.load(std::memory_order_relaxed);
  if (position < maximum_.load(std::memory_order_relaxed)) position_.store(position + 1, std::memory_order_relaxed);
}

void ScanProgress::examined(std::string_view path) {
  filesExamined_.store(filesExamined_.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
  std::lock_guard<std::mutex> lock(pathMutex_);
  currentPath_.assign(path);
}

void Pacer::step() {
  counter_ = counter_ < kPaceWrap ? counter_ + 1 : 0;
  if (counter_ % kPaceInterval == 0) sleep(kPaceSleepMs);
}

void Pacer::sleep(int milliseconds) {
  mandatedSleepMs_ += milliseconds;
  if (pacing_) platform_.sleepMs(milliseconds);
}

}  // namespace scourix
