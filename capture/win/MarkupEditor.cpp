#include "capture/win/MarkupEditor.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

#include "capture/SnapshotName.h"
#include "capture/ZoomSteps.h"
#include "capture/win/PictureOutput.h"
#include "capture/win/PinWindow.h"
#include "common/Text.h"
#include "common/win/Palette.h"
#include "common/win/SaveTexts.h"
#include "common/win/SharedGdi.h"
#include "resources/app_ids.h"
#include "resources/markup_ids.h"
#include "win/CommonControls.h"
#include "win/MessageBox.h"

using markup::Tool;

namespace {

const wchar_t kClass[] = L"brova.MarkupEditor";
const char kUnsavedQuestion[] = "图片有未保存的标注，是否保存？";
const char kSavedStatus[] = "已保存";

constexpr int kButton96 = 28;      // square buttons
constexpr int kTextButton96 = 44;  // buttons with a caption
constexpr int kGap96 = 10;         // between groups
constexpr int kMargin96 = 4;
constexpr COLORREF kChecked = RGB(204, 228, 247);
constexpr COLORREF kCheckedEdge = RGB(0, 120, 215);
constexpr COLORREF kPressed = RGB(170, 205, 235);
constexpr COLORREF kEdge = RGB(200, 200, 200);
constexpr COLORREF kInk = RGB(40, 40, 40);
constexpr COLORREF kDisabledInk = RGB(170, 170, 170);

struct ToolButton {
  Tool tool;
  const char* name;
  char key;
};
const ToolButton kTools[markup::kToolCount] = {
    {Tool::kRectangle, "矩形", 'R'}, {Tool::kEllipse, "椭圆", 'E'}, {Tool::kArrow, "箭头", 'A'},
    {Tool::kLine, "直线", 'L'},      {Tool::kPen, "画笔", 'P'},     {Tool::kHighlighter, "荧光笔", 'H'},
    {Tool::kText, "文字", 'T'},      {Tool::kStep, "序号", 'N'},    {Tool::kMosaic, "马赛克", 'M'},
    {Tool::kCrop, "裁剪", 'C'}};

struct NamedColour {
  uint32_t rgb;
  const char* name;
};
const NamedColour kColours[8] = {{0xFF0000, "红色"}, {0xFF8C00, "橙色"}, {0xFFE600, "黄色"}, {0x00B050, "绿色"},
                                 {0x0070FF, "蓝色"}, {0x9933FF, "紫色"}, {0x000000, "黑色"}, {0xFFFFFF, "白色"}};
const int kFontSizes[] = {12, 14, 16, 20, 24, 28, 36, 48, 72};

int ToolId(Tool t) { return IDC_MARKUP_RECTANGLE + static_cast<int>(t); }
bool IsToolId(int id) { return id >= IDC_MARKUP_RECTANGLE && id < IDC_MARKUP_RECTANGLE + markup::kToolCount; }
bool IsColourId(int id) { return id >= IDC_MARKUP_COLOUR_FIRST && id < IDC_MARKUP_COLOUR_FIRST + 8; }
bool IsWidthId(int id) { return id >= IDC_MARKUP_WIDTH_FIRST && id < IDC_MARKUP_WIDTH_FIRST + 4; }

COLORREF ToColorRef(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }
uint32_t FromColorRef(COLORREF c) {
  return static_cast<uint32_t>(GetRValue(c)) << 16 | static_cast<uint32_t>(GetGValue(c)) << 8 | GetBValue(c);
}

// Where the toolbar's controls go, row by row, for a client width; returns
// the toolbar's height. Groups are kept whole on a row when they fit.
struct Slot {
  HWND hwnd;
  int width;
  bool groupStart;
  int height = 0;  // a drop-down list's height with its list; 0 for the row's
};
int Flow(const std::vector<Slot>& slots, int clientWidth, int button, int gap, int margin, bool place) {
  int x = margin, y = margin;
  for (size_t i = 0; i < slots.size(); ++i) {
    if (slots[i].groupStart && i > 0) x += gap;
    if (x + slots[i].width > clientWidth - margin && x > margin) {
      x = margin;
      y += button + margin;
    }
    if (place) MoveWindow(slots[i].hwnd, x, y, slots[i].width, slots[i].height ? slots[i].height : button, TRUE);
    x += slots[i].width + 2;
  }
  return y + button + margin;
}

}  // namespace

