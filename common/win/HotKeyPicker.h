// The hot-key picker: a child window that edits one hot-key record with a
// key list and the Shift, Ctrl and Alt boxes. The capture settings page,
// the boss-key page and the CD-tray page each place one or more of them.
#pragma once
#include "common/HotKey.h"
#include "common/win/KeyCombo.h"
#include "win/Dialog.h"

class CHotKeyPicker : public win::Dialog {
 public:
  CHotKeyPicker();

  // The record to edit; bind before Create (the controls show it then).
  void Bind(HotKey* record) { record_ = record; }
  // Creates the picker as a child of parent, shown.
  bool Create(HWND parent);
  // Writes the controls back into the bound record.
  void Save() const;
  // Hides the key list and the three boxes.
  void HideControls() const;

 protected:
  BOOL OnInitDialog() override;
  void Layout() override;
  bool PreTranslateMessage(MSG& msg) override;
  void OnOK() override {}
  void OnCancel() override {}

 private:
  HotKey* record_ = nullptr;
  CKeyCombo keys_;
};
