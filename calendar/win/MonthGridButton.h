// The calendar's month grid: an owner-drawn button that holds the month
// model and paints it, laid out for the button's client area and today's
// date at every repaint.
#pragma once
#include <windows.h>

#include "calendar/MonthModel.h"
#include "win/Window.h"

class CMonthGridButton : public win::Window {
 public:
  bool Attach(HWND dialog, int id) { return SubclassItem(dialog, id); }
  CMonthModel& model() { return model_; }

  // Lays the model out for the rectangle with today's date and paints it
  // into dc, through a memory bitmap so the grid does not flicker.
  void Paint(HDC dc, const RECT& rect);

 protected:
  bool OnReflectedDrawItem(const DRAWITEMSTRUCT& item) override;
  // DrawItem paints every pixel of the button.
  bool OnEraseBkgnd(HDC dc) override { return true; }

 private:
  CMonthModel model_;
};

// Paints a laid-out month model: the title line, the band with the shown
// month, the weekday header and the day cells. textFont draws the title,
// band and header; the day numbers and day texts use the shared fonts 24
// and 14.
void PaintMonthModel(HDC dc, const CMonthModel& model, HFONT textFont, int dpi);

// Today's date from the local clock.
void LocalToday(int& year, int& month, int& day);
