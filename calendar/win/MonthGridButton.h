// The calendar's month grid: an owner-drawn button that holds the month
// model and paints it, laid out for the button's client area and today's
// date at every repaint. It follows the mouse: the day under the pointer is
// the hovered day, a click selects a day.
#pragma once
#include <windows.h>

#include <functional>

#include "calendar/MonthModel.h"
#include "win/Window.h"

class CMonthGridButton : public win::Window {
 public:
  bool Attach(HWND dialog, int id) { return SubclassItem(dialog, id); }
  CMonthModel& model() { return model_; }

  // The day the detail line tells of: the hovered day, else the selected
  // one (0: none).
  int ShownDay() const { return hovered_ ? hovered_ : selected_; }
  void Select(int day);
  // Called when the shown day changes.
  void OnShownDayChange(std::function<void()> action) { shownDayChanged_ = std::move(action); }

  // Lays the model out for the rectangle with today's date and paints it
  // into dc, through a memory bitmap so the grid does not flicker.
  void Paint(HDC dc, const RECT& rect);

 protected:
  bool OnReflectedDrawItem(const DRAWITEMSTRUCT& item) override;
  // DrawItem paints every pixel of the button.
  bool OnEraseBkgnd(HDC dc) override { return true; }
  void OnMouseMove(UINT flags, POINT pt) override;
  void OnLButtonDown(UINT flags, POINT pt) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void SetHovered(int day);

  CMonthModel model_;
  int hovered_ = 0, selected_ = 0;
  bool trackingLeave_ = false;
  std::function<void()> shownDayChanged_;
};

// Paints a laid-out month model: the title line, the band with the shown
// month, the weekday header and the day cells with their 休/班 marks, and a
// frame around the selected day (0: none). textFont draws the title, band
// and header; the day numbers, day texts and marks use the shared fonts 24
// and 14.
void PaintMonthModel(HDC dc, const CMonthModel& model, HFONT textFont, int dpi, int selectedDay = 0);

// Today's date from the local clock.
void LocalToday(int& year, int& month, int& day);
