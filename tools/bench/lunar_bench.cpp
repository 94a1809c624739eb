// Converts every day the lunar table covers, 1900-01-31 to 2050-01-22, with
// the calendar engine, and prints the time taken and a digest of the results
// in the same form as lunar_peer.js, so the two runs can be compared.
#include <chrono>
#include <cstdio>
#include <string>

#include "calendar/LunarCalendar.h"
#include "common/CivilDate.h"

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  CLunarCalendar lunar;
  const int64_t first = civil::DaysFromCivil(1900, 1, 31);
  const int64_t last = civil::DaysFromCivil(2050, 1, 22);
  double best = 1e300;
  long long digest = 0, days = 0, terms = 0;
  for (int round = 0; round < rounds; ++round) {
    digest = days = terms = 0;
    auto start = std::chrono::steady_clock::now();
    for (int64_t d = first; d <= last; ++d) {
      int y, m, day;
      civil::CivilFromDays(d, y, m, day);
      int ly, lm, ld, isTerm;
      std::string cyclic, animal, text;
      lunar.Convert(y, m, day, ly, lm, ld, cyclic, animal, text, isTerm);
      digest += ly * 400 + lm * 31 + ld;
      terms += isTerm;
      ++days;
    }
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (ms < best) best = ms;
  }
  std::printf("engine: %lld days in %.2f ms (best of %d), %.1f ns/day, digest %lld, solar term days %lld\n", days,
              best, rounds, best * 1e6 / days, digest, terms);
  return 0;
}
