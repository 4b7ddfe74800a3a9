#pragma once
// The engine behind both kinds of cleaning, as a facade over its parts: the user's
// choices (choices.h), the found-file list (findings.h), the scan worker
// (scan_worker.h) running the disk scan (disk_scan.h: walker.h, classify.h,
// protection.h) or the trace scan (trace_scan.h), what a running scan shows
// (scan_progress.h), and the deletion (deletion.h).
#include <cstdint>
#include <string>

#include "engine/choices.h"
#include "engine/deletion.h"
#include "engine/disk_scan.h"
#include "engine/findings.h"
#include "engine/scan_observer.h"
#include "engine/scan_progress.h"
#include "engine/scan_worker.h"
#include "engine/trace_scan.h"
#include "platform/platform.h"

namespace scourix {

class CleanEngine {
 public:
  explicit CleanEngine(Platform& platform);
  ~CleanEngine();  // stops a running scan and waits for its worker
  CleanEngine(const CleanEngine&) = delete;
  CleanEngine& operator=(const CleanEngine&) = delete;

  Platform& platform() { return platform_; }

  // The user's choices: the windows change them, a scan reads them.
  Choices& choices() { return choices_; }
  const Choices& choices() const { return choices_; }
  // What the scans found (see Findings for who may change it when).
  Findings& findings() { return findings_; }
  const Findings& findings() const { return findings_; }
  // What a running scan shows.
  const ScanProgress& progress() const { return progress_; }

  // ---- Fixed drives ----
  // The fixed drives C to R: the remembered ones keep their order and selection, gone ones
  // go, new ones come last, selected.
  void enumerateFixedDrives();
  // A remembered drive keeps its selection; it is only marked present.
  void addDrive(const DriveEntry& drive);

  // ---- Scans ----
  void setObserver(ScanObserver* observer) { worker_.setObserver(observer); }
  // Off: none of the mandated sleeps (the command line's --no-pace).
  void setPacing(bool on) { pacer_.setPacing(on); }
  // Off: every finding of a disk scan starts ticked, protected or not.
  void setProtection(bool on) { diskScan_.setProtection(on); }
  // See TraceScan::setProfilesFolder.
  void setProfilesFolder(std::string folder) { traceScan_.setProfilesFolder(std::move(folder)); }
  // The trace scan's catalog: where its entries come from, the system it is resolved for.
  CatalogScan& catalogScan() { return traceScan_.catalog(); }
  std::int64_t mandatedSleepMs() const { return pacer_.mandatedSleepMs(); }

  // See ScanWorker: a scan on a worker thread, or on the calling thread.
  bool startDiskScan() { return worker_.start(ScanKind::Disk); }
  bool startTraceScan() { return worker_.start(ScanKind::Trace); }
  void runDiskScan() { worker_.run(ScanKind::Disk); }
  void runTraceScan() { worker_.run(ScanKind::Trace); }
  bool scanBusy() const { return worker_.busy(); }
  void requestStop() { worker_.requestStop(); }
  bool stopRequested() const { return worker_.stopRequested(); }
  // The user's stop ("停止扫描"): see ScanWorker::stopEarly.
  void stopScan() { worker_.stopEarly(); }
  bool stoppedEarly() const { return worker_.stoppedEarly(); }
  void waitForScan() { worker_.wait(); }
  // The disk scan of one folder on the calling thread, its findings added to the list
  // (the choices' categories and rules; no drive, no worker steps).
  void scanFolder(const std::string& folder);
  // Folders the last trace scan found but could not list.
  int unreadableLocations() const { return traceScan_.unreadableLocations(); }
  // The catalog's entries and which of them this machine shows (see CatalogScan::shownEntries).
  catalog::LoadedCatalog traceCatalog(std::vector<bool>& shown) { return traceScan_.shownCatalog(shown); }

  // ---- Deletion ----
  // See deleteTickedFindings; does nothing while a scan's walk is under way.
  DeletionResult deleteMarkedFiles() { return deleteTickedFindings(findings_, platform_, choices_.options); }

 private:
  void prepareScan(ScanKind kind);
  void walk(ScanKind kind);

  Platform& platform_;
  Choices choices_;
  // The exclusion list as the running scan started (the options page may change the
  // choices' meanwhile).
  Exclusions scanExclusions_;
  Findings findings_;
  ScanProgress progress_;
  Pacer pacer_;
  ScanWorker worker_;
  DiskScan diskScan_;
  TraceScan traceScan_;
};

}  // namespace scourix