constexpr char CMarkupEditor::kTitle[];

CMarkupEditor* CMarkupEditor::Open(const MarkupSource& source) {
  if (!source.picture || source.picture->width() <= 0 || source.picture->height() <= 0) return nullptr;
  auto* editor = new CMarkupEditor(source);
  if (!editor->Make()) {
    delete editor;
    return nullptr;
  }
  return editor;
}

bool CMarkupEditor::Make() {
  win::InitCommonControls(ICC_WIN95_CLASSES);
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
  RegisterClass(kClass, 0, icon, nullptr, nullptr);
  // Top-most like the result window it is opened from, which would hide it.
  if (!Create(WS_EX_TOPMOST | WS_EX_APPWINDOW, kClass, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
              CW_USEDEFAULT, 800, 600, nullptr))
    return false;
  PlaceWindow();
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  SetFocus(canvas_.hwnd());
  UpdateWindow(hwnd_);
  return true;
}

int CMarkupEditor::OnCreate(CREATESTRUCTW* cs) {
  SetColors(palette::kText, palette::kGrey);
  if (!canvas_.Create(hwnd_, IDC_MARKUP_CANVAS, source_.picture)) return -1;
  source_.picture.reset();  // the canvas holds it
  CreateControls();
  canvas_.SetOnChange([this] { Update(); });
  Update();
  return 0;
}

HWND CMarkupEditor::AddButton(int id, const std::string& text, const std::string& tip,
                              std::function<void()> action) {
  OnClick(id, std::move(action));
  HWND b = CreateWindowExW(0, L"BUTTON", text::Widen(text).c_str(), WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 0, 0,
                           hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                           nullptr);
  buttons_.push_back(b);
  if (tips_ && b) {
    std::wstring w = text::Widen(tip);
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(b);
    info.lpszText = &w[0];
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
  return b;
}

void CMarkupEditor::CreateControls() {
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                          0, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
  for (const ToolButton& t : kTools)
    AddButton(ToolId(t.tool), t.name, text::Format("%s (%c)", t.name, t.key), [this, &t] { ChooseTool(t.tool); });
  for (int i = 0; i < 8; ++i) {
    const NamedColour& c = kColours[i];
    AddButton(IDC_MARKUP_COLOUR_FIRST + i, c.name, c.name, [this, &c] { ChooseColour(c.rgb); });
  }
  AddButton(IDC_MARKUP_MORE_COLOURS, "更多颜色", "更多颜色...", [this] { ChooseMoreColours(); });
  for (int i = 0; i < 4; ++i) {
    const int width = markup::kLineWidths[i];
    AddButton(IDC_MARKUP_WIDTH_FIRST + i, text::Format("%d px", width), text::Format("线宽 %d px", width),
              [this, width] { ChooseWidth(width); });
  }
  fontSize_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0, 0,
                              Px(300), hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MARKUP_FONT_SIZE)),
                              GetModuleHandleW(nullptr), nullptr);
  SendMessageW(fontSize_, WM_SETFONT, reinterpret_cast<WPARAM>(shared_gdi::Font14(Dpi())), FALSE);
  for (int size : kFontSizes) {
    std::wstring w = std::to_wstring(size);
    const LRESULT i = SendMessageW(fontSize_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
    if (size == markup::kDefaultFontSize) SendMessageW(fontSize_, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
  }
  AddButton(IDC_MARKUP_UNDO, "撤销", "撤销 (Ctrl+Z)", [this] { canvas_.Undo(); });
  AddButton(IDC_MARKUP_REDO, "重做", "重做 (Ctrl+Y)", [this] { canvas_.Redo(); });
  zoomLabel_ = CreateWindowExW(0, L"STATIC", L"100%", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, 0, 0, 0, 0,
                               hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MARKUP_ZOOM)),
                               GetModuleHandleW(nullptr), nullptr);
  SendMessageW(zoomLabel_, WM_SETFONT, reinterpret_cast<WPARAM>(shared_gdi::Font14(Dpi())), FALSE);
  AddButton(IDC_MARKUP_SAVE, "保存", "保存 (Ctrl+S)", [this] { Save(); });
  AddButton(IDC_MARKUP_COPY, "复制", "复制 (Ctrl+C)", [this] { Copy(); });
  AddButton(IDC_MARKUP_PIN, "贴图", "贴图", [this] { Pin(); });
}

