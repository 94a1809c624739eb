#include "plans/win/ReminderPrompt.h"

#include <mmsystem.h>
#include <windowsx.h>

#include <string>
#include <thread>

#include "common/Text.h"
#include "common/win/Palette.h"
#include "common/win/ProgramFolder.h"
#include "common/win/SharedGdi.h"
#include "plans/PromptSkin.h"
#include "plans/ReminderState.h"
#include "resources/planner_ids.h"
#include "win/Controls.h"

// The prompt is drawn pixel for pixel on its skin's bitmaps, whose places
// and sizes are pixels: unlike the other windows it is not scaled with the
// DPI.

namespace {

constexpr char kNotifySound[] = "data\\notify.wav";
// Never shown (there is no caption); names the window for other programs.
constexpr char kTitle[] = "计划提醒";
constexpr COLORREF kPlainFace = RGB(250, 255, 255);
constexpr char kConfirmCaption[] = "确定";
constexpr int kDefaultListX = 80;
constexpr int kDefaultListY = 152;
constexpr int kDefaultListWidth = 130;
constexpr int kDefaultListHeight = 150;
constexpr int kPlainButtonGap = 10;
constexpr int kPlainButtonWidth = 60;

// One prompt paints at a time, process-wide.
bool g_painting = false;

HBITMAP LoadBitmapFile(const std::string& path) {
  return static_cast<HBITMAP>(LoadImageW(nullptr, text::Widen(InProgramFolder(path)).c_str(), IMAGE_BITMAP, 0, 0,
                                         LR_DEFAULTSIZE | LR_LOADFROMFILE));
}

}  // namespace

GMyCaDlg::GMyCaDlg(bool soundAtOpen) : Dialog(IDD_PLAN_PROMPT), soundAtOpen_(soundAtOpen) {}

BOOL GMyCaDlg::OnInitDialog() {
  SetText(kTitle);
  state_.PlaceOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOACTIVATE);
  buttons_.Clear();
  buttonImages_.clear();

  win::ComboBox snooze(hwnd_, IDC_PROMPT_SNOOZE);
  for (int i = 0; i < CPromptState::kSnoozeEntryCount; ++i) snooze.AddString(CPromptState::SnoozeEntryText(i));
  snooze.SetCurSel(
      CPromptState::SnoozeEntryOf(LoadReminderState(InProgramFolder(kReminderStatePath)).lastSnoozeMinutes));
  OnClick(IDC_PROMPT_CONFIRM, [this] { Confirm(); });  // may delete this

  bool skinLoaded = LoadSkin();
  if (buttons_.Count() == 0) ShowPlainConfirmButton();
  // A prompt whose skin failed still paints a plain face around the list.
  SetCover();
  if (skinLoaded && soundAtOpen_) StartSound();
  return FALSE;  // no focus: the prompt must not take the keyboard
}

bool GMyCaDlg::LoadSkin() {
  PromptSkin skin;
  int result = LoadPromptSkin(InProgramFolder(kPromptSkinPath), skin, [&](const std::string& path, int button) {
    HBITMAP bitmap = LoadBitmapFile(path);
    if (!bitmap) return false;
    if (button < 0)
      background_.reset(bitmap);
    else
      buttonImages_.emplace_back(bitmap);
    return true;
  });
  if (!skin.listPositionRead) {
    // Where the list stands without a skin (dialog units would put it at a
    // different pixel place with every font).
    skin.listX = kDefaultListX;
    skin.listY = kDefaultListY;
    skin.listWidth = kDefaultListWidth;
    skin.listHeight = kDefaultListHeight;
  }
  // The list takes its drop-down height; the window keeps its closed height.
  SetWindowPos(Item(IDC_PROMPT_SNOOZE), HWND_TOP, skin.listX, skin.listY, skin.listWidth, skin.listHeight,
               SWP_NOACTIVATE);
  for (const PromptSkinButton& b : skin.buttons) buttons_.Add(b);
  return result == kSkinLoaded;
}

void GMyCaDlg::ShowPlainConfirmButton() {
  // Without skin buttons nothing could confirm, and the topmost prompt would
  // stay for good: the template's confirm button stands beside the list.
  RECT list = ItemRectInClient(IDC_PROMPT_SNOOZE);
  win::Button confirm(hwnd_, IDC_PROMPT_CONFIRM);
  confirm.SetText(kConfirmCaption);
  confirm.Move(list.right + kPlainButtonGap, list.top, kPlainButtonWidth, list.bottom - list.top);
  confirm.Show(true);
}

