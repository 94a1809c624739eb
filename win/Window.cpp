#include "win/Window.h"

#include <windowsx.h>

#include "common/Text.h"
#include "win/Dpi.h"

namespace win {
namespace {
const wchar_t kObjectProperty[] = L"brova.window";
}

Window::~Window() {
  if (destroyed_) *destroyed_ = true;
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

Window* Window::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  return static_cast<Window*>(GetPropW(hwnd, kObjectProperty));
}

void Window::Attach(HWND hwnd) {
  hwnd_ = hwnd;
  SetPropW(hwnd, kObjectProperty, this);
}

void Window::Detach() {
  if (hwnd_) {
    RemovePropW(hwnd_, kObjectProperty);
    if (original_) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  }
  original_ = nullptr;
  hwnd_ = nullptr;
}

bool Window::RegisterClass(const wchar_t* name, UINT style, HICON icon, HBRUSH background, HCURSOR cursor) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = ClassProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.hCursor = cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Window::Create(DWORD exStyle, const wchar_t* className, const std::string& title, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId) {
  HWND h = CreateWindowExW(exStyle, className, text::Widen(title).c_str(), style, x, y, width, height, parent,
                           menuOrId, GetModuleHandleW(nullptr), this);
  if (h && !hwnd_) {
    // A system class: take it over now.
    Subclass(h);
  }
  return h != nullptr;
}

bool Window::Subclass(HWND hwnd) {
  if (!hwnd || hwnd_) return false;
  Attach(hwnd);
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::SubclassProc)));
  return true;
}

void Window::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK Window::ClassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = FromHandle(hwnd);
  if (!self && msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    self = static_cast<Window*>(cs->lpCreateParams);
    if (self) self->Attach(hwnd);
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  return Dispatch(self, hwnd, msg, wp, lp);
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = FromHandle(hwnd);
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  return Dispatch(self, hwnd, msg, wp, lp);
}

LRESULT Window::Dispatch(Window* self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCDESTROY) {
    CurrentMessage saved = self->current_;
    self->current_ = {msg, wp, lp};
    LRESULT result = self->Default();
    self->current_ = saved;
    self->Detach();
    self->PostNcDestroy();
    return result;
  }
  return self->HandleAs(msg, wp, lp);
}

LRESULT Window::HandleAs(UINT msg, WPARAM wp, LPARAM lp) {
  CurrentMessage saved = current_;
  current_ = {msg, wp, lp};
  // A handler may destroy a window that deletes its own object; the flag
  // tells every dispatch still running for it not to touch the object again.
  bool destroyed = false;
  bool* outer = destroyed_;
  destroyed_ = &destroyed;
  LRESULT r = WindowProc(msg, wp, lp);
  if (destroyed) {
    if (outer) *outer = true;
    return r;
  }
  destroyed_ = outer;
  current_ = saved;
  return r;
}

LRESULT Window::Default() { return DefaultFor(current_.msg, current_.wp, current_.lp); }

LRESULT Window::DefaultFor(UINT msg, WPARAM wp, LPARAM lp) {
  if (original_) return CallWindowProcW(original_, hwnd_, msg, wp, lp);
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT Window::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  auto point = [lp] { return POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; };
  switch (msg) {
    case WM_CREATE:
      return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lp));
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_GETMINMAXINFO:
      if (minClient_.cx <= 0 && minClient_.cy <= 0) return Default();
      Default();
      OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lp));
      return 0;
    case WM_DPICHANGED:
      return OnDpiChanged(*reinterpret_cast<RECT*>(lp));
    case WM_PRINTCLIENT:
      if (!PaintsWholeClient()) return Default();
      PaintContent(reinterpret_cast<HDC>(wp), ClientRect());
      return 0;
    case WM_COMMAND:
      if (OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp))) return 0;
      return Default();
    case WM_NOTIFY:
      return OnNotify(static_cast<int>(wp), reinterpret_cast<NMHDR*>(lp));
    case WM_TIMER:
      OnTimer(wp);
      return 0;
    case WM_SIZE:
      OnSize(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return OnEraseBkgnd(reinterpret_cast<HDC>(wp)) ? 1 : 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      auto dc = reinterpret_cast<HDC>(wp);
      int type = static_cast<int>(msg - WM_CTLCOLORMSGBOX);
      HBRUSH brush = OnCtlColor(dc, reinterpret_cast<HWND>(lp), type);
      if (!brush) brush = WindowColors(dc, type);
      return brush ? reinterpret_cast<LRESULT>(brush) : Default();
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (OnDrawItem(static_cast<int>(wp), item)) return TRUE;
      Window* control = item && item->CtlType != ODT_MENU ? FromHandle(item->hwndItem) : nullptr;
      if (control && control->OnReflectedDrawItem(*item)) return TRUE;
      return Default();
    }
    case WM_MOUSEMOVE:
      OnMouseMove(static_cast<UINT>(wp), point());
      return 0;
    case WM_LBUTTONDOWN:
      OnLButtonDown(static_cast<UINT>(wp), point());
      return 0;
    case WM_LBUTTONUP:
      OnLButtonUp(static_cast<UINT>(wp), point());
      return 0;
    case WM_LBUTTONDBLCLK:
      OnLButtonDblClk(static_cast<UINT>(wp), point());
      return 0;
    case WM_RBUTTONDOWN:
      OnRButtonDown(static_cast<UINT>(wp), point());
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(static_cast<UINT>(wp), static_cast<UINT>(lp));
      return 0;
    case WM_HSCROLL:
      OnHScroll(LOWORD(wp), static_cast<short>(HIWORD(wp)), reinterpret_cast<HWND>(lp));
      return 0;
    case WM_VSCROLL:
      OnVScroll(LOWORD(wp), static_cast<short>(HIWORD(wp)), reinterpret_cast<HWND>(lp));
      return 0;
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wp), LOWORD(lp), HIWORD(lp) != 0);
      return 0;
  }
  return Default();
}

