#pragma once
// A window made from a dialog resource. Modeless (pages, the result window) or modal
// with a message loop of its own, so that every queued message first passes the
// pre-translation of the dialog it is meant for.
#include <windows.h>

#include "ui/framework/command_map.h"
#include "ui/framework/window.h"

namespace scourix {

class DataExchange;

class Dialog : public Window {
 public:
  explicit Dialog(int templateId) : templateId_(templateId) {}
  // Destroys a window that still exists. Derived classes whose handlers must run at
  // destruction destroy the window themselves first (DoModal does).
  ~Dialog() override;

  int templateId() const { return templateId_; }

  // Creates the window from the template: a child of `parent` for child templates,
  // a popup owned by it otherwise. OnInitDialog runs inside. False on failure.
  bool Create(HWND parent);
  // Creates the window owned by `owner`'s top-level window, disables that window and
  // runs a message loop until EndDialog; then re-enables the owner and destroys the
  // window. Returns the value given to EndDialog, or -1 when nothing was created.
  INT_PTR DoModal(HWND owner = nullptr);
  // Ends a modal run (the loop returns after the current message).
  void EndDialog(INT_PTR result);
  bool IsModal() const { return modal_; }

  // Moves the bound members into the controls (false) or out of them (true).
  bool UpdateData(bool fromControls);

  // Enter, Esc and Tab handling of the dialog (IsDialogMessageA). Overrides may swallow
  // a message (return true) before it.
  virtual bool PreTranslateMessage(MSG& message);

  // The object of a dialog window made by this class, or null.
  static Dialog* FromHandle(HWND hwnd);
  // Offers a queued message to the control it is for and then to each dialog from there
  // up to the top-level window; true when one of them handled it.
  static bool RouteMessage(MSG& message);
  // Routes and dispatches everything queued for this thread (sent messages included).
  // False when WM_QUIT was met; it is put back into the queue.
  static bool PumpPendingMessages();

 protected:
  // Standard initialisation: binds the controls and shows the members (UpdateData(false)).
  // TRUE lets the system give the focus to the first control.
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(DataExchange& exchange);
  // The dialog's handlers. True when handled: `result` becomes the answer. False lets the
  // default dialog processing run (also after a handler that only observes).
  virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // A WM_COMMAND (control or menu id, notification code) or WM_NOTIFY (idFrom, code) that
  // neither the control nor HandleMessage took: true when the dialog's command table ran
  // a handler, which answers 0.
  virtual bool OnCommand(int id, UINT code);
  // IDOK and IDCANCEL when the dialog's own table left them: a modal run ends with the
  // data taken from the controls (OK) or unchanged (Cancel). Modeless dialogs ignore both.
  virtual void OnOK();
  virtual void OnCancel();
  // A modal window that places itself in OnInitDialog, even where the template put it,
  // is not centred on its owner afterwards.
  virtual bool PlacesItself() const { return false; }

 private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void CentreOnOwner();
  void Forget();

  int templateId_;
  bool modal_ = false;
  bool ended_ = false;
  INT_PTR result_ = 0;
};

}  // namespace scourix
