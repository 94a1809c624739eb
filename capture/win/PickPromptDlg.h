// The window and region picking window: a small topmost prompt that shows
// the position and the instructions, while red frames are drawn straight
// onto the display over the grabbed screen picture B and erased by copying
// B back. Mouse and key reports come from the hook library, so the pick
// works over the windows of every program.
#pragma once
#include <optional>
#include <string>

#include "assistant/win/HookLibrary.h"
#include "capture/win/PickCover.h"
#include "common/Rect.h"
#include "win/Dialog.h"
#include "win/Gdi.h"

enum PickMode { kPickWindow = 1, kPickRegion = 2 };

class CPickPromptDlg : public win::Dialog {
 public:
  // screen is B (not selected into any DC); area where it stands on the
  // display: the primary screen at 0, 0, or the whole virtual screen, whose
  // top-left may lie at negative coordinates.
  CPickPromptDlg(int mode, HBITMAP screen, const Rect& area);

  bool confirmed() const { return confirmed_; }
  // The picked rectangle in screen pixels; valid when confirmed.
  const Rect& pick() const { return pick_; }
  const std::string& prompt() const { return prompt_; }

 protected:
  BOOL OnInitDialog() override;
  bool PreTranslateMessage(MSG& msg) override;
  bool PaintsWholeClient() const override { return true; }
  void PaintContent(HDC dc, const RECT& client) override;
  void OnDestroy() override;
  void OnClose() override;

 private:
  void OnMouseReport(int kind, POINT pt);
  bool KeepPromptAway(POINT pt);
  void HighlightWindow(POINT pt, bool moved);
  void HighlightRegion(POINT pt, bool moved);
  void RestoreScreen();
  void RestoreArea(HDC display, const Rect& r);
  void DrawFrame(HDC display, const Rect& r);
  void SetPrompt(const std::string& text);

  int mode_;
  HBITMAP screen_;
  Rect area_;
  bool confirmed_ = false;
  bool closing_ = false;  // reports still queued behind the closing click change nothing
  Rect pick_;
  bool framed_ = false;  // a frame is on the display around pick_
  HWND lastWindow_ = nullptr;
  bool hasFirst_ = false;
  bool hasSecond_ = false;
  POINT first_{-1, -1};
  POINT second_{-1, -1};
  std::string prompt_;
  HCURSOR arrow_ = nullptr;
  win::OwnedDc screenDc_;  // holds B while the window is open
  HGDIOBJ screenDcOld_ = nullptr;
  std::optional<CHookBinding> hooks_;  // bound while the window is open
  CPickCover cover_;
};
