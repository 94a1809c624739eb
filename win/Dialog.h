// Dialogs from resource templates, modal or modeless. A modal dialog runs
// our own message loop (App::PumpMessage), so PreTranslateMessage works
// inside it exactly as in the main loop.
#pragma once
#include "win/Window.h"

namespace win {

class Dialog : public Window {
 public:
  explicit Dialog(int templateId) : templateId_(templateId) {}
  ~Dialog() override;

  // Runs the dialog modally with owner (the main window when null); returns
  // the value given to EndDialog, or -1 when the dialog could not be made.
  INT_PTR DoModal(HWND owner = nullptr);
  // DoModal in two steps, for a dialog made ahead of the moment it shows:
  // CreateModal disables the owner and makes the dialog, hidden when its
  // template is (false when it cannot be made); RunModal shows it and runs
  // it (-1 when it was not made). A dialog made and never run goes with its
  // object, and its owner is enabled again.
  bool CreateModal(HWND owner = nullptr);
  INT_PTR RunModal();
  // Creates the dialog modeless; it is shown when its template says so.
  bool Create(HWND parent);
  // Ends a modal dialog; hides a modeless one.
  void EndDialog(INT_PTR result);
  bool IsModal() const { return modal_; }

  // Keyboard navigation of the dialog (IsDialogMessage).
  bool PreTranslateMessage(MSG& msg) override;

 protected:
  virtual BOOL OnInitDialog() { return TRUE; }
  // A modal dialog is about to show.
  virtual void OnShowModal() {}
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  // IDOK and IDCANCEL end the dialog through OnOK and OnCancel.
  bool OnButtonClicked(int id) override;
  // The dialog manager comes first: under per-monitor DPI v2 it gives the
  // dialog and its controls fonts for the new DPI and resizes them. The
  // dialog's own layout then runs on top.
  LRESULT OnDpiChanged(const RECT& suggested) override;

  int templateId_;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND CreateFromTemplate(HWND parent);

  // Enables the owner CreateModal disabled.
  void ReleaseOwner();

  bool modal_ = false;
  bool ended_ = false;
  HWND owner_ = nullptr;  // disabled by CreateModal, null when it was not
  INT_PTR result_ = -1;
};

}  // namespace win
