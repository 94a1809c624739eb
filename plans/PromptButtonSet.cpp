#include "plans/PromptButtonSet.h"

void CPromptButtonSet::Clear() {
  buttons_.clear();
  pressed_ = -1;
}

bool CPromptButtonSet::Add(const PromptSkinButton& skinButton) {
  if (Count() == kMaxButtons) return false;
  Button b;
  // State, places and sizes are bounded again here, whoever filled the skin
  // button: the rectangle and FrameLeft must not overflow.
  b.state = skinButton.state >= kNormal && skinButton.state <= kSelected ? skinButton.state : kNormal;
  b.radio = skinButton.radio != 0;
  int x = BoundSkinCoordinate(skinButton.x), y = BoundSkinCoordinate(skinButton.y);
  b.rect = {x, y, x + BoundSkinCoordinate(skinButton.width), y + BoundSkinCoordinate(skinButton.height)};
  b.mask = skinButton.mask;
  buttons_.push_back(b);
  return true;
}

int CPromptButtonSet::HitTest(int x, int y) const {
  int hit = -1;
  for (int i = 0; i < Count(); ++i) {
    const Rect& r = buttons_[i].rect;
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) hit = i;
  }
  return hit;
}

int CPromptButtonSet::LastActive() const {
  int active = -1;
  for (int i = 0; i < Count(); ++i)
    if (buttons_[i].state == kHovered || buttons_[i].state == kPressed) active = i;
  return active;
}

CPromptButtonSet::Effects CPromptButtonSet::MouseMove(int x, int y) {
  Effects fx;
  int hit = HitTest(x, y);
  int previous = LastActive();
  if (hit < 0) {
    if (previous >= 0) {
      buttons_[previous].state = kNormal;
      fx.repaint = true;
    }
    return fx;
  }
  if (hit == previous) return fx;
  int& state = buttons_[hit].state;
  if (state != kPressed && state != kDisabled && state != kSelected) state = kHovered;
  if (previous >= 0) buttons_[previous].state = kNormal;
  fx.repaint = true;
  return fx;
}

CPromptButtonSet::Effects CPromptButtonSet::ButtonDown(int x, int y) {
  Effects fx;
  int hit = HitTest(x, y);
  if (hit < 0 || buttons_[hit].state == kPressed || buttons_[hit].state == kDisabled) return fx;
  if (buttons_[hit].radio) {
    for (Button& b : buttons_)
      if (b.state == kSelected) b.state = kNormal;
    buttons_[hit].state = kSelected;
    fx.clicked = hit;
  } else {
    buttons_[hit].state = kPressed;
    pressed_ = hit;
  }
  fx.repaint = true;
  return fx;
}

CPromptButtonSet::Effects CPromptButtonSet::ButtonUp(int x, int y) {
  Effects fx;
  int hit = HitTest(x, y);
  int pressed = pressed_;
  // A release clicks only the button that this press went down on.
  pressed_ = -1;
  if (hit < 0 || hit != pressed) return fx;
  Button& b = buttons_[hit];
  if (b.state == kDisabled || b.radio) return fx;
  b.state = kNormal;
  fx.repaint = true;
  fx.clicked = hit;
  return fx;
}
