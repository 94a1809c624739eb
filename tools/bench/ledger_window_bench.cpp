// Benchmark of the ledger window under Wine: opening it on an account whose
// entry file is given (its folder is the account folder), until it has
// painted its first rows. Prints milliseconds, best of N.
//   ledger_window_bench "Z:\path\account\" name N
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/win/SharedGdi.h"
#include "ledger/Ledger.h"
#include "ledger/win/LedgerDlg.h"
#include "tools/bench/BenchClock.h"

namespace {

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

double OpenLedgerMs(const std::string& folder, const std::string& account) {
  double start = NowMs();
  CLedgerDlg ledger(account, folder);
  if (!ledger.Create(nullptr)) return -1;
  ledger.Show(SW_SHOW);
  UpdateWindow(ledger.hwnd());
  GdiFlush();
  double ms = NowMs() - start;
  ledger.Destroy();
  Pump();
  return ms;
}

double LoadMs(const std::string& folder, const std::string& account) {
  double start = NowMs();
  CLedger ledger(ledger::EntryFilePath(folder, account));
  ledger.Load();
  return NowMs() - start;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: ledger_window_bench account-folder name [rounds]\n");
    return 2;
  }
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  shared_gdi::Create();
  int rounds = argc > 3 ? std::atoi(argv[3]) : 3;
  double best = 1e300, load = 1e300;
  for (int i = 0; i < rounds; ++i) {
    double ms = OpenLedgerMs(argv[1], argv[2]);
    if (ms >= 0 && ms < best) best = ms;
    ms = LoadMs(argv[1], argv[2]);
    if (ms < load) load = ms;
  }
  std::printf("ledger window opening: %.1f ms (best of %d; loading the entries alone: %.1f ms)\n", best, rounds,
              load);
  return 0;
}
