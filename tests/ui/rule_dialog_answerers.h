#pragma once
// Answers the modal windows the rules page opens inside its own handlers: the rule
// editor and the common file dialogs. Each answerer is a WH_CBT hook on this thread;
// windows it takes are kept from hooks installed before it (a MessageBoxAnswerer), which
// still answer the message boxes.
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace scourix::test {

class RuleEditorAnswerer {
 public:
  // What an editor showed when it opened.
  struct Shown {
    std::string caption;
    std::string pattern;
    std::string description;
    int enableIndex = -2;
    int modeIndex = -2;
    HWND owner = nullptr;
  };

  // Each editor gets `fill` (it may change the controls), then a click on `button`.
  explicit RuleEditorAnswerer(int button = IDOK, std::function<void(HWND editor)> fill = {});
  ~RuleEditorAnswerer();
  RuleEditorAnswerer(const RuleEditorAnswerer&) = delete;
  RuleEditorAnswerer& operator=(const RuleEditorAnswerer&) = delete;

  void SetFill(std::function<void(HWND editor)> fill) { fill_ = std::move(fill); }
  const std::vector<Shown>& shown() const { return shown_; }
  int count() const { return static_cast<int>(shown_.size()); }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  bool OnActivate(HWND hwnd);

  HHOOK hook_ = nullptr;
  int button_;
  std::function<void(HWND)> fill_;
  std::vector<Shown> shown_;
  std::set<HWND> seen_;
};

// Sets the file name of each open or save dialog and presses its OK button (or presses
// Cancel when no name is given). It acts from a timer once the dialog is running, so
// that the dialog's own start-up work is done by then.
class FileDialogAnswerer {
 public:
  explicit FileDialogAnswerer(std::string fileName);
  ~FileDialogAnswerer();
  FileDialogAnswerer(const FileDialogAnswerer&) = delete;
  FileDialogAnswerer& operator=(const FileDialogAnswerer&) = delete;

  int count() const { return count_; }
  // The owner of the last dialog.
  HWND owner() const { return owner_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD);
  bool OnActivate(HWND hwnd);
  void Answer();

  HHOOK hook_ = nullptr;
  std::string fileName_;
  HWND dialog_ = nullptr;
  HWND owner_ = nullptr;
  UINT_PTR timer_ = 0;
  int count_ = 0;
  std::set<HWND> seen_;
};

}  // namespace scourix::test
