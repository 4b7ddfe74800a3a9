#pragma once
// The one engine object behind both kinds of cleaning: the drive list, the user's
// choices, the found-file list, and the scan worker with its progress.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/choices.h"
#include "engine/found_file.h"
#include "engine/path_index.h"
#include "engine/protection.h"
#include "engine/scan_observer.h"
#include "engine/scan_settings.h"
#include "platform/platform.h"

namespace scourix {

constexpr std::int32_t kDiskProgressMax = 200000;
constexpr std::int32_t kTraceProgressMax = 15000;

struct TraceLocation;

// A ticked file that could not be deleted, and the system's word for why.
struct DeletionFailure {
  std::string path;
  std::string category;
  std::string reason;
};

// The outcome of deleting the ticked findings.
struct DeletionResult {
  int deleted = 0;
  int failed = 0;  // ticked files that could not be deleted; they stay in the list
  bool recycleBinEmptied = false;
  std::uint64_t bytesFreed = 0;  // sizes of the files really deleted
  int recycled = 0;              // files moved to the recycle bin instead
  std::uint64_t bytesRecycled = 0;
  std::vector<DeletionFailure> failures;
};

class CleanEngine {
 public:
  explicit CleanEngine(Platform& platform);
  ~CleanEngine();  // stops a running scan and waits for its worker
  CleanEngine(const CleanEngine&) = delete;
  CleanEngine& operator=(const CleanEngine&) = delete;

  Platform& platform() { return platform_; }

  // ---- State the windows read and write directly ----
  std::atomic<std::int32_t> progressPos{0};
  std::atomic<std::int32_t> progressMax{12};
  std::atomic<std::int32_t> diskScanRunning{0};
  std::atomic<std::int32_t> traceScanRunning{0};
  std::int32_t paceCounter = 0;  // the worker's alone
  std::atomic<std::int32_t> recycleBinPending{0};

  // The user's choices: the windows change them, a scan reads them.
  Choices& choices() { return choices_; }
  const Choices& choices() const { return choices_; }

  // A consistent copy of the path the running scan examined last.
  std::string currentPath() const;
  void setCurrentPath(std::string_view path);

  // The found-file list, in the order found. Read by the result window while no scan runs.
  const std::vector<std::unique_ptr<FoundFile>>& foundFiles() const { return foundFiles_; }
  FoundFile& foundFile(int index) { return *foundFiles_.at(index); }
  int foundCount() const { return static_cast<int>(foundFiles_.size()); }

  // ---- Fixed drives ----
  void enumerateFixedDrives();
  int markDrivePresent(const std::string& root);
  int driveCount() const { return static_cast<int>(choices_.drives.size()); }
  void addDrive(const DriveEntry& drive);
  void setAllDrivesPresent(std::int32_t value);

  // ---- Scans ----
  // The windows' side of the worker protocol; nullptr: no main window.
  void setObserver(ScanObserver* observer) { observer_ = observer; }
  // Off: none of the mandated sleeps (the command line's --no-pace).
  void setPacing(bool on) { pacing_ = on; }
  // Off: every finding of a disk scan starts ticked, protected or not.
  void setProtection(bool on) { protecting_ = on; }
  // Total of the mandated sleeps so far, in milliseconds (slept or, without pacing, skipped).
  std::int64_t mandatedSleepMs() const { return mandatedSleepMs_.load(); }
  // Files the scans examined (classified or met by a trace walk), uncapped, since the
  // engine was made.
  std::int64_t filesExamined() const { return filesExamined_.load(); }

  // Start a worker and return at once; false (and nothing changes) while a scan runs,
  // here or in another of the program's processes (the platform's scan lock, held until
  // the worker ends). The runs on the calling thread below leave that lock to their caller.
  bool startDiskScan();
  bool startTraceScan();
  // True from a successful start until the worker has finished its walk and the windows
  // their steps on the final list (before they show "扫描完毕").
  bool scanBusy() const { return busy_.load(); }
  // Asks a running walk to end early (the main window closes); the end steps that only
  // update windows are skipped.
  void requestStop() { stopRequested_ = true; }
  bool stopRequested() const { return stopRequested_.load(); }
  // Waits for the worker of the last scan to end.
  void waitForScan();

  // A whole scan on the calling thread: the preparation of a start, then the worker's
  // steps (for tests and the command line). Does nothing while another scan runs.
  void runDiskScan();
  void runTraceScan();
  void scanDrive(const std::string& root);
  void scanTraces();
  void scanProfile(const std::string& profile);

  // Where the trace scan looks for profiles when set (the command line's --profiles);
  // otherwise the system drive's "Documents and Settings", then the platform's folder,
  // then the profiles the platform has registered.
  std::string profilesFolderOverride;
  // Folders the last trace scan found but could not list (no access, for example).
  int unreadableLocations() const { return unreadableCount_.load(); }
  // The profiles the trace scan walks (see profilesFolderOverride).
  std::vector<std::string> profileFolders();

