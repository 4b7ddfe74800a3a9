#pragma once
// The scanning pages poll the running scan: timer 1 every 100 ms copies the engine's
// current path and progress counter into the page's path field and progress bar.
#include <string>

#include "ui/framework/controls.h"

namespace scourix {

class CleanEngine;

constexpr UINT_PTR kProgressTimerId = 1;
constexpr UINT kProgressTimerMs = 100;

// Copies a snapshot of the current path into `pathText` and its field, and the counter
// into the bar.
void MirrorScanProgress(const CleanEngine& engine, std::string& pathText, const Edit& pathEdit,
                        const ProgressBar& progress);

}  // namespace scourix
