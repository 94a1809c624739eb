// Base of every window of the program. `this` is attached to the window on
// WM_NCCREATE (or WM_INITDIALOG, or when a control is subclassed) and
// detached on WM_NCDESTROY. It is kept in a named window property rather
// than GWLP_USERDATA: windows of system code (common dialogs, shell
// windows) may use their user data for themselves, and our message loop
// looks up every window it sees. WindowProc unpacks the common
// messages once and calls the typed handlers that a window overrides.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "win/Gdi.h"

namespace win {

// A window's text (GetWindowText / SetWindowText) in UTF-8.
std::string TextOf(HWND hwnd);
void SetTextOf(HWND hwnd, const std::string& utf8);

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }
  explicit operator bool() const { return hwnd_ != nullptr; }
  static Window* FromHandle(HWND hwnd);

  // Registers a window class whose procedure attaches the object passed as
  // the creation parameter.
  static bool RegisterClass(const wchar_t* name, UINT style = 0, HICON icon = nullptr,
                            HBRUSH background = nullptr, HCURSOR cursor = nullptr);
  bool Create(DWORD exStyle, const wchar_t* className, const std::string& title, DWORD style, int x, int y,
              int width, int height, HWND parent, HMENU menuOrId = nullptr);
  // Takes over an existing window (a control made by a dialog template).
  bool Subclass(HWND hwnd);
  bool SubclassItem(HWND dialog, int id) { return Subclass(GetDlgItem(dialog, id)); }
  void Destroy();

  // Called for every message that one of our message loops takes, from the
  // target window up through its parents and owners; true consumes it.
  virtual bool PreTranslateMessage(MSG& msg) { return false; }

  // Helpers on the window handle. Texts are UTF-8.
  std::string Text() const { return TextOf(hwnd_); }
  void SetText(const std::string& utf8) const { SetTextOf(hwnd_, utf8); }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  std::string ItemText(int id) const { return TextOf(Item(id)); }
  void SetItemText(int id, const std::string& utf8) const { SetTextOf(Item(id), utf8); }
  RECT ClientRect() const;
  RECT WindowRect() const;
  RECT ItemRectInClient(int id) const;  // a child's rectangle in this window's client coordinates
  void Show(int cmd = SW_SHOW) const { ShowWindow(hwnd_, cmd); }
  // For a window that is a control of another: as win::Control has them.
  void Enable(bool on) const { EnableWindow(hwnd_, on); }
  void Move(int x, int y, int w, int h, bool repaint = true) const { MoveWindow(hwnd_, x, y, w, h, repaint); }
  void SetFont(HFONT font, bool redraw = true) const { Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }
  // Moves child id to a rectangle in client coordinates given in pixels at
  // 96 DPI; its corner and its size are scaled (Px) for the window's DPI.
  void PlaceItem(int id, const RECT& at96) const;
  void Invalidate(bool erase = true) const { InvalidateRect(hwnd_, nullptr, erase); }
  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return SendMessageW(hwnd_, msg, wp, lp); }
  bool Post(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return PostMessageW(hwnd_, msg, wp, lp) != 0; }
  // What a click on button id does: set once, as the window starts, instead
  // of a case in OnButtonClicked. A click with an action set never reaches
  // OnButtonClicked.
  void OnClick(int id, std::function<void()> action);
  void MakeTopMost() const;
  void CenterOnDesktop() const;
  // The icon resource as the window's big and small icon.
  void SetIcons(int iconId) const;

  // A length in pixels at 96 DPI, for the window's DPI. Layout constants go
  // through it; the window's Layout() runs again when its DPI changes.
  int Px(int px96) const;
  // The DPI of the window's monitor: what fonts made for this window use.
  int Dpi() const;

  // The window's own colours: the dialog background, and the text and
  // background of its static texts and buttons (and of its list boxes and
  // drop-down lists when lists is set). Edit boxes that take typing keep the
  // system's colours. OnCtlColor still comes first for the exceptions.
  void SetColors(COLORREF text, COLORREF background, bool lists = false);
  HBRUSH BackgroundBrush() const { return background_.get(); }

  // The smallest client area the user may size the window to, in pixels at
  // 96 DPI; the window's frame is added to it.
  void SetMinClientSize(int width96, int height96) { minClient_ = SIZE{width96, height96}; }

 protected:
  // The one message switch; override to take private messages, then call the base.
  virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
  // The handling the window would get without us (DefWindowProc, the dialog
  // manager, or the control's own procedure), for the current message.
  LRESULT Default();
  LRESULT DefaultFor(UINT msg, WPARAM wp, LPARAM lp);
  // Handles msg as if the window had received it in place of the current one.
  LRESULT HandleAs(UINT msg, WPARAM wp, LPARAM lp);

  virtual int OnCreate(CREATESTRUCTW* cs) { return static_cast<int>(Default()); }
  virtual void OnDestroy() { Default(); }
  virtual void OnClose() { Default(); }
  // Returns true when the command was handled. The base passes button
  // clicks to OnButtonClicked.
  virtual bool OnCommand(int id, int code, HWND control);
  // BN_CLICKED from a button (also the IDOK and IDCANCEL that the dialog
  // manager sends for Enter and Escape, and menu commands, which come with
  // the same code 0) that has no OnClick action; true when handled. Windows
  // set their buttons' actions with OnClick: this is for the layer's IDOK
  // and IDCANCEL and for ids given out at run time.
  virtual bool OnButtonClicked(int id) { return false; }
  virtual LRESULT OnNotify(int id, NMHDR* header) { return Default(); }
  virtual void OnTimer(UINT_PTR id) { Default(); }
  // The default lays the window out again.
  virtual void OnSize(UINT type, int cx, int cy);
  // Places the children for the client area; called on WM_SIZE and when the
  // window's DPI changes.
  virtual void Layout() {}
  // WM_DPICHANGED: the window takes the suggested rectangle and lays itself
  // out again.
  virtual LRESULT OnDpiChanged(const RECT& suggested);
  void MoveToSuggested(const RECT& suggested);

  // A window that paints its client area itself says so here and draws in
  // PaintContent, which serves WM_PAINT, WM_PRINTCLIENT and WM_ERASEBKGND
  // (painting in the erase keeps a window that grows from flashing the
  // class background). Other windows leave painting to their class.
  virtual bool PaintsWholeClient() const { return false; }
  virtual void PaintContent(HDC dc, const RECT& client) {}
  virtual void OnPaint();
  virtual bool OnEraseBkgnd(HDC dc);
  // The exceptions to SetColors; nullptr goes on to the window's colours
  // (or the system's, when it has none).
  virtual HBRUSH OnCtlColor(HDC dc, HWND control, int type) { return nullptr; }
  virtual bool OnDrawItem(int id, DRAWITEMSTRUCT* item) { return false; }
  // An owner-drawn control of ours draws itself: the parent's WM_DRAWITEM is
  // passed to the control's object when the parent does not draw the item.
  virtual bool OnReflectedDrawItem(const DRAWITEMSTRUCT& item) { return false; }
  virtual void OnMouseMove(UINT flags, POINT pt) { Default(); }
  virtual void OnLButtonDown(UINT flags, POINT pt) { Default(); }
  virtual void OnLButtonUp(UINT flags, POINT pt) { Default(); }
  virtual void OnLButtonDblClk(UINT flags, POINT pt) { Default(); }
  virtual void OnRButtonDown(UINT flags, POINT pt) { Default(); }
  virtual void OnKeyDown(UINT key, UINT flags) { Default(); }
  virtual void OnHScroll(int code, int pos, HWND bar) { Default(); }
  virtual void OnVScroll(int code, int pos, HWND bar) { Default(); }
  virtual void OnInitMenuPopup(HMENU menu, UINT pos, bool system) { Default(); }
  // After the window is gone and the object detached; a window that owns
  // itself may delete itself here, also when a handler of its own destroyed
  // the window.
  virtual void PostNcDestroy() {}

  HWND hwnd_ = nullptr;

 private:
  friend class Dialog;
  static LRESULT CALLBACK ClassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT Dispatch(Window* self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void Attach(HWND hwnd);
  void Detach();

  HBRUSH WindowColors(HDC dc, int type) const;
  void OnGetMinMaxInfo(MINMAXINFO& info) const;

  WNDPROC original_ = nullptr;  // the procedure we subclassed, if any
  Brush background_;
  COLORREF textColor_ = 0, backgroundColor_ = 0;
  bool colorLists_ = false;
  SIZE minClient_{};
  std::vector<std::pair<int, std::function<void()>>> clicks_;
  bool* destroyed_ = nullptr;   // set when the object is deleted during a dispatch
  struct CurrentMessage {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
  } current_{};
};

}  // namespace win
