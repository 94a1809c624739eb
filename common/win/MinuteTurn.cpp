#include "common/win/MinuteTurn.h"

#include <algorithm>

namespace {
constexpr int kAfterTurnMs = 500;
}  // namespace

void SetMinuteTurnTimer(HWND window, UINT_PTR timerId, int minutesAhead) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  int untilTurn = (std::max(minutesAhead, 1) * 60 - now.wSecond) * 1000 - now.wMilliseconds;
  SetTimer(window, timerId, static_cast<UINT>(untilTurn + kAfterTurnMs), nullptr);
}
