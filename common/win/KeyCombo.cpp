#include "common/win/KeyCombo.h"

#include "common/KeyNameTable.h"
#include "common/Text.h"

bool CKeyCombo::Attach(HWND dialog, int id) {
  if (!SubclassItem(dialog, id)) return false;
  Fill();
  return true;
}

void CKeyCombo::Fill() const {
  const CKeyNameTable& table = CKeyNameTable::Get();
  SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < table.Count(); ++i)
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text::Widen(table.Name(i)).c_str()));
}

void CKeyCombo::SelectKey(int code) const {
  int index = 0;
  CKeyNameTable::Get().EntryOfKey(code, &index);
  SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int CKeyCombo::SelectedKey() const {
  return CKeyNameTable::Get().KeyOfIndex(static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)));
}

bool CKeyCombo::PreTranslateMessage(MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  SelectKey(static_cast<int>(msg.wParam & 0xFF));
  return true;
}
