// Pins ("贴图"): pictures that stay on top of the desktop where they were
// captured, borderless, their client area the picture. The wheel zooms a
// pin about the pointer, Ctrl+wheel changes its opacity, a drag moves it,
// a double click or Escape closes it; its menu copies, saves, edits,
// restores its size and closes it or every pin. Each pin is a window of
// its own that lets its picture go when it closes.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "capture/PinSettings.h"
#include "capture/win/CapturePicture.h"
#include "win/Window.h"

struct PinSource {
  PicturePtr picture;
  // The screen pixel where the picture's top-left pixel goes, and the zoom
  // it shows at.
  POINT origin{};
  double zoom = 1.0;
  // The capture's file and folder, for the editor a pin opens.
  std::string file;
  std::string folder;
  int quality = 90;  // JPEG's, for the editor and "另存为"
};

class CPinWindow : public win::Window {
 public:
  static constexpr char kTitle[] = "贴图";

  double zoom() const { return zoom_; }
  int opacity() const { return opacity_; }  // percent, 10-100
  const PicturePtr& picture() const { return source_.picture; }
  // The pixel of the picture under the screen point about stays there.
  void SetZoom(double zoom, POINT about);
  void SetOpacity(int percent);
  // Back to 100 %, its top-left corner where it is.
  void OriginalSize();
  // What the pin's menu does.
  void RunCommand(int id);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool PaintsWholeClient() const override { return true; }
  void PaintContent(HDC dc, const RECT& client) override;
  void OnLButtonDown(UINT flags, POINT pt) override;
  void OnLButtonUp(UINT flags, POINT pt) override;
  void OnLButtonDblClk(UINT flags, POINT pt) override { Destroy(); }
  void OnMouseMove(UINT flags, POINT pt) override;
  void OnKeyDown(UINT key, UINT flags) override;
  void OnTimer(UINT_PTR id) override;
  void PostNcDestroy() override;

 private:
  friend class CPinBoard;
  explicit CPinWindow(PinSource source) : source_(std::move(source)) {}
  bool Make();
  void ShowMenu(POINT screen);
  void ShowLabel(const std::string& text);

  PinSource source_;
  double zoom_ = 1.0;
  int opacity_ = 100;
  bool dragging_ = false;
  POINT dragStart_{};
  POINT windowStart_{};
  std::string label_;  // shown over the picture for a moment after a change
};

// The open pins and their setting.
class CPinBoard {
 public:
  static CPinBoard& Get();

  // A new pin; null when its window could not be made.
  CPinWindow* Pin(PinSource source);
  void CloseAll();
  const std::vector<CPinWindow*>& pins() const { return pins_; }

  // Around the screen read of a capture: the pins leave the screen unless
  // the setting keeps them in the picture, and come back afterwards.
  void HideForCapture();
  void ShowAfterCapture();

  // "data\pin.ini", read when first asked for.
  const PinSettings& Settings();
  // Saves the setting; false (the setting unchanged) when it could not be
  // written.
  bool SetIncludeInCapture(bool include);
  // The file is read again when next asked for.
  void ReloadSettings() { settings_.reset(); }

 private:
  friend class CPinWindow;
  void Forget(CPinWindow* pin);

  std::vector<CPinWindow*> pins_;
  std::vector<HWND> hidden_;
  std::optional<PinSettings> settings_;
};
