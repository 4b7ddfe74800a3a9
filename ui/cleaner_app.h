#pragma once
// The application object: the whole program is one modal run of the main window.

namespace scourix {

class CleanerApp {
 public:
  // Runs the program: the engine, then the main window until it closes. Returns false, so
  // that the program ends.
  bool InitInstance();
};

}  // namespace scourix