  // ---- Walk and classification ----
  void walkDirectory(const std::string& dir, const std::string& label);
  void classifyFile(const std::string& name, const std::string& path, std::int64_t access,
                    std::int64_t write, std::uint64_t size);
  void matchRules(const std::string& name, const std::string& path, std::int64_t access,
                  std::int64_t write, std::uint64_t size);
  void paceStep();

  // ---- Found-file list ----
  void clearFoundFiles();
  void addFoundFile(const FoundFile& file);
  int hasFoundPath(const std::string& path) const;
  // The path of a finding as the file system spells it (see Platform::exactPathOf).
  std::string exactPathOf(const FoundFile& file) const;
  void clearAll();

  // ---- Deletion ----
  // Deletes every file whose toDelete is set. Deleted and unticked records leave the
  // list; files that could not be deleted stay, ticked. Empties the recycle bin when a
  // trace scan covered it and no recycle-bin finding was unticked. Does nothing while a
  // scan's walk is still under way.
  DeletionResult deleteMarkedFiles();
  void emptyRecycleBin();

 private:
  // A folder of the running walk whose listing is open.
  struct OpenFolder {
    std::unique_ptr<DirListing> listing;
    // Where it leads, as far as its parent's listing told (see DirEntry).
    std::uint64_t device;
    std::uint64_t fileId;
    // The lengths of the walk's paths before its name: restored when its listing ends.
    std::size_t pathEnd;
    std::size_t exactEnd;
  };

  void sleepMandated(int milliseconds);
  void raiseProgress();
  void countExamined();
  bool claimScan();
  void prepareScan(ScanKind kind);
  bool beginScan(ScanKind kind);
  void runScan(ScanKind kind);
  void listEntry(const DirEntry& entry, const std::string& label);
  void enterFolder(const DirEntry& entry, const std::string& label);
  void endFolder();
  void appendName(const DirEntry& entry);
  void endScan(ScanKind kind);
  bool onWalkPath(const DirEntry& entry) const;
  bool foldersStillPlain(const std::string& exact, std::size_t rootLength, std::string& checked);
  void listTraceFile(const DirEntry& entry, const std::string& path, const std::string& label);
  bool isRecentAccess(std::int64_t access);
  bool hasFoundPath(std::string_view path, std::uint32_t hash) const;
  void appendFinding(std::unique_ptr<FoundFile> record, std::uint32_t hash);
  void offerFinding(std::int64_t access, std::int64_t write, std::uint64_t size,
                    const std::string& name, const std::string& path, const std::string& category);
  std::unique_ptr<DirListing> openProfilesFolder(std::string& folder);
  void walkTraceLocation(const std::string& base, const TraceLocation& location);
  bool findRealFolder(const std::string& base, const char* relative, std::string& folder);
  void noteUnreadable(const std::string& folder);
  void scanBrowserCaches(const std::string& profile);
  void walkChromiumCaches(const std::string& userData, const std::string& label);
  void walkProfileCaches(const std::string& parent, const char* cacheName,
                         const std::string& label);
  void walkCacheFolder(const std::string& parent, const char* name, const std::string& label);
  std::string withSeparator(std::string path) const;

  Platform& platform_;
  Choices choices_;
  ScanObserver* observer_ = nullptr;
  bool pacing_ = true;
  std::atomic<std::int64_t> mandatedSleepMs_{0};
  std::atomic<std::int64_t> filesExamined_{0};

  mutable std::mutex pathMutex_;
  std::string currentPath_;

  std::vector<std::unique_ptr<FoundFile>> foundFiles_;
  PathIndex foundPaths_;  // the paths of foundFiles_, for the duplicate check

  std::vector<ScanRule> scanRules_;  // the rules as they were when the scan started
  std::vector<std::string> unreadable_;  // the trace scan's folders that could not be listed
  std::atomic<int> unreadableCount_{0};
  // The walk: its open listings from its start down to the folder being listed, whose
  // path it holds, in the code page and as the file system spells it.
  std::vector<OpenFolder> openFolders_;
  std::string walkPath_;
  std::string walkExact_;
  std::size_t walkRootLength_ = 0;
  // The exact path of the file the walk offers to the scan; nullptr outside a walk.
  const std::string* offeredExact_ = nullptr;
  bool protecting_ = true;
  ProtectionTracker protection_;  // the disk walk's findings that start unticked

  std::atomic<bool> busy_{false};
  // From a scan's start until its walk is over: the worker changes the found-file list.
  std::atomic<bool> workerOwnsList_{false};
  std::atomic<bool> stopRequested_{false};
  std::thread worker_;
};

}  // namespace scourix
