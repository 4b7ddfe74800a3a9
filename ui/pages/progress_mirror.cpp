#include "ui/pages/progress_mirror.h"

#include <utility>

#include "engine/clean_engine.h"

namespace scourix {

void MirrorScanProgress(const CleanEngine& engine, std::string& pathText, const Edit& pathEdit,
                        const ProgressBar& progress) {
  std::string path = engine.progress().currentPath();
  // Setting an unchanged text would only make the field flicker.
  if (path != pathText) {
    pathText = std::move(path);
    pathEdit.SetText(pathText);
  }
  progress.SetPos(engine.progress().position());
}

}  // namespace scourix
