#include "ui/cleaner_app.h"

#include <windows.h>
#include <commctrl.h>

#include "engine/clean_engine.h"
#include "platform/platform.h"
#include "settings/config_file.h"
#include "ui/framework/ui_thread.h"
#include "ui/main_dialog.h"
#include "ui/module_directory.h"

namespace scourix {

bool CleanerApp::InitInstance() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS | ICC_TREEVIEW_CLASSES |
                   ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);

  UiThread uiThread;
  CleanEngine engine(systemPlatform());
  MainDialog main(engine, GetModuleDirectory() + kConfigFileName);
  main.DoModal();
  return false;
}

}  // namespace scourix