void GMyCaDlg::SetCover() {
  painter_.BeginLayout(RECT{0, 0, CPromptState::kWidth, CPromptState::kFullHeight});
  painter_.AddHole(ItemRectInClient(IDC_PROMPT_SNOOZE));
  // The prompt itself is still hidden: the button's own style tells.
  if (GetWindowLongW(Item(IDC_PROMPT_CONFIRM), GWL_STYLE) & WS_VISIBLE) painter_.AddHole(ItemRectInClient(IDC_PROMPT_CONFIRM));
  painter_.EndLayout();
}

void GMyCaDlg::SetPlan(const std::optional<PlanRecord>& plan) {
  state_.SetPlan(plan);
  if (state_.Occasion() > 0)
    SetPropW(hwnd_, kOccasionProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(state_.Occasion())));
  SlideIn();
}

void GMyCaDlg::SetSnoozedPlan(const PlanRecord& plan, int delayMs) {
  state_.SetPlan(plan);
  if (state_.Occasion() > 0)
    SetPropW(hwnd_, kOccasionProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(state_.Occasion())));
  SetTimer(hwnd_, kSnoozeTimer, static_cast<UINT>(delayMs), nullptr);
}

void GMyCaDlg::SlideIn() {
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE);
  SetTimer(hwnd_, kSlideTimer, CPromptState::kSlideIntervalMs, nullptr);
}

namespace {
// The sound library is loaded when the first reminder sounds, not at start:
// most runs never play a sound.
BOOL PlayFile(const wchar_t* path) {
  using PlaySoundFn = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
  static PlaySoundFn play = [] {
    HMODULE winmm = LoadLibraryW(L"winmm.dll");
    return winmm ? reinterpret_cast<PlaySoundFn>(GetProcAddress(winmm, "PlaySoundW")) : nullptr;
  }();
  return play && play(path, nullptr, SND_FILENAME | SND_NODEFAULT);
}
}  // namespace

void GMyCaDlg::StartSound() {
  HWND self = hwnd_;
  // Synchronous inside the thread; no default sound when the file is missing.
  std::thread([self, sound = text::Widen(InProgramFolder(kNotifySound))] {
    BOOL played = PlayFile(sound.c_str());
    PostMessageW(self, kSoundPlayed, played ? 1 : 0, 0);
  }).detach();
}

void GMyCaDlg::OnTimer(UINT_PTR id) {
  if (id == kSlideTimer) {
    bool full = state_.Slide();
    Rect r = state_.WindowRect();
    // The frame along the bottom edge moves with it: the whole face is painted anew.
    SetWindowPos(hwnd_, HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(), SWP_NOACTIVATE | SWP_NOCOPYBITS);
    if (full) KillTimer(hwnd_, kSlideTimer);
    return;
  }
  if (id == kSnoozeTimer) {
    KillTimer(hwnd_, kSnoozeTimer);
    // The plan shown before the snooze comes back, with the sound.
    state_.SnoozeEnded();
    SlideIn();
    StartSound();
    return;
  }
  Default();
}

void GMyCaDlg::Confirm() {
  const int entry = win::ComboBox(hwnd_, IDC_PROMPT_SNOOZE).CurSel();
  int delay = CPromptState::ConfirmDelayMs(entry);
  if (delay == 0) {
    DestroyWindow(hwnd_);  // deletes this
    return;
  }
  // The next prompt starts on this delay; a failed write only loses that.
  RememberSnooze(InProgramFolder(kReminderStatePath), CPromptState::SnoozeMinutes(entry));
  ShowWindow(hwnd_, SW_HIDE);
  SetTimer(hwnd_, kSnoozeTimer, static_cast<UINT>(delay), nullptr);
}

void GMyCaDlg::OnButton(int number) {
  if (number == 0) Confirm();
}

void GMyCaDlg::ApplyEffects(const CPromptButtonSet::Effects& fx, bool clickFirst) {
  if (clickFirst && fx.clicked >= 0) PostMessageW(hwnd_, kButtonClick, fx.clicked, kClickValue);
  if (fx.repaint) PostMessageW(hwnd_, kRepaint, 0, 0);
  if (!clickFirst && fx.clicked >= 0) PostMessageW(hwnd_, kButtonClick, fx.clicked, kClickValue);
}

void GMyCaDlg::OnMouseMove(UINT flags, POINT pt) {
  if (!trackingLeave_) {
    // Clears the hovered look when the pointer leaves the prompt.
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
    trackingLeave_ = TrackMouseEvent(&track) != 0;
  }
  ApplyEffects(buttons_.MouseMove(pt.x, pt.y), false);
}

void GMyCaDlg::OnLButtonDown(UINT flags, POINT pt) {
  // A radio button acts at once on press.
  ApplyEffects(buttons_.ButtonDown(pt.x, pt.y), true);
}

