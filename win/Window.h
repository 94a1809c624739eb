// Base of every window of the program. `this` is attached to the window on
// WM_NCCREATE (or WM_INITDIALOG, or when a control is subclassed) and
// detached on WM_NCDESTROY. It is kept in a named window property rather
// than GWLP_USERDATA: windows of system code (common dialogs, shell
// windows) may use their user data for themselves, and our message loop
// looks up every window it sees. WindowProc unpacks the common
// messages once and calls the typed handlers that a window overrides.
#pragma once
#include <windows.h>

#include <string>

namespace win {

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

  // Helpers on the window handle.
  std::string GetText() const;
  void SetText(const std::string& utf8) const;
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  RECT ClientRect() const;
  RECT WindowRect() const;
  RECT ItemRectInClient(int id) const;  // a child's rectangle in this window's client coordinates
  void Show(int cmd = SW_SHOW) const { ShowWindow(hwnd_, cmd); }
  void Invalidate(bool erase = true) const { InvalidateRect(hwnd_, nullptr, erase); }
  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return SendMessageW(hwnd_, msg, wp, lp); }
  bool Post(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return PostMessageW(hwnd_, msg, wp, lp) != 0; }
  void MakeTopMost() const;
  void CenterOnDesktop() const;
  // The icon resource as the window's big and small icon.
  void SetIcons(int iconId) const;

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
  // Returns true when the command was handled.
  virtual bool OnCommand(int id, int code, HWND control) { return false; }
  virtual LRESULT OnNotify(int id, NMHDR* header) { return Default(); }
  virtual void OnTimer(UINT_PTR id) { Default(); }
  virtual void OnSize(UINT type, int cx, int cy) { Default(); }
  virtual void OnPaint() { Default(); }
  virtual bool OnEraseBkgnd(HDC dc) { return Default() != 0; }
  // nullptr asks for the default colours.
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

  WNDPROC original_ = nullptr;  // the procedure we subclassed, if any
  bool* destroyed_ = nullptr;   // set when the object is deleted during a dispatch
  struct CurrentMessage {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
  } current_{};
};

}  // namespace win
