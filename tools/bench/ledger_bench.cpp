// Benchmark of the ledger's portable core (native build):
//   ledger_bench write N path   writes an entry file of N entries
//   ledger_bench load path R    loads it and builds the all-time report of
//                               both types, best of R rounds
// Prints milliseconds.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/Text.h"
#include "ledger/LedgerReport.h"
#include "ledger/LedgerStore.h"

namespace {

double NowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

int Write(int count, const std::string& path) {
  std::vector<ledger::LedgerRow> rows;
  rows.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    std::string time = text::Format("%04d-%02d-%02d %02d:%02d", 2000 + i / 4000, 1 + i / 300 % 12, 1 + i % 28,
                                    i % 24, i % 60);
    rows.push_back({false, i % 3 ? ledger::kExpenseText : ledger::kIncomeText, time,
                    ledger::FormatAmount(static_cast<int64_t>(i % 100000) * 10000), text::Format("午饭 %d, 两人\r\n发票 %d", i, i)});
  }
  return ledger::SaveLedger(path, rows);
}

int Load(const std::string& path, int rounds) {
  double best = 1e300;
  size_t count = 0;
  std::string total;
  for (int r = 0; r < rounds; ++r) {
    double start = NowMs();
    std::vector<ledger::LedgerRow> rows;
    ledger::LoadLedger(path, rows);
    ledger::CReport report;
    report.Build(rows, ledger::PresetRange(ledger::kAllTime, {}), ledger::kBothTypes);
    double ms = NowMs() - start;
    if (ms < best) best = ms;
    count = rows.size();
    total = report.At(report.Count() - 1).amount;
  }
  std::printf("load and all-time report of %zu entries: %.1f ms (best of %d; total %s)\n", count, best, rounds,
              total.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "write" && argc == 4) return Write(std::atoi(argv[2]), argv[3]);
  if (mode == "load" && argc >= 3) return Load(argv[2], argc > 3 ? std::atoi(argv[3]) : 5);
  std::fprintf(stderr, "usage: ledger_bench write N path | load path [rounds]\n");
  return 2;
}
