// The image view of the capture result window: a child window with both
// scroll bars that shows the picture from its top-left corner, black where
// the picture ends before the window does. It holds the picture until it
// goes.
#pragma once
#include "capture/win/CapturePicture.h"
#include "win/Dialog.h"
#include "win/Gdi.h"

class CSnapshotView : public win::Dialog {
 public:
  CSnapshotView();

  // Takes the picture (may be empty) and shows it from its top-left corner.
  void SetPicture(PicturePtr picture, int width, int height);
  const PicturePtr& picture() const { return picture_; }
  int hPos() const { return hPos_; }
  int vPos() const { return vPos_; }

 protected:
  BOOL OnInitDialog() override;
  void OnPaint() override;
  bool OnEraseBkgnd(HDC dc) override { return true; }  // painting covers every pixel
  void OnSize(UINT type, int cx, int cy) override;
  void OnHScroll(int code, int pos, HWND bar) override;
  void OnVScroll(int code, int pos, HWND bar) override;
  void OnDestroy() override;

 private:
  void ResetScrolling();
  void Scroll(int bar, int code);
  void PaintContent(HDC dc, const RECT& client);

  PicturePtr picture_;
  int width_ = 0;
  int height_ = 0;
  int hPos_ = 0;
  int vPos_ = 0;
  bool resetting_ = false;
};
