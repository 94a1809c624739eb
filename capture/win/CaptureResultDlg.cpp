#include "capture/win/CaptureResultDlg.h"

#include "capture/SnapshotName.h"
#include "capture/win/MarkupEditor.h"
#include "capture/win/PictureOutput.h"
#include "capture/win/PinWindow.h"
#include "common/win/SaveTexts.h"
#include "win/MessageBox.h"
#include "common/win/Palette.h"
#include "common/win/SharedGdi.h"
#include "resources/capture_ids.h"
#include "win/App.h"
#include "win/Controls.h"

namespace {
constexpr UINT kClickDelayMs = 300;
constexpr int kViewTop = 60;
constexpr int kInfoX = 10;
constexpr int kInfoY = 45;
const int kButtonIds[7] = {IDC_CAPTURE_FULL, IDC_CAPTURE_WINDOW, IDC_CAPTURE_REGION, IDC_EXIT,
                           IDC_SAVE_AS,      IDC_EDIT_PICTURE,   IDC_PIN_PICTURE};
}  // namespace

CCaptureResultDlg::CCaptureResultDlg() : Dialog(IDD_CAPTURE_RESULT) {}

void CCaptureResultDlg::SetContent(std::function<std::string()> info, int width, int height, PicturePtr picture) {
  info_ = std::move(info);
  width_ = width;
  height_ = height;
  picture_ = std::move(picture);
  if (hwnd_) ShowContent();
}

void CCaptureResultDlg::ShowContent() {
  if (view_.hwnd()) view_.SetPicture(std::move(picture_), width_, height_);
  const std::string line = info_ ? info_() : std::string();
  info_ = nullptr;  // asked once
  SetItemText(IDC_INFO_LINE, line);
}

// Nothing here may take activation or change the screen: the window may be
// made while the screen waits to be captured.
BOOL CCaptureResultDlg::OnInitDialog() {
  SetIcons(IDR_MAINFRAME);
  for (int i = 0; i < 7; ++i) buttons_[i].Attach(hwnd_, kButtonIds[i]);
  if (view_.Create(hwnd_)) view_.Show(SW_SHOW);
  ShowContent();  // empty until SetContent when the content comes later
  SetColors(palette::kText, palette::kGrey);
  Layout();
  OnClick(IDC_EXIT, [this] { CloseProgram(); });
  OnClick(IDC_SAVE_AS, [this] { SaveAs(); });
  OnClick(IDC_EDIT_PICTURE, [this] { Edit(); });
  OnClick(IDC_PIN_PICTURE, [this] { Pin(); });
  OnClick(IDC_CAPTURE_FULL, [this] { Choose(CaptureChoice::kFullScreen); });
  OnClick(IDC_CAPTURE_WINDOW, [this] { Choose(CaptureChoice::kWindow); });
  OnClick(IDC_CAPTURE_REGION, [this] { Choose(CaptureChoice::kRegion); });
  return FALSE;  // the focus is set as the window shows
}

void CCaptureResultDlg::OnShowModal() {
  CenterOnDesktop();
  BringWindowToTop(hwnd_);
  SetForegroundWindow(hwnd_);
  SetFocus(GetNextDlgTabItem(hwnd_, nullptr, FALSE));
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
  SetTimer(hwnd_, kClickTimer, kClickDelayMs, nullptr);
}

void CCaptureResultDlg::Layout() {
  if (!view_.hwnd()) return;
  RECT c = ClientRect();
  view_.Move(c.left + Px(2), c.top + Px(kViewTop), c.right - c.left - Px(6), c.bottom - c.top - Px(kViewTop + 4));
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
  painter_.Paint(hwnd_, dc, shared_gdi::Font14(Dpi()), [this](HDC mem, const RECT& c) { Draw(mem, c); });
}

void CCaptureResultDlg::Draw(HDC dc, const RECT& client) {
  FillRect(dc, &client, BackgroundBrush());
  if (view_.hwnd()) {
    RECT v{};
    GetWindowRect(view_.hwnd(), &v);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&v), 2);
    InflateRect(&v, 1, 1);
    FrameRect(dc, &v, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&v, 1, 1);
    FrameRect(dc, &v, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  // Last, so that the frames above the view leave the line whole.
  win::DrawText(dc, ItemText(IDC_INFO_LINE), RECT{Px(kInfoX), Px(kInfoY), client.right, client.bottom},
                DT_LEFT | DT_TOP | DT_NOPREFIX | DT_SINGLELINE | DT_NOCLIP);
}

HBRUSH CCaptureResultDlg::OnCtlColor(HDC dc, HWND control, int type) {
  if (control != Item(IDC_INFO_LINE)) return nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, palette::kWhite);
  return BackgroundBrush();
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

void CCaptureResultDlg::Choose(CaptureChoice choice) {
  choice_ = choice;
  EndDialog(IDOK);
}

void CCaptureResultDlg::SaveAs() {
  const PicturePtr picture = view_.picture();
  if (!picture) return;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const std::string name =
      SnapshotFilePath("", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, "");
  CaptureFormat format = saveFormat_;
  const std::string path = picture_output::AskPathAndFormat(hwnd_, saveFolder_, name, format);
  if (path.empty()) return;
  if (!picture_output::WriteFileAs(*picture, path, format, saveQuality_)) win::ShowMessage(save_text::kFailed);
}

void CCaptureResultDlg::Edit() {
  PicturePtr picture = view_.picture();
  if (!picture) return;
  MarkupSource source{std::move(picture), captureFile_, saveFolder_};
  source.quality = saveQuality_;
  // The editor is a window of its own; this one steps back behind it.
  if (CMarkupEditor::Open(source))
    SetWindowPos(hwnd_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CCaptureResultDlg::Pin() {
  PicturePtr picture = view_.picture();
  if (!picture) return;
  PinSource source;
  source.picture = std::move(picture);
  source.origin = captureOrigin_;
  source.file = captureFile_;
  source.folder = saveFolder_;
  source.quality = saveQuality_;
  CPinBoard::Get().Pin(std::move(source));
}

void CCaptureResultDlg::OnClose() {
  CloseProgram();
  // Closing the frame takes this window with it; otherwise end it here.
  if (hwnd_) EndDialog(IDCANCEL);
}
