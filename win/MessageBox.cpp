#include "win/MessageBox.h"

#include "common/Text.h"
#include "win/App.h"

namespace win {

int ShowMessage(const std::string& utf8, UINT type) {
  HWND owner = GetActiveWindow();
  if (!owner) {
    HWND main = App::MainWindow();
    if (main && IsWindowVisible(main)) owner = main;
  }
  if (owner) owner = GetLastActivePopup(GetAncestor(owner, GA_ROOT));
  if (owner && !IsWindowEnabled(owner)) owner = nullptr;
  return MessageBoxW(owner, text::Widen(utf8).c_str(), L"brova", type | MB_SETFOREGROUND);
}

}  // namespace win
