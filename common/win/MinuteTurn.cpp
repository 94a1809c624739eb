#include "common/win/MinuteTurn.h"

namespace {
constexpr int kAfterTurnMs = 500;
}  // namespace

void SetMinuteTurnTimer(HWND window, UINT_PTR timerId) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  int untilTurn = (60 - now.wSecond) * 1000 - now.wMilliseconds;
  SetTimer(window, timerId, static_cast<UINT>(untilTurn + kAfterTurnMs), nullptr);
}
