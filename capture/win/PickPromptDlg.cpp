#include "capture/win/PickPromptDlg.h"

#include <algorithm>

#include "capture/LoupeGeometry.h"
#include "capture/PickGeometry.h"
#include "capture/win/ScreenCapture.h"
#include "common/FrameMessages.h"
#include "common/win/Palette.h"
#include "common/win/SharedGdi.h"
#include "resources/capture_ids.h"

namespace {
constexpr int kPromptTextInset = 5;
constexpr UINT_PTR kConfirmTimer = 1;
constexpr UINT kConfirmPollMs = 15;
constexpr int kConfirmMaxWaits = 100;  // 1.5 s: a key held longer confirms all the same
// Not shown (the window has no title bar); how other programs find it.
const char kPromptTitle[] = "截屏提示";

// The mouse report carries the mouse message; its low three bits tell the
// button presses apart (WM_LBUTTONDOWN 0x201, WM_RBUTTONDOWN 0x204).
constexpr int kReportLeftDown = 1;
constexpr int kReportRightDown = 4;
// Where a mouse report happened. Our hook library reports from low-level
// hooks, which run before the system moves the cursor, so the message's own
// cursor point is the previous position; it sends the event's point in
// lParam and says so with a bit of wParam.
POINT MouseReportPoint(const MSG& msg) {
  if (msg.wParam & frame_msg::kMouseReportHasPoint)
    return POINT{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
  return msg.pt;
}
}  // namespace

CPickPromptDlg::CPickPromptDlg(int mode, HBITMAP screen, const Rect& area)
    : Dialog(IDD_PICK_PROMPT), mode_(mode), screen_(screen), area_(area) {}

BOOL CPickPromptDlg::OnInitDialog() {
  SetText(kPromptTitle);
  SetColors(palette::kBlue, palette::kSand);
  hooks_.emplace(hwnd_);
  arrow_ = LoadCursorW(nullptr, IDC_ARROW);
  SetCursor(arrow_);
  confirmed_ = false;
  hasFirst_ = hasSecond_ = false;
  first_ = second_ = POINT{-1, -1};
  // B stays selected here while the window is open: every erase copies from it.
  win::WindowDc screen(nullptr);
  screenDc_ = win::OwnedDc::Compatible(screen);
  if (screenDc_) screenDcOld_ = SelectObject(screenDc_, screen_);
  if (screenDc_) cover_.Open(screenDc_, area_);
  if (screenDc_) loupe_.emplace(screenDc_, POINT{area_.left, area_.top}, area_.Width(), area_.Height(), shared_gdi::Font14(Dpi()));
  SetWindowPos(hwnd_, HWND_TOPMOST, kPromptMargin, kPromptMargin, 0, 0, SWP_NOSIZE | SWP_FRAMECHANGED);
  return TRUE;
}

bool CPickPromptDlg::PreTranslateMessage(MSG& msg) {
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) return true;  // Enter never ends the pick
  if (msg.message == frame_msg::kKeyReport && msg.hwnd == hwnd_) {
    OnKeyReport(static_cast<UINT>(msg.wParam), msg.lParam);
    return true;
  }
  if (msg.message == frame_msg::kMouseReport && msg.hwnd == hwnd_) {
    OnMouseReport(static_cast<int>(msg.wParam & 7), MouseReportPoint(msg));
    return true;
  }
  return Dialog::PreTranslateMessage(msg);
}

void CPickPromptDlg::OnKeyReport(UINT key, LPARAM flags) {
  if (closing_) return;
  const bool marked = mode_ == kPickRegion && hasSecond_;
  const bool plain = (flags & (frame_msg::key_flags::kCtrl | frame_msg::key_flags::kAlt)) == 0;
  switch (key) {
    case VK_ESCAPE:
      Send(WM_CLOSE);
      return;
    case VK_RETURN:
    case VK_F3:
      // The window closes once the key is up: the key's own messages, still
      // to come, are swallowed here and never reach the window that
      // follows (Enter would press a button of the result window).
      if (!marked) return;
      confirmed_ = true;
      pinRequested_ = key == VK_F3;
      closing_ = true;
      confirmKey_ = key;
      confirmWaits_ = 0;
      SetTimer(hwnd_, kConfirmTimer, kConfirmPollMs, nullptr);
      return;
    case 'C': {
      if (!plain || !loupe_ || !loupe_->shown()) return;
      // The colour under the pointer now: a move the hook reports late may
      // still name an older place.
      const POINT pt = PointerNow();
      if (pt.x != loupe_->pointer().x || pt.y != loupe_->pointer().y) OnMouseReport(0, pt);
      CopyTextToClipboard(hwnd_, (flags & frame_msg::key_flags::kShift) ? loupe::TripleText(loupe_->colour())
                                                                         : loupe::HexText(loupe_->colour()));
      return;
    }
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
      const POINT from = PointerNow();
      POINT pt = from;
      pt.x = std::clamp<LONG>(pt.x + (key == VK_RIGHT) - (key == VK_LEFT), area_.left, area_.right - 1);
      pt.y = std::clamp<LONG>(pt.y + (key == VK_DOWN) - (key == VK_UP), area_.top, area_.bottom - 1);
      SetCursorPos(pt.x, pt.y);
      movedFrom_ = from;
      movedTo_ = pt;
      movedAt_ = GetTickCount();
      OnMouseReport(0, pt);  // a move, whether or not the hook reports it too
      return;
    }
  }
}

