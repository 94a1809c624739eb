#include "win/MessageBox.h"

#include "common/Text.h"
#include "win/App.h"

namespace win {
namespace {
std::wstring& Caption() {
  static std::wstring caption = L"brova";
  return caption;
}
}  // namespace

void SetMessageCaption(const std::string& utf8) { Caption() = text::Widen(utf8); }

int ShowMessage(const std::string& utf8, UINT type) {
  HWND owner = GetActiveWindow();
  if (!owner) {
    HWND main = App::MainWindow();
    if (main && IsWindowVisible(main)) owner = main;
  }
  if (owner) owner = GetLastActivePopup(GetAncestor(owner, GA_ROOT));
  if (owner && !IsWindowEnabled(owner)) owner = nullptr;
  return MessageBoxW(owner, text::Widen(utf8).c_str(), Caption().c_str(), type | MB_SETFOREGROUND);
}

}  // namespace win