void CMarkupEditor::Layout() {
  if (!canvas_.hwnd()) return;
  const RECT c = ClientRect();
  const int button = Px(kButton96);
  std::vector<Slot> slots;
  for (HWND b : buttons_) {
    const int id = GetDlgCtrlID(b);
    const bool captioned = id == IDC_MARKUP_UNDO || id == IDC_MARKUP_REDO || id == IDC_MARKUP_SAVE ||
                           id == IDC_MARKUP_COPY || id == IDC_MARKUP_PIN;
    const bool group = id == IDC_MARKUP_RECTANGLE || id == IDC_MARKUP_COLOUR_FIRST ||
                       id == IDC_MARKUP_WIDTH_FIRST || id == IDC_MARKUP_UNDO || id == IDC_MARKUP_SAVE;
    if (id == IDC_MARKUP_UNDO) slots.push_back({fontSize_, Px(56), true, Px(300)});
    slots.push_back({b, captioned ? Px(kTextButton96) : (id == IDC_MARKUP_MORE_COLOURS ? Px(22) : button), group});
    if (id == IDC_MARKUP_REDO) slots.push_back({zoomLabel_, Px(48), false});
  }
  toolbarHeight_ = Flow(slots, c.right, button, Px(kGap96), Px(kMargin96), true);
  canvas_.Move(0, toolbarHeight_, c.right, std::max<LONG>(0, c.bottom - toolbarHeight_));
  RECT bar{0, 0, c.right, toolbarHeight_};
  InvalidateRect(hwnd_, &bar, FALSE);
}

void CMarkupEditor::PlaceWindow() {
  POINT cursor{};
  GetCursorPos(&cursor);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &mi);
  const RECT work = mi.rcWork;
  const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE));
  // The picture at 100 % with the toolbar above it and the canvas's scroll
  // bars, as far as the monitor's work area allows.
  const auto& px = canvas_.pixels();
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int frameW = frame.right - frame.left, frameH = frame.bottom - frame.top;
  const int maxW = work.right - work.left, maxH = work.bottom - work.top;
  const int minClientW = Px(640);
  const int clientW = std::clamp(px.width + GetSystemMetrics(SM_CXVSCROLL), minClientW, maxW - frameW);
  MoveWindow(hwnd_, work.left, work.top, clientW + frameW, maxH, FALSE);  // lays the toolbar out for the width
  const int clientH = std::min(px.height + GetSystemMetrics(SM_CYHSCROLL) + toolbarHeight_, maxH - frameH);
  const int w = clientW + frameW, h = std::max(clientH, toolbarHeight_ + Px(100)) + frameH;
  MoveWindow(hwnd_, work.left + (maxW - w) / 2, work.top + std::max(0, (maxH - h) / 2), w, std::min(h, maxH), FALSE);
  SetMinClientSize(320, 200);
}

