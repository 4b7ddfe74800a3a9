#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "autoclean/auto_clean.h"
#include "autoclean/auto_clean_log.h"
#include "engine/clean_engine.h"
#include "platform/platform.h"
#include "platform/win32/wide_text.h"
#include "settings/config_file.h"
#include "ui/framework/ui_thread.h"
#include "ui/main_dialog.h"
#include "ui/module_directory.h"
#include "ui/restart_request.h"

namespace scourix {

// The application object: the whole program is one modal run of the main window.
class CleanerApp {
 public:
  // Runs the program: the engine, then the main window until it closes. Returns false, so
  // that the program ends.
  bool InitInstance();

  // Set when the program was started again with administrator rights.
  std::optional<RestartRequest> restart;
};

bool CleanerApp::InitInstance() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS | ICC_TREEVIEW_CLASSES |
                   ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);

  UiThread uiThread;
  CleanEngine engine(systemPlatform());
  MainDialog main(engine, GetModuleDirectory() + kConfigFileName);
  if (restart) main.SetRestartRequest(*restart);
  main.DoModal();
  return false;
}

}  // namespace scourix

namespace {
scourix::CleanerApp theApp;

// The arguments after the program's name, in UTF-8: item names may hold any character.
std::vector<std::string> Arguments() {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(scourix::utf8FromWide(wide[i], std::wcslen(wide[i])));
  LocalFree(wide);
  return arguments;
}

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
  // A restart's item names are never switches, whatever they spell.
  scourix::RestartRequest restart;
  if (scourix::ParseRestart(Arguments(), restart)) {
    theApp.restart = restart;
  } else if (StartedForAutoClean()) {
    return RunAutoClean();
  }
  theApp.InitInstance();
  return 0;
}
