// The UI tests run in one process on one user-interface thread, like the program.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ui/framework/ui_thread.h"

namespace {

constexpr char kAppDesktopKey[] = "Software\\Wine\\AppDefaults\\ui_tests.exe\\Explorer";
constexpr char kDesktopSizesKey[] = "Software\\Wine\\Explorer\\Desktops";
constexpr char kDesktopName[] = "scourix-ui-tests";
constexpr char kDesktopSize[] = "1280x1024";

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool SetUserString(const char* key, const char* name, const char* value) {
  return RegSetKeyValueA(HKEY_CURRENT_USER, key, name, REG_SZ, value, static_cast<DWORD>(std::strlen(value) + 1)) ==
         ERROR_SUCCESS;
}

// Wine shows the windows of a process on the X display itself unless the process starts
// in a virtual desktop; there every hidden window waits up to two seconds for a window
// manager that is not there. The tests therefore ask Wine for a desktop of their own,
// and start themselves once more on it.
bool NeedsOwnDesktop() {
  if (!RunningUnderWine()) return false;
  DWORD size = 0;
  if (RegGetValueA(HKEY_CURRENT_USER, kAppDesktopKey, "Desktop", RRF_RT_REG_SZ, nullptr, nullptr, &size) ==
      ERROR_SUCCESS) {
    return false;
  }
  return SetUserString(kDesktopSizesKey, kDesktopName, kDesktopSize) &&
         SetUserString(kAppDesktopKey, "Desktop", kDesktopName);
}

int RunAgain() {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string desktop = kDesktopName;  // an inherited desktop would win over the setting
  startup.lpDesktop = desktop.data();
  PROCESS_INFORMATION process{};
  std::string commandLine = GetCommandLineA();
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    return 1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

}  // namespace

int main(int argc, char** argv) {
  if (NeedsOwnDesktop()) return RunAgain();
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS | ICC_TREEVIEW_CLASSES |
                   ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
  scourix::UiThread uiThread;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
