// Benchmarks of the calendar and planner windows under Wine, each against a
// peer in the same run:
//   planner_bench paint N   repaints of the calendar's month grid, against
//                           repaints of the system month calendar control of
//                           the same size
//   planner_bench open N    opening the plan manager on a 10,000-plan file,
//                           against filling a plain report list with the same
//                           10,000 rows item by item
// Prints milliseconds per repaint or per opening (best of N).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "calendar/win/CalendarDlg.h"
#include "common/Text.h"
#include "common/win/SharedGdi.h"
#include "plans/PlanStore.h"
#include "plans/win/PlanManagerDlg.h"
#include "resources/planner_ids.h"
#include "tools/bench/BenchClock.h"
#include "win/App.h"

namespace {

constexpr int kPlans = 10000;

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

double RepaintMs(HWND window, int rounds) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
  double start = NowMs();
  for (int i = 0; i < rounds; ++i) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    GdiFlush();
  }
  return (NowMs() - start) / rounds;
}

int Paint(int rounds) {
  CCalendarDlg calendar;
  if (!calendar.Create(nullptr)) return 1;
  calendar.Show(SW_SHOW);
  calendar.grid().model().SetDate(2012, 12);
  Pump();
  HWND grid = calendar.grid().hwnd();
  RECT r;
  GetClientRect(grid, &r);
  double ours = RepaintMs(grid, rounds);

  // The peer: the system month calendar control, as large as our grid.
  HWND host = CreateWindowExW(0, L"STATIC", L"peer", WS_POPUP | WS_VISIBLE, 0, 0, r.right, r.bottom, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND peer = CreateWindowExW(0, MONTHCAL_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 0, r.right, r.bottom, host, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  Pump();
  double theirs = RepaintMs(peer, rounds);
  std::printf("calendar repaint (%ld x %ld): %.2f ms; month calendar control of the same size: %.2f ms\n", r.right,
              r.bottom, ours, theirs);
  DestroyWindow(host);
  return 0;
}

void WritePlans() {
  CreateDirectoryW(L"data", nullptr);
  std::vector<PlanRow> rows;
  rows.reserve(kPlans);
  for (int i = 0; i < kPlans; ++i) {
    MinuteTime t{2020 + i / 500, 1 + i / 40 % 12, 1 + i % 28, i % 24, i % 60};
    rows.push_back({FormatTimeText(t), text::Format("计划 %d: 在三楼会议室开会\r\n带上第 %d 份报告", i, i)});
  }
  WritePlanFile(rows);
}

double OpenManagerMs() {
  double start = NowMs();
  CPlanManagerDlg manager;
  if (!manager.Create(nullptr)) return -1;
  manager.Show(SW_SHOW);
  UpdateWindow(manager.hwnd());
  GdiFlush();
  double ms = NowMs() - start;
  manager.Destroy();
  Pump();
  return ms;
}

double FillPlainListMs() {
  std::vector<PlanRow> rows;
  double start = NowMs();
  ReadPlanFile(rows);
  HWND host = CreateWindowExW(0, L"STATIC", L"peer", WS_POPUP | WS_VISIBLE, 0, 0, 600, 440, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 600, 440, host, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  // Filled the usual careful way: no redrawing until the rows are in.
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  const wchar_t* headers[] = {L"a", L"b", L"c"};
  for (int c = 0; c < 3; ++c) {
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.cx = 100;
    col.pszText = const_cast<wchar_t*>(headers[c]);
    SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    std::wstring cells[3] = {L"\x672A\x9009\x4E2D", text::Widen(rows[i].timeText), text::Widen(rows[i].content)};
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = &cells[0][0];
    int at = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    for (int c = 1; c < 3; ++c) {
      item.iSubItem = c;
      item.pszText = &cells[c][0];
      SendMessageW(list, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&item));
    }
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(host);
  GdiFlush();
  double ms = NowMs() - start;
  DestroyWindow(host);
  Pump();
  return ms;
}

int Open(int rounds) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"brova-bench";
  CreateDirectoryW(folder.c_str(), nullptr);
  SetCurrentDirectoryW(folder.c_str());
  WritePlans();
  double ours = 1e300;
  for (int i = 0; i < rounds; ++i) {
    double a = OpenManagerMs();
    if (a >= 0 && a < ours) ours = a;
  }
  double theirs = FillPlainListMs();  // slow under Wine: once
  std::printf("plan manager opening with %d plans: %.1f ms (best of %d); plain report list filled with the same rows: %.1f ms\n",
              kPlans, ours, rounds, theirs);
  DeleteFileW(L"data\\plan.ini");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  shared_gdi::Create();
  std::string mode = argc > 1 ? argv[1] : "";
  int rounds = argc > 2 ? std::atoi(argv[2]) : 0;
  if (mode == "paint") return Paint(rounds > 0 ? rounds : 200);
  if (mode == "open") return Open(rounds > 0 ? rounds : 3);
  std::fprintf(stderr, "usage: planner_bench paint N | open N\n");
  return 2;
}
