// The skin buttons of the reminder prompt: their states and what the mouse
// does to them. The window keeps each button's image strip (frame i shows
// state i) and draws frame FrameLeft(i) of it into the button's rectangle;
// it posts the repaint and click messages that the mouse handlers ask for.
#pragma once
#include <vector>

#include "common/Rect.h"
#include "plans/PromptSkin.h"

class CPromptButtonSet {
 public:
  enum State { kNormal = 0, kHovered = 1, kPressed = 2, kDisabled = 3, kSelected = 4 };
  static constexpr int kMaxButtons = PromptSkin::kMaxButtons;

  struct Button {
    int state = kNormal;
    bool radio = false;  // acts at once on press and stays selected
    Rect rect;
    int mask = 0;
  };

  // What a mouse event asks the window to do.
  struct Effects {
    bool repaint = false;
    int clicked = -1;  // number of the clicked button, -1 none
  };

  void Clear();
  // False when kMaxButtons exist already.
  bool Add(const PromptSkinButton& skinButton);
  int Count() const { return static_cast<int>(buttons_.size()); }
  const Button& At(int i) const { return buttons_[i]; }

  // The button under a client point, later buttons winning where they
  // overlap; -1 none. Buttons are rectangles: the skin format has no shapes.
  int HitTest(int x, int y) const;
  // Left edge of the button's current frame in its image strip.
  int FrameLeft(int i) const { return buttons_[i].state * buttons_[i].rect.Width(); }

  Effects MouseMove(int x, int y);
  Effects ButtonDown(int x, int y);
  Effects ButtonUp(int x, int y);

 private:
  int LastActive() const;  // the last button hovered or pressed, -1 none

  std::vector<Button> buttons_;
  int pressed_ = -1;
};