// Where the pointer is: the system's word, unless it is the echo of our own
// last move.
POINT CPickPromptDlg::PointerNow() const {
  POINT pt{};
  GetCursorPos(&pt);
  return EchoOfOurMove(pt) ? movedTo_ : pt;
}

// Under Wine, SetCursorPos grabs the X pointer for the move, and the crossing
// events of that grab can come in after the move and put the system's pointer
// back at the old place for a moment (the X pointer stays where we moved it).
// A report of exactly the old place just after an arrow key is that echo; a
// hand on the mouse moves the pointer on from there and is heard.
bool CPickPromptDlg::EchoOfOurMove(POINT pt) const {
  constexpr DWORD kEchoMs = 1000;
  return movedAt_ != 0 && GetTickCount() - movedAt_ < kEchoMs && pt.x == movedFrom_.x && pt.y == movedFrom_.y &&
         (movedFrom_.x != movedTo_.x || movedFrom_.y != movedTo_.y);
}

void CPickPromptDlg::OnMouseReport(int kind, POINT pt) {
  if (closing_) return;
  if (kind == 0 && EchoOfOurMove(pt)) return;
  if (kind == kReportRightDown) {
    if (mode_ == kPickWindow) {
      confirmed_ = false;
      Send(WM_CLOSE);
    } else if (hasFirst_) {
      hasFirst_ = hasSecond_ = false;
      first_ = second_ = POINT{-1, -1};
      RestoreScreen();
    }
  } else if (kind == kReportLeftDown) {
    if (mode_ == kPickWindow) {
      confirmed_ = true;
      Send(WM_CLOSE);
    } else if (!hasFirst_) {
      hasFirst_ = true;
      first_ = pt;
    } else if (!hasSecond_) {
      hasSecond_ = true;
      second_ = pt;
    } else {
      confirmed_ = true;
      Send(WM_CLOSE);
    }
  }
  if (!hwnd_) return;
  SetCursor(arrow_);
  bool moved = KeepPromptAway(pt);
  if (mode_ == kPickWindow)
    HighlightWindow(pt, moved);
  else
    HighlightRegion(pt, moved);
  ShowLoupe(pt);
}

void CPickPromptDlg::ShowLoupe(POINT pt) {
  if (!loupe_) return;
  win::OwnedDc display = win::OwnedDc::Display();
  if (!display) return;
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  Rect monitor = area_;
  if (GetMonitorInfoW(MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), &mi)) {
    monitor = Rect{std::max<int>(mi.rcMonitor.left, area_.left), std::max<int>(mi.rcMonitor.top, area_.top),
                   std::min<int>(mi.rcMonitor.right, area_.right), std::min<int>(mi.rcMonitor.bottom, area_.bottom)};
  }
  const RECT wr = WindowRect();
  const Rect prompt{wr.left, wr.top, wr.right, wr.bottom};
  const std::vector<Rect> uncovered = loupe_->Show(display, pt, monitor, prompt);
  if (!framed_) return;
  // Where the loupe left, B came back: over a frame, the frames are drawn
  // again and the loupe over them.
  const Rect frame = FrameEraseRect(mode_ == kPickWindow ? outer_ : pick_);
  for (const Rect& r : uncovered) {
    if (r.left < frame.right && frame.left < r.right && r.top < frame.bottom && frame.top < r.bottom) {
      DrawFrames(display);
      loupe_->Show(display, pt, monitor, prompt);
      return;
    }
  }
}

void CPickPromptDlg::DrawFrames(HDC display) {
  if (mode_ == kPickWindow) DrawFrame(display, outer_);
  DrawFrame(display, pick_);
}

