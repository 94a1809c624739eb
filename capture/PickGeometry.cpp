#include "capture/PickGeometry.h"

#include <algorithm>

#include "common/Text.h"

const char kRegionFirstPointPrompt[] =
    "\r\n按鼠标左键确定区域第一点和第二点\r\n\r\n按鼠标右键取消区域第一点和第二点\r\n\r\n按ESC退出截屏";

Rect ClipToScreen(const Rect& r, int screenW, int screenH) { return ClipToArea(r, Rect{0, 0, screenW, screenH}); }

Rect ClipToArea(const Rect& r, const Rect& area) {
  auto x = [&](int v) { return std::clamp(v, area.left, std::max(area.left, area.right)); };
  auto y = [&](int v) { return std::clamp(v, area.top, std::max(area.top, area.bottom)); };
  Rect c{x(r.left), y(r.top), x(r.right), y(r.bottom)};
  c.right = std::max(c.right, c.left);
  c.bottom = std::max(c.bottom, c.top);
  return c;
}

Rect Inflate(const Rect& r, int d) {
  Rect g{r.left - d, r.top - d, r.right + d, r.bottom + d};
  // A window narrower than the inset leaves an empty rectangle, not a negative one.
  if (g.right < g.left) g.right = g.left = r.left + r.Width() / 2;
  if (g.bottom < g.top) g.bottom = g.top = r.top + r.Height() / 2;
  return g;
}

WindowPickRects WindowPick(const Rect& window, int screenW, int screenH) {
  return WindowPick(window, Rect{0, 0, screenW, screenH});
}

WindowPickRects WindowPick(const Rect& window, const Rect& area) {
  WindowPickRects p;
  p.outer = ClipToArea(window, area);
  p.pick = Inflate(p.outer, -1);
  return p;
}

Rect RegionPick(int x1, int y1, int x2, int y2, int screenW, int screenH) {
  return RegionPick(x1, y1, x2, y2, Rect{0, 0, screenW, screenH});
}

Rect RegionPick(int x1, int y1, int x2, int y2, const Rect& area) {
  Rect r{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  return ClipToArea(r, area);
}

PromptMove AvoidCursor(const Rect& prompt, int cursorX, int cursorY, int screenW) {
  PromptMove m;
  if (!(cursorY - 10 < prompt.bottom)) return m;
  if (prompt.left == kPromptMargin) {
    // At the left: to the right edge.
    if (cursorX - 30 < prompt.right) {
      m.move = true;
      m.dx = screenW - prompt.right - kPromptMargin;
    }
  } else if (prompt.left < cursorX + 30) {
    // At the right: back to the left.
    m.move = true;
    m.dx = prompt.right - screenW - prompt.left + 2 * kPromptMargin;
  }
  return m;
}

std::string WindowPickPrompt(const Rect& pick) {
  return text::Format(
      "\r\n截取指定窗口\r\n位置 左:%d, 上:%d, 宽:%d, 高:%d\r\n\r\n按鼠标左键确定截屏\r\n按ESC或鼠标右键退出截屏",
      pick.left, pick.top, pick.Width(), pick.Height());
}

std::string RegionPickPrompt(const Rect& pick) {
  return text::Format(
      "\r\n截取指定区域\r\n位置 左:%d, 上:%d, 宽:%d, 高:%d\r\n\r\n按鼠标左键确定区域第一点和第二点\r\n"
      "按鼠标右键取消区域第一点和第二点\r\n按ESC退出截屏",
      pick.left, pick.top, pick.Width(), pick.Height());
}
