// The colours the toolbox windows share: the pale "paper" of the planner
// and calendar windows, the green of the skinned buttons and bands, and the
// grey of the capture windows.
#pragma once
#include <windows.h>

namespace palette {

constexpr COLORREF kPaper = RGB(250, 255, 243);  // backgrounds and button faces
constexpr COLORREF kLeaf = RGB(109, 186, 43);    // button borders, the calendar's bands
constexpr COLORREF kGreen = RGB(0, 128, 0);      // button captions, list selections
constexpr COLORREF kGrey = RGB(240, 240, 240);   // the capture window, around the buttons
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);      // the pick prompt's text
constexpr COLORREF kSand = RGB(230, 230, 200);  // the pick prompt's face

}  // namespace palette