bool CPickPromptDlg::KeepPromptAway(POINT pt) {
  RECT wr = WindowRect();
  // The prompt jumps between the primary screen's top-left corner and the
  // top-right corner of the area.
  PromptMove m = AvoidCursor(Rect{wr.left, wr.top, wr.right, wr.bottom}, pt.x, pt.y, area_.right);
  if (!m.move) return false;
  MoveWindow(hwnd_, wr.left + m.dx, wr.top, wr.right - wr.left, wr.bottom - wr.top, FALSE);
  RestoreScreen();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  return true;
}

void CPickPromptDlg::HighlightWindow(POINT pt, bool moved) {
  HWND window = WindowFromPoint(pt);
  if (!window || (window == lastWindow_ && !moved)) return;
  win::OwnedDc display = win::OwnedDc::Display();
  if (!display) return;
  if (framed_) RestoreArea(display, FrameEraseRect(pick_));
  RECT bounds = VisibleWindowBounds(window);
  WindowPickRects rects = WindowPick(Rect{bounds.left, bounds.top, bounds.right, bounds.bottom}, area_);
  // Two red frames: on the window's edge and one pixel inside it.
  lastWindow_ = window;
  pick_ = rects.pick;
  outer_ = rects.outer;
  DrawFrames(display);
  framed_ = true;
  SetPrompt(WindowPickPrompt(pick_));
}

void CPickPromptDlg::HighlightRegion(POINT pt, bool moved) {
  if (!hasFirst_) {
    SetPrompt(kRegionFirstPointPrompt);
    return;
  }
  win::OwnedDc display = win::OwnedDc::Display();
  if (!display) return;
  if (hasSecond_) {
    // The marked region stays as it is; a prompt move wiped its frame.
    if (moved) DrawFrame(display, pick_);
    return;
  }
  if (framed_) RestoreArea(display, FrameEraseRect(pick_));
  pick_ = RegionPick(first_.x, first_.y, pt.x, pt.y, area_);
  DrawFrame(display, pick_);
  framed_ = true;
  SetPrompt(RegionPickPrompt(pick_));
}

void CPickPromptDlg::DrawFrame(HDC display, const Rect& r) {
  // A one-pixel frame on the rectangle's outermost pixels; an empty
  // rectangle still shows as a dot or a line where it lies.
  const int right = std::max(r.right, r.left + 1), bottom = std::max(r.bottom, r.top + 1);
  win::Brush red(CreateSolidBrush(palette::kRed));
  const RECT edges[4] = {{r.left, r.top, right, r.top + 1},
                         {r.left, bottom - 1, right, bottom},
                         {r.left, r.top, r.left + 1, bottom},
                         {right - 1, r.top, right, bottom}};
  for (const RECT& e : edges) FillRect(display, &e, red);
}

void CPickPromptDlg::RestoreArea(HDC display, const Rect& area) {
  if (!screenDc_) return;
  Rect r = ClipToArea(area, area_);
  BitBlt(display, r.left, r.top, r.Width(), r.Height(), screenDc_, r.left - area_.left, r.top - area_.top, SRCCOPY);
}

void CPickPromptDlg::RestoreScreen() {
  win::OwnedDc display = win::OwnedDc::Display();
  if (display && screenDc_)
    BitBlt(display, area_.left, area_.top, area_.Width(), area_.Height(), screenDc_, 0, 0, SRCCOPY);
  framed_ = false;
}

void CPickPromptDlg::SetPrompt(const std::string& text) {
  if (text == prompt_) return;
  prompt_ = text;
  SetItemText(IDC_PROMPT_TEXT, text);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CPickPromptDlg::PaintContent(HDC dc, const RECT& client) {
  FillRect(dc, &client, BackgroundBrush());
  FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, palette::kBlue);
  win::Select font(dc, shared_gdi::Font14(Dpi()));
  const int inset = Px(kPromptTextInset);
  win::DrawText(dc, prompt_, RECT{client.left + inset, client.top + inset, client.right, client.bottom},
                DT_LEFT | DT_TOP | DT_NOPREFIX);
}

void CPickPromptDlg::OnTimer(UINT_PTR id) {
  if (id != kConfirmTimer) {
    Default();
    return;
  }
  if ((GetAsyncKeyState(static_cast<int>(confirmKey_)) & 0x8000) && ++confirmWaits_ < kConfirmMaxWaits) return;
  KillTimer(hwnd_, kConfirmTimer);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {  // it comes whatever the range
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
  }
  Send(WM_CLOSE);
}

void CPickPromptDlg::OnClose() {
  closing_ = true;
  Default();
}

void CPickPromptDlg::OnDestroy() {
  // Every frame goes with the window.
  RestoreScreen();
  cover_.Destroy();
  loupe_.reset();
  if (screenDc_ && screenDcOld_) SelectObject(screenDc_, screenDcOld_);
  screenDc_ = win::OwnedDc();
  hooks_.reset();
  Default();
}
