#include "capture/win/PinWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "capture/SnapshotName.h"
#include "capture/ZoomSteps.h"
#include "capture/win/MarkupEditor.h"
#include "capture/win/PictureOutput.h"
#include "common/Text.h"
#include "common/win/ProgramFolder.h"
#include "common/win/SaveTexts.h"
#include "common/win/SharedGdi.h"
#include "resources/markup_ids.h"
#include "win/App.h"
#include "win/MessageBox.h"

namespace {

const wchar_t kClass[] = L"brova.Pin";
constexpr UINT_PTR kLabelTimer = 1;
constexpr UINT kLabelMs = 900;
constexpr int kOpacityStep = 10;
constexpr int kMinOpacity = 10;

int Scaled(int size, double zoom) { return std::max(1, static_cast<int>(std::lround(size * zoom))); }

}  // namespace

constexpr char CPinWindow::kTitle[];

// The board.

CPinBoard& CPinBoard::Get() {
  static CPinBoard board;
  return board;
}

CPinWindow* CPinBoard::Pin(PinSource source) {
  if (!source.picture || source.picture->width() <= 0 || source.picture->height() <= 0) return nullptr;
  auto* pin = new CPinWindow(std::move(source));
  if (!pin->Make()) {
    delete pin;
    return nullptr;
  }
  pins_.push_back(pin);
  return pin;
}

void CPinBoard::Forget(CPinWindow* pin) {
  pins_.erase(std::remove(pins_.begin(), pins_.end(), pin), pins_.end());
  hidden_.erase(std::remove(hidden_.begin(), hidden_.end(), pin->hwnd()), hidden_.end());
}

void CPinBoard::CloseAll() {
  const std::vector<CPinWindow*> open = pins_;
  for (CPinWindow* pin : open) pin->Destroy();
}

void CPinBoard::HideForCapture() {
  if (Settings().includeInCapture) return;
  for (CPinWindow* pin : pins_) {
    if (!IsWindowVisible(pin->hwnd())) continue;
    ShowWindow(pin->hwnd(), SW_HIDE);
    hidden_.push_back(pin->hwnd());
  }
}

