#include <windows.h>

#include <cstdlib>

#include "autoclean/auto_clean.h"
#include "autoclean/auto_clean_log.h"
#include "settings/config_file.h"
#include "ui/cleaner_app.h"
#include "ui/module_directory.h"

namespace {
scourix::CleanerApp theApp;

bool StartedForAutoClean() {
  for (int i = 1; i < __argc; ++i) {
    if (scourix::isAutoCleanSwitch(__argv[i])) return true;
  }
  return false;
}

// No window, tray icon or box: nobody may be there to answer one, not even the system's
// box for a drive without a disk.
int RunAutoClean() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  const std::string folder = scourix::GetModuleDirectory();
  scourix::CleanEngine engine(scourix::systemPlatform());
  scourix::AutoCleanRun run;
  run.configPath = folder + scourix::kConfigFileName;
  return scourix::runLoggedAutoClean(engine, run, folder + scourix::kAutoCleanLogName);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (StartedForAutoClean()) return RunAutoClean();
  theApp.InitInstance();
  return 0;
}
