// The picture editor "图片编辑-Vistrel": a toolbar of tools, colours, line
// widths, font sizes, undo and redo, and the canvas with the picture. It
// saves the marked-up picture over the capture's file, copies it or pins
// it. A window of its own that deletes itself when it closes; it asks once
// before it drops shapes that were never saved.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "capture/win/CapturePicture.h"
#include "capture/win/MarkupCanvas.h"
#include "win/Window.h"

// What the editor opens on.
struct MarkupSource {
  PicturePtr picture;
  // The capture's file, which "保存" writes over; without one it asks for a
  // name. folder is where it starts to look.
  std::string file;
  std::string folder;
  // The JPEG quality a JPEG file is saved with.
  int quality = 90;
};

class CMarkupEditor : public win::Window {
 public:
  static constexpr char kTitle[] = "图片编辑-Vistrel";

  // Opens an editor; null when it cannot be made (the picture is empty or
  // its memory cannot be had).
  static CMarkupEditor* Open(const MarkupSource& source);

  CMarkupCanvas& canvas() { return canvas_; }
  const std::string& file() const { return source_.file; }
  // "保存": false (and said) when the file could not be written.
  bool Save();
  bool Copy();
  bool Pin();
  // Closes, asking first when there are unsaved shapes; false when the
  // user keeps the editor open.
  bool Close();

 protected:
  bool PreTranslateMessage(MSG& msg) override;
  int OnCreate(CREATESTRUCTW* cs) override;
  void OnClose() override { Close(); }
  bool OnCommand(int id, int code, HWND control) override;
  bool OnDrawItem(int id, DRAWITEMSTRUCT* item) override;
  bool PaintsWholeClient() const override { return true; }
  void PaintContent(HDC dc, const RECT& client) override;
  void Layout() override;
  void PostNcDestroy() override { delete this; }

 private:
  explicit CMarkupEditor(MarkupSource source) : source_(std::move(source)) {}
  bool Make();
  void CreateControls();
  // An owner-drawn button that runs action when clicked.
  HWND AddButton(int id, const std::string& text, const std::string& tip, std::function<void()> action);
  void ChooseTool(markup::Tool tool);
  void ChooseColour(uint32_t rgb);
  void ChooseMoreColours();
  void ChooseWidth(int width);
  void Update();
  void DrawToolIcon(HDC dc, int id, const RECT& r, COLORREF ink);
  void PlaceWindow();

  MarkupSource source_;
  CMarkupCanvas canvas_;
  HWND tips_ = nullptr;
  HWND fontSize_ = nullptr;
  HWND zoomLabel_ = nullptr;
  std::vector<HWND> buttons_;  // in toolbar order
  std::string status_;
  int toolbarHeight_ = 0;
  COLORREF customColours_[16] = {};
};
