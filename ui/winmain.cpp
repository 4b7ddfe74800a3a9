#include <windows.h>

#include "ui/cleaner_app.h"

namespace {
scourix::CleanerApp theApp;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  theApp.InitInstance();
  return 0;
}
