// Geometry of the window and region picking overlays: the rectangles that are
// framed in red and cut out of the grabbed screen, the move that keeps the
// prompt window out of the cursor's way, and the prompt texts.
#pragma once
#include <string>

#include "common/Rect.h"

// The prompt opens at (kPromptMargin, kPromptMargin) and jumps between the
// two top corners, kPromptMargin pixels from the screen's sides.
constexpr int kPromptMargin = 20;

// Both coordinates of r held inside the screen 0..w, 0..h.
Rect ClipToScreen(const Rect& r, int screenW, int screenH);
// The same inside area, which may begin left of or above 0, 0 (monitors
// left of or above the primary one).
Rect ClipToArea(const Rect& r, const Rect& area);

// r grown by d pixels on every side (shrunk for negative d, never below an
// empty rectangle).
Rect Inflate(const Rect& r, int d);

// Window mode: the window rectangle clipped to the screen carries the outer
// red frame; one pixel inside it lies the second frame, which is also the
// rectangle the capture cuts out.
struct WindowPickRects {
  Rect outer;
  Rect pick;
};
WindowPickRects WindowPick(const Rect& window, int screenW, int screenH);
WindowPickRects WindowPick(const Rect& window, const Rect& area);

// Region mode: the rectangle between the first point and the cursor, in
// either order, clipped to the screen.
Rect RegionPick(int x1, int y1, int x2, int y2, int screenW, int screenH);
Rect RegionPick(int x1, int y1, int x2, int y2, const Rect& area);

// Where a frame was drawn, what must be copied back to erase it.
inline Rect FrameEraseRect(const Rect& framed) { return Inflate(framed, 2); }

// Prompt avoidance for the prompt's window rectangle and the cursor: whether
// the prompt moves, and by how much horizontally.
struct PromptMove {
  bool move = false;
  int dx = 0;
};
PromptMove AvoidCursor(const Rect& prompt, int cursorX, int cursorY, int screenW);

// The prompt texts; lines are broken at CR LF.
std::string WindowPickPrompt(const Rect& pick);
std::string RegionPickPrompt(const Rect& pick);
extern const char kRegionFirstPointPrompt[];