void CMarkupEditor::PaintContent(HDC dc, const RECT& client) {
  RECT bar{0, 0, client.right, toolbarHeight_};
  FillRect(dc, &bar, BackgroundBrush());
}

// Commands.

void CMarkupEditor::ChooseTool(Tool tool) {
  canvas_.SetTool(tool);
  SetFocus(canvas_.hwnd());
}

void CMarkupEditor::ChooseColour(uint32_t rgb) {
  canvas_.SetColour(rgb);
  SetFocus(canvas_.hwnd());
}

void CMarkupEditor::ChooseMoreColours() {
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = hwnd_;
  cc.rgbResult = ToColorRef(canvas_.colour());
  cc.lpCustColors = customColours_;
  cc.Flags = CC_FULLOPEN | CC_RGBINIT;
  if (ChooseColorW(&cc)) ChooseColour(FromColorRef(cc.rgbResult));
}

void CMarkupEditor::ChooseWidth(int width) {
  canvas_.SetLineWidth(width);
  SetFocus(canvas_.hwnd());
}

void CMarkupEditor::Update() {
  if (!canvas_.hwnd()) return;
  EnableWindow(GetDlgItem(hwnd_, IDC_MARKUP_UNDO), canvas_.document().CanUndo());
  EnableWindow(GetDlgItem(hwnd_, IDC_MARKUP_REDO), canvas_.document().CanRedo());
  if (canvas_.Modified()) status_.clear();
  std::string zoom = text::Format("%d%%", zoom_steps::Percent(canvas_.zoom()));
  if (!status_.empty()) zoom = status_;
  if (zoomLabel_ && win::TextOf(zoomLabel_) != zoom) win::SetTextOf(zoomLabel_, zoom);
  for (HWND b : buttons_) InvalidateRect(b, nullptr, FALSE);
}

bool CMarkupEditor::OnCommand(int id, int code, HWND control) {
  if (id == IDC_MARKUP_FONT_SIZE && code == CBN_SELCHANGE) {
    const LRESULT i = SendMessageW(fontSize_, CB_GETCURSEL, 0, 0);
    if (i >= 0 && i < static_cast<LRESULT>(sizeof kFontSizes / sizeof kFontSizes[0]))
      canvas_.SetFontSize(kFontSizes[i]);
    return true;
  }
  // An owner-drawn button reports the second of two quick clicks as a
  // double click: it is a click all the same.
  if (code == BN_DOUBLECLICKED && control) return Window::OnCommand(id, BN_CLICKED, control);
  return Window::OnCommand(id, code, control);
}

bool CMarkupEditor::PreTranslateMessage(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
  const UINT key = static_cast<UINT>(msg.wParam);
  const HWND focus = GetFocus();
  const bool typing = focus && GetDlgCtrlID(focus) == IDC_MARKUP_TEXT_EDIT;
  if (typing) {
    // The text keeps its own keys; Escape and Ctrl+Enter end the typing.
    if (key == VK_ESCAPE || (ctrl && key == VK_RETURN)) {
      canvas_.FinishEditing();
      return true;
    }
    return false;
  }
  if (focus == fontSize_ || alt) return false;
  if (ctrl) {
    switch (key) {
      case 'Z': shift ? canvas_.Redo() : canvas_.Undo(); return true;
      case 'Y': canvas_.Redo(); return true;
      case 'S': Save(); return true;
      case 'C': Copy(); return true;
      case '0':
      case VK_NUMPAD0: canvas_.SetZoom(1.0); return true;
    }
    return false;
  }
  if (key == VK_DELETE) return canvas_.DeleteSelection() || true;
  if (key == VK_ESCAPE) {
    canvas_.FinishEditing();
    return true;
  }
  for (const ToolButton& t : kTools) {
    if (key == static_cast<UINT>(t.key) && !shift) {
      ChooseTool(t.tool);
      return true;
    }
  }
  return false;
}

// The toolbar's face.

