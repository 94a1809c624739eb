#include "plans/PromptState.h"

#include <algorithm>

#include "common/Text.h"

namespace {

constexpr int kScreenRightGap = 24;
constexpr int kScreenBottomGap = 32;
constexpr int kTextLeft = 80;
constexpr int kTextTop = 46;

struct SnoozeEntry {
  const char* text;
  int minutes;
};
constexpr SnoozeEntry kSnooze[CPromptState::kSnoozeEntryCount] = {
    {"我知道了", 0},          {"5分钟后再次提示", 5},  {"10分钟后再次提示", 10},
    {"30分钟后再次提示", 30}, {"1小时后再次提示", 60}, {"2小时后再次提示", 120},
};

}  // namespace

void CPromptState::PlaceOnScreen(int screenWidth, int screenHeight) {
  left_ = screenWidth - kScreenRightGap - kWidth;
  bottom_ = screenHeight - kScreenBottomGap;
}

void CPromptState::SetPlan(const std::optional<PlanRecord>& plan) {
  plan_ = plan;
  text_ = plan_ ? plan_->content : kNoPlanText;
  height_ = 0;
  faceShown_ = true;
}

bool CPromptState::Slide() {
  height_ = std::min(height_ + kSlideStep, kFullHeight);
  return height_ == kFullHeight;
}

Rect CPromptState::WindowRect() const { return {left_, bottom_ - height_, left_ + kWidth, bottom_}; }

std::string CPromptState::TimeLine() const {
  if (!plan_) return std::string();
  const MinuteTime& t = plan_->time;
  std::string line = text::Format("%04d年%02d月%02d日 %02d小时%02d分", t.year, t.month, t.day, t.hour, t.minute);
  if (plan_->occasion > 0) line += text::Format(" 第 %d 次", plan_->occasion);
  return line;
}

Rect CPromptState::TextRect(int clientWidth, int clientHeight) {
  return {kTextLeft, kTextTop, clientWidth, clientHeight};
}

bool CPromptState::IsDragPoint(int x, int y) { return x < kDragStripWidth && y <= kDragStripHeight; }

const char* CPromptState::SnoozeEntryText(int index) {
  return index >= 0 && index < kSnoozeEntryCount ? kSnooze[index].text : "";
}

int CPromptState::SnoozeMinutes(int index) {
  return index >= 0 && index < kSnoozeEntryCount ? kSnooze[index].minutes : 0;
}

void CPromptState::SnoozeEnded() { SetPlan(plan_); }