void CPinBoard::ShowAfterCapture() {
  const std::vector<HWND> back = std::move(hidden_);
  hidden_.clear();
  for (HWND h : back) {
    if (IsWindow(h)) SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
}

const PinSettings& CPinBoard::Settings() {
  if (!settings_) settings_ = ReadPinSettings(ProgramFolder() + kPinSettingsPath);
  return *settings_;
}

bool CPinBoard::SetIncludeInCapture(bool include) {
  PinSettings s = Settings();
  s.includeInCapture = include;
  if (!WritePinSettings(ProgramFolder() + kPinSettingsPath, s)) return false;
  settings_ = s;
  return true;
}

// A pin.

bool CPinWindow::Make() {
  RegisterClass(kClass, CS_DBLCLKS, nullptr, nullptr, LoadCursorW(nullptr, IDC_SIZEALL));
  zoom_ = std::clamp(source_.zoom, zoom_steps::kMin, zoom_steps::kMax);
  const int w = Scaled(source_.picture->width(), zoom_), h = Scaled(source_.picture->height(), zoom_);
  // Owned by the frame, so pins go when the program ends; borderless, so
  // the window's rectangle is the picture's.
  if (!Create(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClass, kTitle, WS_POPUP, source_.origin.x, source_.origin.y, w, h,
              win::App::MainWindow()))
    return false;
  // Placed again once it exists: creation may have moved it to fit.
  SetWindowPos(hwnd_, HWND_TOPMOST, source_.origin.x, source_.origin.y, w, h,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(hwnd_);
  return true;
}

void CPinWindow::PostNcDestroy() {
  CPinBoard::Get().Forget(this);
  delete this;
}

void CPinWindow::PaintContent(HDC dc, const RECT& client) {
  const PicturePtr& picture = source_.picture;
  win::OwnedDc source = win::OwnedDc::Compatible(dc);
  {
    win::Select select(source, picture->bitmap());
    if (zoom_ == 1.0) {
      BitBlt(dc, 0, 0, picture->width(), picture->height(), source, 0, 0, SRCCOPY);
    } else {
      SetStretchBltMode(dc, zoom_ < 1.0 ? HALFTONE : COLORONCOLOR);
      SetBrushOrgEx(dc, 0, 0, nullptr);
      StretchBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, picture->width(), picture->height(), SRCCOPY);
    }
  }
  if (label_.empty()) return;
  win::Select font(dc, shared_gdi::Font14(Dpi()));
  RECT box{0, 0, 0, 0};
  win::DrawText(dc, label_, box, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  const int pad = Px(4);
  RECT back{0, 0, box.right + 2 * pad, box.bottom + 2 * pad};
  win::Brush dark(CreateSolidBrush(RGB(40, 40, 40)));
  FillRect(dc, &back, dark);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  win::DrawText(dc, label_, back, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CPinWindow::ShowLabel(const std::string& text) {
  label_ = text;
  SetTimer(hwnd_, kLabelTimer, kLabelMs, nullptr);
  Invalidate(false);
}

void CPinWindow::OnTimer(UINT_PTR id) {
  if (id != kLabelTimer) {
    Default();
    return;
  }
  KillTimer(hwnd_, kLabelTimer);
  label_.clear();
  Invalidate(false);
}

void CPinWindow::SetZoom(double zoom, POINT about) {
  zoom = std::clamp(zoom, zoom_steps::kMin, zoom_steps::kMax);
  const RECT r = WindowRect();
  const double px = (about.x - r.left) / zoom_, py = (about.y - r.top) / zoom_;
  zoom_ = zoom;
  const int x = static_cast<int>(std::lround(about.x - px * zoom_));
  const int y = static_cast<int>(std::lround(about.y - py * zoom_));
  SetWindowPos(hwnd_, nullptr, x, y, Scaled(source_.picture->width(), zoom_),
               Scaled(source_.picture->height(), zoom_), SWP_NOZORDER | SWP_NOACTIVATE);
  ShowLabel(text::Format("%d%%", zoom_steps::Percent(zoom_)));
}

void CPinWindow::OriginalSize() {
  const RECT r = WindowRect();
  SetZoom(1.0, POINT{r.left, r.top});
}

void CPinWindow::SetOpacity(int percent) {
  opacity_ = std::clamp(percent, kMinOpacity, 100);
  LONG ex = GetWindowLongW(hwnd_, GWL_EXSTYLE);
  if (opacity_ == 100) {
    // Fully opaque, the pin is a plain window again: its pixels are the picture's.
    SetWindowLongW(hwnd_, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
  } else {
    if (!(ex & WS_EX_LAYERED)) SetWindowLongW(hwnd_, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd_, 0, static_cast<BYTE>(opacity_ * 255 / 100), LWA_ALPHA);
  }
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  ShowLabel(text::Format("不透明度 %d%%", opacity_));
}

void CPinWindow::OnLButtonDown(UINT flags, POINT pt) {
  dragging_ = true;
  GetCursorPos(&dragStart_);
  const RECT r = WindowRect();
  windowStart_ = POINT{r.left, r.top};
  SetCapture(hwnd_);
}

void CPinWindow::OnMouseMove(UINT flags, POINT pt) {
  if (!dragging_) return;
  POINT now;
  GetCursorPos(&now);
  SetWindowPos(hwnd_, nullptr, windowStart_.x + now.x - dragStart_.x, windowStart_.y + now.y - dragStart_.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPinWindow::OnLButtonUp(UINT flags, POINT pt) {
  if (!dragging_) return;
  dragging_ = false;
  ReleaseCapture();
}

void CPinWindow::OnKeyDown(UINT key, UINT flags) {
  if (key == VK_ESCAPE) Destroy();
}

void CPinWindow::ShowMenu(POINT screen) {
  win::Menu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_PIN_MENU)));
  if (!menu) return;
  HMENU popup = GetSubMenu(menu, 0);
  CheckMenuItem(popup, ID_PIN_INCLUDE_IN_CAPTURE,
                MF_BYCOMMAND | (CPinBoard::Get().Settings().includeInCapture ? MF_CHECKED : MF_UNCHECKED));
  SetForegroundWindow(hwnd_);  // the menu closes when the user clicks elsewhere
  const int id = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd_, nullptr);
  PostMessageW(hwnd_, WM_NULL, 0, 0);
  if (id) RunCommand(id);
}

void CPinWindow::RunCommand(int id) {
  switch (id) {
    case ID_PIN_COPY:
      picture_output::CopyToClipboard(hwnd_, *source_.picture);
      break;
    case ID_PIN_SAVE_AS: {
      SYSTEMTIME t;
      GetLocalTime(&t);
      const std::string name = SnapshotFilePath("", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, "");
      CaptureFormat format = source_.file.empty() ? CaptureFormat::kBmp : picture_output::FormatOfFile(source_.file);
      const std::string path = picture_output::AskPathAndFormat(hwnd_, source_.folder, name, format);
      if (!path.empty() && !picture_output::WriteFileAs(*source_.picture, path, format, source_.quality))
        win::ShowMessage(save_text::kFailed);
      break;
    }
    case ID_PIN_EDIT:
      CMarkupEditor::Open(MarkupSource{source_.picture, source_.file, source_.folder, source_.quality});
      break;
    case ID_PIN_ORIGINAL_SIZE:
      OriginalSize();
      break;
    case ID_PIN_INCLUDE_IN_CAPTURE: {
      CPinBoard& board = CPinBoard::Get();
      if (!board.SetIncludeInCapture(!board.Settings().includeInCapture)) win::ShowMessage(save_text::kFailed);
      break;
    }
    case ID_PIN_CLOSE_ALL:
      CPinBoard::Get().CloseAll();
      break;
    case ID_PIN_CLOSE:
      Destroy();
      break;
  }
}

LRESULT CPinWindow::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MOUSEWHEEL: {
      const int delta = GET_WHEEL_DELTA_WPARAM(wp);
      const int notches = delta / WHEEL_DELTA != 0 ? delta / WHEEL_DELTA : (delta > 0 ? 1 : -1);
      if (GET_KEYSTATE_WPARAM(wp) & MK_CONTROL)
        SetOpacity(opacity_ + notches * kOpacityStep);
      else
        SetZoom(zoom_steps::Next(zoom_, notches), POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    }
    case WM_CONTEXTMENU: {
      POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (at.x == -1 && at.y == -1) {
        const RECT r = WindowRect();
        at = POINT{r.left, r.top};
      }
      ShowMenu(at);
      return 0;
    }
    case WM_DPICHANGED:
      // A pin keeps the picture's pixels on every monitor: no new size.
      return 0;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      return 0;
  }
  return Window::WindowProc(msg, wp, lp);
}