bool CMarkupEditor::OnDrawItem(int id, DRAWITEMSTRUCT* item) {
  if (item->CtlType != ODT_BUTTON) return false;
  HDC dc = item->hDC;
  RECT r = item->rcItem;
  const bool pressed = (item->itemState & ODS_SELECTED) != 0;
  const bool disabled = (item->itemState & ODS_DISABLED) != 0;
  bool checked = false;
  if (IsToolId(id)) checked = static_cast<int>(canvas_.tool()) == id - IDC_MARKUP_RECTANGLE;
  if (IsColourId(id)) checked = canvas_.colour() == kColours[id - IDC_MARKUP_COLOUR_FIRST].rgb;
  if (IsWidthId(id)) checked = canvas_.lineWidth() == markup::kLineWidths[id - IDC_MARKUP_WIDTH_FIRST];
  win::Brush face(CreateSolidBrush(pressed ? kPressed : (checked ? kChecked : palette::kGrey)));
  FillRect(dc, &r, face);
  win::Brush edge(CreateSolidBrush(checked || pressed ? kCheckedEdge : kEdge));
  FrameRect(dc, &r, edge);
  const COLORREF ink = disabled ? kDisabledInk : kInk;
  const int inset = Px(6);
  RECT in{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
  if (IsColourId(id)) {
    InflateRect(&in, Px(2), Px(2));
    win::Brush swatch(CreateSolidBrush(ToColorRef(kColours[id - IDC_MARKUP_COLOUR_FIRST].rgb)));
    FillRect(dc, &in, swatch);
    win::Brush frame(CreateSolidBrush(RGB(90, 90, 90)));
    FrameRect(dc, &in, frame);
  } else if (IsWidthId(id)) {
    const int w = markup::kLineWidths[id - IDC_MARKUP_WIDTH_FIRST];
    const int cy = (r.top + r.bottom) / 2;
    RECT line{in.left, cy - w / 2, in.right, cy - w / 2 + w};
    win::Brush b(CreateSolidBrush(ink));
    FillRect(dc, &line, b);
  } else if (IsToolId(id)) {
    DrawToolIcon(dc, id, in, ink);
  } else {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ink);
    win::Select font(dc, shared_gdi::Font14(Dpi()));
    std::string caption = id == IDC_MARKUP_MORE_COLOURS ? "…" : win::TextOf(item->hwndItem);
    win::DrawText(dc, caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  return true;
}

void CMarkupEditor::DrawToolIcon(HDC dc, int id, const RECT& r, COLORREF ink) {
  win::Pen pen(CreatePen(PS_SOLID, std::max(1, Px(2)), ink));
  win::Select p(dc, pen);
  win::Select hollow(dc, GetStockObject(NULL_BRUSH));
  const int l = r.left, t = r.top, rr = r.right, b = r.bottom;
  const int mx = (l + rr) / 2, my = (t + b) / 2;
  switch (static_cast<Tool>(id - IDC_MARKUP_RECTANGLE)) {
    case Tool::kRectangle:
      Rectangle(dc, l, t + Px(2), rr, b - Px(2));
      break;
    case Tool::kEllipse:
      Ellipse(dc, l, t + Px(2), rr, b - Px(2));
      break;
    case Tool::kArrow: {
      MoveToEx(dc, l, b, nullptr);
      LineTo(dc, rr - Px(2), t + Px(2));
      win::Brush fill(CreateSolidBrush(ink));
      win::Select f(dc, fill);
      const POINT head[3] = {{rr, t}, {rr - Px(7), t + Px(2)}, {rr - Px(2), t + Px(7)}};
      Polygon(dc, head, 3);
      break;
    }
    case Tool::kLine:
      MoveToEx(dc, l, b, nullptr);
      LineTo(dc, rr, t);
      break;
    case Tool::kPen: {
      const POINT wave[5] = {{l, my + Px(3)}, {l + (rr - l) / 4, t}, {mx, my}, {rr - (rr - l) / 4, b}, {rr, my - Px(3)}};
      Polyline(dc, wave, 5);
      break;
    }
    case Tool::kHighlighter: {
      win::Brush marker(CreateSolidBrush(RGB(255, 230, 0)));
      RECT band{l, my - Px(4), rr, my + Px(4)};
      FillRect(dc, &band, marker);
      MoveToEx(dc, l, my, nullptr);
      LineTo(dc, rr, my);
      break;
    }
    case Tool::kText:
    case Tool::kStep: {
      const bool step = id == IDC_MARKUP_STEP;
      if (step) {
        win::Brush fill(CreateSolidBrush(ink));
        win::Select f(dc, fill);
        Ellipse(dc, l - Px(1), t - Px(1), rr + Px(1), b + Px(1));
      }
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, step ? RGB(255, 255, 255) : ink);
      win::Font big(CreateFontW(-(b - t + Px(4)), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));
      win::Select font(dc, step ? shared_gdi::BoldFont12(Dpi()) : big.get());
      RECT box = r;
      win::DrawText(dc, step ? "1" : "T", box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      break;
    }
    case Tool::kMosaic: {
      win::Brush fill(CreateSolidBrush(ink));
      const int cw = (rr - l) / 3, ch = (b - t) / 3;
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
          if ((i + j) % 2 == 0) {
            RECT cell{l + i * cw, t + j * ch, l + (i + 1) * cw, t + (j + 1) * ch};
            FillRect(dc, &cell, fill);
          }
      break;
    }
    case Tool::kCrop: {
      const int d = Px(4);
      MoveToEx(dc, l + d, t, nullptr);
      LineTo(dc, l + d, b - d);
      LineTo(dc, rr, b - d);
      MoveToEx(dc, l, t + d, nullptr);
      LineTo(dc, rr - d, t + d);
      LineTo(dc, rr - d, b);
      break;
    }
  }
}

// Output.

bool CMarkupEditor::Save() {
  PicturePtr result = canvas_.Result();
  std::string path = source_.file;
  if (!result) {
    win::ShowMessage(save_text::kFailed);
    return false;
  }
  // The capture's file keeps its format; a new one takes the format chosen.
  CaptureFormat format = CaptureFormat::kBmp;
  if (path.empty()) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    const std::string suggested = SnapshotFilePath("", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, "");
    path = picture_output::AskPathAndFormat(hwnd_, source_.folder, suggested, format);
    if (path.empty()) return false;
  } else {
    format = picture_output::FormatOfFile(path);
  }
  if (!picture_output::WriteFileAs(*result, path, format, source_.quality)) {
    win::ShowMessage(save_text::kFailed);
    return false;
  }
  source_.file = path;
  canvas_.MarkSaved();
  status_ = kSavedStatus;
  Update();
  return true;
}

bool CMarkupEditor::Copy() {
  PicturePtr result = canvas_.Result();
  return result && picture_output::CopyToClipboard(hwnd_, *result);
}

bool CMarkupEditor::Pin() {
  PicturePtr result = canvas_.Result();
  if (!result) return false;
  PinSource pin;
  pin.picture = std::move(result);
  pin.origin = canvas_.ResultScreenOrigin();
  pin.zoom = canvas_.zoom();
  pin.file = source_.file;
  pin.folder = source_.folder;
  pin.quality = source_.quality;
  return CPinBoard::Get().Pin(std::move(pin)) != nullptr;
}

bool CMarkupEditor::Close() {
  canvas_.FinishEditing();
  if (canvas_.Modified()) {
    const int answer = MessageBoxW(hwnd_, text::Widen(kUnsavedQuestion).c_str(), text::Widen(kTitle).c_str(),
                                   MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL || (answer == IDYES && !Save())) return false;
  }
  DestroyWindow(hwnd_);
  return true;
}
