// The frame's messages as the Windows code names them (common/FrameMessages.h
// holds the numbers, shared with the hook library, the updater and the tests).
#pragma once
#include <windows.h>

#include "common/FrameMessages.h"

namespace msg = frame_msg;

// Titles by which other programs find our windows.
constexpr wchar_t kFrameTitle[] = L"Pagorin";
constexpr wchar_t kCenterTitle[] = L"Tolvana";
constexpr UINT kTrayIconId = frame_msg::kTrayIconId;
static_assert(sizeof(kFrameTitle) / sizeof(wchar_t) == sizeof(frame_msg::kFrameTitle));
static_assert(sizeof(kCenterTitle) / sizeof(wchar_t) == sizeof(frame_msg::kCenterTitle));
