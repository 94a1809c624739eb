#include "capture/win/CaptureResultDlg.h"

#include "common/Text.h"
#include "common/win/SharedGdi.h"
#include "resources/capture_ids.h"
#include "win/App.h"
#include "win/Controls.h"
#include "win/Dpi.h"

namespace {
constexpr COLORREF kBackground = RGB(240, 240, 240);
constexpr UINT kClickDelayMs = 300;
constexpr int kViewTop = 60;
constexpr int kInfoX = 10;
constexpr int kInfoY = 45;
const int kButtonIds[4] = {IDC_CAPTURE_FULL, IDC_CAPTURE_WINDOW, IDC_CAPTURE_REGION, IDC_EXIT};
}  // namespace

CCaptureResultDlg::CCaptureResultDlg(std::function<std::string()> info, int width, int height, PicturePtr picture)
    : Dialog(IDD_CAPTURE_RESULT), info_(std::move(info)), width_(width), height_(height),
      picture_(std::move(picture)) {}

BOOL CCaptureResultDlg::OnInitDialog() {
  SetIcons(IDR_MAINFRAME);
  CenterOnDesktop();
  for (int i = 0; i < 4; ++i) buttons_[i].Attach(hwnd_, kButtonIds[i]);

  if (view_.Create(hwnd_)) {
    view_.SetPicture(std::move(picture_), width_, height_);
    view_.Show(SW_SHOW);
  }
  SetDlgItemTextW(hwnd_, IDC_INFO_LINE, text::Widen(info_ ? info_() : std::string()).c_str());
  background_.reset(CreateSolidBrush(kBackground));
  Layout();

  BringWindowToTop(hwnd_);
  SetForegroundWindow(hwnd_);
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
  SetTimer(hwnd_, kClickTimer, kClickDelayMs, nullptr);
  return TRUE;
}

void CCaptureResultDlg::Layout() {
  if (!view_.hwnd()) return;
  RECT c = ClientRect();
  auto px = [this](int v) { return win::Scale(hwnd_, v); };
  MoveWindow(view_.hwnd(), c.left + px(2), c.top + px(kViewTop), c.right - c.left - px(6),
             c.bottom - c.top - px(kViewTop + 4), TRUE);
  painter_.BeginLayout(c);
  painter_.AddHole(ItemRectInClient(GetDlgCtrlID(view_.hwnd())));
  for (int id : kButtonIds) painter_.AddHole(ItemRectInClient(id));
  painter_.EndLayout();
}

void CCaptureResultDlg::OnSize(UINT type, int cx, int cy) {
  Layout();
  Invalidate(true);
}

void CCaptureResultDlg::PaintContent(HDC dc, const RECT& client) {
  FillRect(dc, &client, background_ ? background_.get() : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  std::wstring info = text::Widen(win::TextOf(Item(IDC_INFO_LINE)));
  TextOutW(dc, win::Scale(hwnd_, kInfoX), win::Scale(hwnd_, kInfoY), info.c_str(), static_cast<int>(info.size()));
  if (!view_.hwnd()) return;
  RECT v{};
  GetWindowRect(view_.hwnd(), &v);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&v), 2);
  win::Brush black(CreateSolidBrush(RGB(0, 0, 0)));
  win::Brush white(CreateSolidBrush(RGB(255, 255, 255)));
  InflateRect(&v, 1, 1);
  FrameRect(dc, &v, black);
  InflateRect(&v, 1, 1);
  FrameRect(dc, &v, white);
}

void CCaptureResultDlg::OnPaint() {
  win::PaintDc dc(hwnd_);
  painter_.Paint(hwnd_, dc, shared_gdi::Font14(Dpi()), [this](HDC mem, const RECT& c) { PaintContent(mem, c); });
}

bool CCaptureResultDlg::OnEraseBkgnd(HDC dc) {
  painter_.Paint(hwnd_, dc, shared_gdi::Font14(Dpi()), [this](HDC mem, const RECT& c) { PaintContent(mem, c); });
  return true;
}

HBRUSH CCaptureResultDlg::OnCtlColor(HDC dc, HWND control, int type) {
  if (control == Item(IDC_INFO_LINE)) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
  }
  return background_ ? background_.get() : nullptr;
}


void CCaptureResultDlg::OnTimer(UINT_PTR id) {
  if (id != kClickTimer) {
    Default();
    return;
  }
  KillTimer(hwnd_, kClickTimer);
  // A click on the middle of the title bar brings the window to the front.
  RECT r = WindowRect();
  SetCursorPos(r.left + (r.right - r.left) / 2, r.top + 10);
  mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

void CCaptureResultDlg::CloseProgram() {
  if (HWND main = win::App::MainWindow()) SendMessageW(main, WM_CLOSE, 0, 0);
}

bool CCaptureResultDlg::OnCommand(int id, int code, HWND control) {
  if (code != BN_CLICKED) return Dialog::OnCommand(id, code, control);
  switch (id) {
    case IDC_CAPTURE_FULL:
      choice_ = kChoiceFullScreen;
      EndDialog(IDOK);
      return true;
    case IDC_CAPTURE_WINDOW:
      choice_ = kChoiceWindow;
      EndDialog(IDOK);
      return true;
    case IDC_CAPTURE_REGION:
      choice_ = kChoiceRegion;
      EndDialog(IDOK);
      return true;
    case IDC_EXIT:
      CloseProgram();
      return true;
  }
  return Dialog::OnCommand(id, code, control);
}

void CCaptureResultDlg::OnClose() {
  CloseProgram();
  // Closing the frame takes this window with it; otherwise end it here.
  if (hwnd_) EndDialog(IDCANCEL);
}
