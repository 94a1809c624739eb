// The clipboard output of a capture. The picture is offered as CF_BITMAP
// without making the bitmap first: the format is announced at once and the
// bitmap made when a program asks for it (WM_RENDERFORMAT). When the
// program ends, its frame takes this hidden child window with it, and a
// picture still on offer is made then (WM_RENDERALLFORMATS), so a paste
// gets it after the program has ended too. The clipboard receives a
// device-compatible copy of the picture and owns it.
#pragma once
#include "capture/win/CapturePicture.h"
#include "win/Window.h"

class CClipboardOffer : public win::Window {
 public:
  ~CClipboardOffer() override;

  // Empties the clipboard and offers picture on it; the offer's window is
  // made on first use as a hidden child of parent. False when the
  // clipboard could not be opened.
  bool Offer(HWND parent, PicturePtr picture);
  // Makes the offer's window ahead of the first offer (while a grab waits
  // for the screen to settle); false when it cannot be made.
  bool Prepare(HWND parent);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void PostNcDestroy() override;

 private:
  // Puts the copy on the open clipboard and lets the picture go.
  void Render();

  PicturePtr picture_;
};
