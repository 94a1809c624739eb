// The capture result window "截屏管理": the picture in a scrolling image
// view, the info line, buttons to capture again in any mode or to end the
// program, "另存为", which saves the picture under a name and format the
// user picks, "编辑", which opens the picture editor on it, and "贴图", which
// pins it where it was captured. Modal; the caller reads the choice after
// it closes.
#pragma once
#include <functional>
#include <string>

#include "capture/CaptureChoice.h"
#include "capture/CaptureOptions.h"
#include "capture/win/CapturePicture.h"
#include "capture/win/SnapshotView.h"
#include "win/OffscreenPainter.h"
#include "common/win/SkinButton.h"
#include "win/Dialog.h"
#include "win/Gdi.h"

class CCaptureResultDlg : public win::Dialog {
 public:
  // A window whose content comes later: made with CreateModal while a
  // capture waits for the screen, it is given its picture with SetContent
  // once the screen is read, and then runs (RunModal).
  CCaptureResultDlg();

  // The window hands the picture (which may be empty) to its image view,
  // which holds it until it goes. info gives the info line; it is asked
  // once, before the window shows: here when the window exists, otherwise
  // as it is made.
  void SetContent(std::function<std::string()> info, int width, int height, PicturePtr picture);

  // What ended the window: a capture button, or kNone.
  CaptureChoice choice() const { return choice_; }

  // Where "另存为" starts: the capture's folder, the format of its file, and
  // the JPEG quality a JPEG is saved with.
  void SetSaveAs(std::string folder, CaptureFormat format, int quality) {
    saveFolder_ = std::move(folder);
    saveFormat_ = format;
    saveQuality_ = quality;
  }
  // The capture's own file ("" when none was written), which the editor
  // saves over.
  void SetCaptureFile(std::string path) { captureFile_ = std::move(path); }
  // The screen point where the picture's top-left pixel was captured, where
  // "贴图" pins it.
  void SetCapturePlace(POINT origin) { captureOrigin_ = origin; }

 protected:
  BOOL OnInitDialog() override;
  void OnShowModal() override;
  void OnTimer(UINT_PTR id) override;
  void OnSize(UINT type, int cx, int cy) override;
  bool PaintsWholeClient() const override { return true; }
  void PaintContent(HDC dc, const RECT& client) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, int type) override;
  void OnClose() override;

 private:
  static constexpr UINT_PTR kClickTimer = 1;
  void Layout() override;
  // Draws the client area into the painter's memory DC.
  void Draw(HDC dc, const RECT& client);
  void CloseProgram();
  // Ends the window for the next capture.
  void Choose(CaptureChoice choice);
  void ShowContent();
  void SaveAs();
  void Edit();
  void Pin();

  std::function<std::string()> info_;
  int width_ = 0;
  int height_ = 0;
  PicturePtr picture_;
  CaptureChoice choice_ = CaptureChoice::kNone;
  win::OffscreenPainter painter_;
  CSnapshotView view_;
  CSkinButton buttons_[7];
  std::string saveFolder_;
  CaptureFormat saveFormat_ = CaptureFormat::kBmp;
  int saveQuality_ = 90;
  std::string captureFile_;
  POINT captureOrigin_{};
};