bool Window::OnCommand(int id, int code, HWND control) {
  if (code != BN_CLICKED) return false;
  for (const auto& click : clicks_) {
    if (click.first != id) continue;
    // A copy: the action may end the window and this object with it.
    std::function<void()> action = click.second;
    action();
    return true;
  }
  return OnButtonClicked(id);
}

void Window::OnClick(int id, std::function<void()> action) {
  for (auto& click : clicks_) {
    if (click.first == id) {
      click.second = std::move(action);
      return;
    }
  }
  clicks_.emplace_back(id, std::move(action));
}

void Window::OnSize(UINT type, int cx, int cy) {
  Default();
  Layout();
}

void Window::OnPaint() {
  if (!PaintsWholeClient()) {
    Default();
    return;
  }
  PaintDc dc(hwnd_);
  PaintContent(dc, ClientRect());
}

bool Window::OnEraseBkgnd(HDC dc) {
  if (!PaintsWholeClient()) return Default() != 0;
  PaintContent(dc, ClientRect());
  return true;
}

void Window::SetColors(COLORREF text, COLORREF background, bool lists) {
  textColor_ = text;
  backgroundColor_ = background;
  colorLists_ = lists;
  background_.reset(CreateSolidBrush(background));
}

HBRUSH Window::WindowColors(HDC dc, int type) const {
  if (!background_ || type == CTLCOLOR_EDIT || (type == CTLCOLOR_LISTBOX && !colorLists_)) return nullptr;
  SetTextColor(dc, textColor_);
  SetBkColor(dc, backgroundColor_);
  return background_.get();
}

int Window::Px(int px96) const { return Scale(hwnd_, px96); }
int Window::Dpi() const { return DpiOf(hwnd_); }

void Window::PlaceItem(int id, const RECT& at96) const {
  MoveWindow(Item(id), Px(at96.left), Px(at96.top), Px(at96.right - at96.left), Px(at96.bottom - at96.top), TRUE);
}

LRESULT Window::OnDpiChanged(const RECT& suggested) {
  MoveToSuggested(suggested);
  Layout();
  return 0;
}

void Window::MoveToSuggested(const RECT& suggested) {
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::OnGetMinMaxInfo(MINMAXINFO& info) const {
  RECT frame{0, 0, Px(minClient_.cx), Px(minClient_.cy)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)));
  info.ptMinTrackSize = POINT{frame.right - frame.left, frame.bottom - frame.top};
}

std::string TextOf(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hwnd, &w[0], n + 1);
  w.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return text::Narrow(w);
}

void SetTextOf(HWND hwnd, const std::string& utf8) { SetWindowTextW(hwnd, text::Widen(utf8).c_str()); }

RECT Window::ClientRect() const {
  RECT r{};
  GetClientRect(hwnd_, &r);
  return r;
}

RECT Window::WindowRect() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return r;
}

RECT Window::ItemRectInClient(int id) const {
  RECT r{};
  HWND item = Item(id);
  if (item) {
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
  }
  return r;
}

void Window::SetIcons(int iconId) const {
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId));
  Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void Window::MakeTopMost() const { SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

void Window::CenterOnDesktop() const {
  RECT desk, me;
  GetWindowRect(GetDesktopWindow(), &desk);
  GetWindowRect(hwnd_, &me);
  int w = me.right - me.left, h = me.bottom - me.top;
  int x = desk.left + (desk.right - desk.left - w) / 2;
  int y = desk.top + (desk.bottom - desk.top - h) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace win