void GMyCaDlg::OnLButtonUp(UINT flags, POINT pt) { ApplyEffects(buttons_.ButtonUp(pt.x, pt.y), false); }

bool GMyCaDlg::PreTranslateMessage(MSG& msg) {
  if (msg.hwnd == hwnd_ && msg.message == kButtonClick) {
    OnButton(static_cast<int>(msg.wParam));  // may delete this
    return true;
  }
  if (msg.hwnd == hwnd_ && msg.message == kRepaint) {
    win::WindowDc dc(hwnd_);
    PaintTo(dc);
    return true;
  }
  return Dialog::PreTranslateMessage(msg);
}

LRESULT GMyCaDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kButtonClick:
      // Reaches here only through a message loop that is not ours (a menu's,
      // a message box's).
      OnButton(static_cast<int>(wp));
      return 0;
    case kRepaint: {
      win::WindowDc dc(hwnd_);
      PaintTo(dc);
      return 0;
    }
    case kSoundPlayed:
      if (wp) {
        ++soundsPlayed_;
        SetPropW(hwnd_, kSoundsPlayedProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(soundsPlayed_)));
      }
      return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      ApplyEffects(buttons_.MouseMove(-1, -1), false);
      return 0;
    case WM_NCHITTEST: {
      // The captionless prompt is dragged by the strip at its top left.
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ScreenToClient(hwnd_, &pt);
      if (CPromptState::IsDragPoint(pt.x, pt.y)) return HTCAPTION;
      break;
    }
  }
  return Dialog::WindowProc(msg, wp, lp);
}

void GMyCaDlg::PaintTo(HDC target) {
  if (!state_.FaceShown() || g_painting) return;
  g_painting = true;
  // The prompt is its skin's bitmap, pixel for pixel at any DPI: so is its text.
  painter_.Paint(hwnd_, target, shared_gdi::Font14(96),
                 [this](HDC dc, const RECT& client) { PaintFace(dc, client); });
  g_painting = false;
}

void GMyCaDlg::PaintFace(HDC dc, const RECT& client) const {
  int width = client.right - client.left, height = client.bottom - client.top;
  if (background_) {
    win::OwnedDc image = win::OwnedDc::Compatible(dc);
    win::Select use(image, background_);
    BitBlt(dc, 0, 0, width, height, image, 0, 0, SRCCOPY);
  } else {
    win::Brush plain(CreateSolidBrush(kPlainFace));
    FillRect(dc, &client, plain);
  }
  {
    win::Brush black(CreateSolidBrush(palette::kText));
    FrameRect(dc, &client, black);
  }

  win::OwnedDc image = win::OwnedDc::Compatible(dc);
  for (int i = 0; i < buttons_.Count() && i < static_cast<int>(buttonImages_.size()); ++i) {
    const CPromptButtonSet::Button& b = buttons_.At(i);
    // The skin has no masks: every button is a rectangle copied from its
    // strip, whatever its mask value.
    win::Select use(image, buttonImages_[i]);
    BitBlt(dc, b.rect.left, b.rect.top, b.rect.Width(), b.rect.Height(), image, buttons_.FrameLeft(i), 0, SRCCOPY);
  }

  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, palette::kText);
  if (state_.HasPlan()) {
    std::wstring line = text::Widen(state_.TimeLine());
    TextOutW(dc, CPromptState::kTimeLineX, CPromptState::kTimeLineY, line.c_str(), static_cast<int>(line.size()));
  }
  if (state_.TextIsRed()) SetTextColor(dc, palette::kRed);
  Rect t = CPromptState::TextRect(width, height);
  win::DrawText(dc, state_.Text(), RECT{t.left, t.top, t.right, t.bottom}, DT_LEFT | DT_TOP | DT_NOPREFIX);
}

void GMyCaDlg::OnDestroy() {
  RemovePropW(hwnd_, kSoundsPlayedProperty);
  RemovePropW(hwnd_, kOccasionProperty);
  Default();
}

void OpenPlanPrompt(HWND owner, const std::optional<PlanRecord>& plan) {
  auto* prompt = new GMyCaDlg();
  if (!prompt->Create(owner)) {
    delete prompt;
    return;
  }
  ShowWindow(prompt->hwnd(), SW_HIDE);
  prompt->SetPlan(plan);
}

void OpenSnoozedPlanPrompt(HWND owner, const PlanRecord& plan, int delayMs) {
  auto* prompt = new GMyCaDlg(/*soundAtOpen=*/false);
  if (!prompt->Create(owner)) {
    delete prompt;
    return;
  }
  ShowWindow(prompt->hwnd(), SW_HIDE);
  prompt->SetSnoozedPlan(plan, delayMs);
}
