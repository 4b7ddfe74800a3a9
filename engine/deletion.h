#pragma once
// Deleting the ticked findings (or moving them to the recycle bin).
#include <cstdint>
#include <string>
#include <vector>

#include "engine/findings.h"
#include "engine/scan_settings.h"

namespace scourix {

// A ticked file that could not be deleted, and the system's word for why.
struct DeletionFailure {
  std::string path;
  ExactPath exact;
  std::string category;
  std::string reason;
};

// The outcome of deleting the ticked findings.
struct DeletionResult {
  int deleted = 0;
  int failed = 0;  // ticked files that could not be deleted; they stay in the list
  std::uint64_t bytesFreed = 0;  // sizes of the files really deleted
  int recycled = 0;              // files moved to the recycle bin instead
  std::uint64_t bytesRecycled = 0;
  int binRefused = 0;  // of the failed: files the bin could not take, left in place
  std::vector<DeletionFailure> failures;
  // Ticked files that neither went nor failed: gone before their turn (with their folder,
  // or by their program), and records of the bin kept for what stays of their item.
  std::vector<ExactPath> skipped;
  // Files their service or Explorer held open (FoundFile::skipInUse): skipped, no failure;
  // they stay in the list.
  std::vector<DeletionFailure> inUse;
  // Ticked files that only the system's own cleanup removes (FoundFile::systemCleanupOnly):
  // never deleted one by one, no failure; they stay in the list.
  std::vector<DeletionFailure> systemCleanup;
};

// Deletes every finding whose toDelete is set, by its exact path, when it is still the
// file the walk listed. Deleted, vanished and unticked records leave the list; files that
// could not be deleted stay, ticked. Of the recycle bin only the listed items go, and the
// record of an item goes only with all of it. The caller owns the list (see Findings).
DeletionResult deleteTickedFindings(Findings& findings, Platform& platform, const CleanOptions& options);

}  // namespace scourix
