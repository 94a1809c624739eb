// The reminder prompt: a captionless window that slides up out of the lower
// right corner of the screen, shows one plan (its time and text) on the skin
// of "data\config.dat", plays "data\notify.wav", and closes ("我知道了") or
// comes back after the delay chosen in its snooze list, which starts on the
// delay chosen last ("data\reminder.ini"). It owns itself: the
// object is deleted when its window goes.
#pragma once
#include <windows.h>

#include <optional>
#include <vector>

#include "plans/PromptButtonSet.h"
#include "plans/PromptState.h"
#include "win/Dialog.h"
#include "win/Gdi.h"
#include "win/OffscreenPainter.h"

class GMyCaDlg : public win::Dialog {
 public:
  // Posted to the prompt by its skin buttons.
  static constexpr UINT kButtonClick = WM_USER + 100;  // wParam button number, lParam click value
  static constexpr UINT kRepaint = WM_USER + 101;
  // Posted by the sound thread; wParam is PlaySound's result.
  static constexpr UINT kSoundPlayed = WM_USER + 102;
  // Window property: how many times the reminder sound played for this
  // prompt, so that other programs (and our tests) can tell.
  static constexpr wchar_t kSoundsPlayedProperty[] = L"brova.sounds";
  // Window property: the occasion the time line counts ("第 N 次"), absent for none.
  static constexpr wchar_t kOccasionProperty[] = L"brova.occasion";

  // soundAtOpen false: silent until the end of a snooze (SetSnoozedPlan).
  explicit GMyCaDlg(bool soundAtOpen = true);
  ~GMyCaDlg() override = default;

  // Shows the plan, or none ("暂无下一个计划"), and slides the prompt up.
  void SetPlan(const std::optional<PlanRecord>& plan);
  // Keeps the plan hidden as if snoozed for delayMs; then it slides up.
  void SetSnoozedPlan(const PlanRecord& plan, int delayMs);
  // A skin button was clicked; button 0 confirms the snooze list's choice.
  void OnButton(int number);

  bool PreTranslateMessage(MSG& msg) override;

 protected:
  BOOL OnInitDialog() override;
  void OnTimer(UINT_PTR id) override;
  bool PaintsWholeClient() const override { return true; }
  void PaintContent(HDC dc, const RECT& client) override { PaintTo(dc); }
  void OnMouseMove(UINT flags, POINT pt) override;
  void OnLButtonDown(UINT flags, POINT pt) override;
  void OnLButtonUp(UINT flags, POINT pt) override;
  void OnDestroy() override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  // Enter and Escape neither close nor hide the prompt: only confirming does.
  void OnOK() override {}
  void OnCancel() override {}
  void PostNcDestroy() override { delete this; }

 private:
  static constexpr UINT_PTR kSlideTimer = 1;
  static constexpr UINT_PTR kSnoozeTimer = 2;
  static constexpr int kClickValue = 1;

  bool LoadSkin();
  void ShowPlainConfirmButton();
  void SetCover();
  // Shows the window at height 0 and starts the slide.
  void SlideIn();
  void PaintTo(HDC target);
  void PaintFace(HDC dc, const RECT& client) const;
  void Confirm();
  void ApplyEffects(const CPromptButtonSet::Effects& fx, bool clickFirst);
  void StartSound();

  CPromptState state_;
  CPromptButtonSet buttons_;
  std::vector<win::Bitmap> buttonImages_;  // one image strip per button
  win::Bitmap background_;
  win::OffscreenPainter painter_;
  bool soundAtOpen_;
  bool trackingLeave_ = false;
  int soundsPlayed_ = 0;
};

// Opens a new prompt owned by owner for the plan, or an empty one.
void OpenPlanPrompt(HWND owner, const std::optional<PlanRecord>& plan);
// Makes a prompt for the plan that slides up after delayMs.
void OpenSnoozedPlanPrompt(HWND owner, const PlanRecord& plan, int delayMs);
