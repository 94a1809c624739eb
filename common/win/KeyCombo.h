// The key list of the hot-key picker: a drop-down list of the key names of
// CKeyNameTable that jumps to the key the user presses ("无" for a key that
// is not in the table).
#pragma once
#include "win/Window.h"

class CKeyCombo : public win::Window {
 public:
  // Takes over the combo box of a dialog and fills it with the key names.
  bool Attach(HWND dialog, int id);
  void Fill() const;
  // Selects the entry of a key code (the first entry, "无", when none has it).
  void SelectKey(int code) const;
  // The key code of the selected entry; 0 without a selection.
  int SelectedKey() const;

  // A key press selects that key and goes no further.
  bool PreTranslateMessage(MSG& msg) override;
};
