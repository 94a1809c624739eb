// The reminder prompt apart from its window: the plan it shows and the texts
// of its face, the slide up from the lower right corner of the screen, and
// the snooze list with what confirming it does.
#pragma once
#include <optional>
#include <string>

#include "common/Rect.h"
#include "plans/PlanStore.h"

class CPromptState {
 public:
  static constexpr int kWidth = 300;
  static constexpr int kFullHeight = 180;
  static constexpr int kSlideStep = 30;
  static constexpr int kSlideIntervalMs = 100;  // timer 1
  static constexpr int kSnoozeEntryCount = 6;
  static constexpr const char* kNoPlanText = "暂无下一个计划";
  // Client points in this strip drag the captionless prompt.
  static constexpr int kDragStripWidth = 200;
  static constexpr int kDragStripHeight = 24;

  // Where the prompt stands: its right edge 24 pixels and its bottom edge
  // 32 pixels from those of the screen.
  void PlaceOnScreen(int screenWidth, int screenHeight);

  // Shows a plan, or none ("暂无下一个计划"), and starts the slide from height 0.
  void SetPlan(const std::optional<PlanRecord>& plan);
  bool HasPlan() const { return plan_.has_value(); }
  int Occasion() const { return plan_ ? plan_->occasion : 0; }
  bool FaceShown() const { return faceShown_; }

  // One step of the slide timer; returns true when the prompt has reached its
  // full height and the timer stops.
  bool Slide();
  int Height() const { return height_; }
  // The window rectangle on the screen for the current height.
  Rect WindowRect() const;

  // "2012年05月28日 14小时55分", drawn at TimeLineX/Y, with " 第 N 次" after
  // it for an occasion of a yearly series; empty without a plan.
  std::string TimeLine() const;
  static constexpr int kTimeLineX = 5;
  static constexpr int kTimeLineY = 26;
  // The content or "暂无下一个计划", drawn from (80, 46) to the client's
  // right and bottom, breaking only at its line breaks; red without a plan.
  const std::string& Text() const { return text_; }
  bool TextIsRed() const { return !plan_; }
  static Rect TextRect(int clientWidth, int clientHeight);
  static bool IsDragPoint(int x, int y);

  // The snooze list: "我知道了" and five delays.
  static const char* SnoozeEntryText(int index);
  static int SnoozeMinutes(int index);  // 0 for index 0 and for no selection
  // The entry of a delay, 0 ("我知道了") for one the list does not offer.
  static int SnoozeEntryOf(int minutes);

  // Confirming with the list's selection: a delay of 0 closes the prompt;
  // otherwise the prompt hides and timer 2 runs this many milliseconds.
  static int ConfirmDelayMs(int selection) { return SnoozeMinutes(selection) * 60000; }

  // Timer 2 fired: the prompt shows the same plan again and slides up anew.
  void SnoozeEnded();

 private:
  std::optional<PlanRecord> plan_;
  std::string text_ = kNoPlanText;
  bool faceShown_ = false;
  int height_ = 0;
  int left_ = 0, bottom_ = 0;
};
