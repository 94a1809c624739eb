// What the boss key does: minimise every ordinary top-level window, or bring
// the cover window to the front and click into it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "assistant/BossKeyRecord.h"

namespace boss_key {

// The visible top-level windows with a title and no parent (GetParent
// returns none: owned pop-ups such as dialogs are left out, owned overlapped
// windows are not), in Z order (the top-most first).
std::vector<HWND> OwnWindows();
// The titles the page lists: those of OwnWindows but "Program Manager" (in
// any letter case).
std::vector<std::string> ListedTitles();
// The first top-level window with exactly this title; none for an empty one.
HWND FindByTitle(const std::string& title);
bool SameTitle(const std::string& a, const std::string& b);

// Posts SC_MINIMIZE to every window of OwnWindows.
void MinimiseAll();
// The page's test: a minimised window is restored, another brought to the front.
void ShowWindowOnTop(HWND window);
// The frame's action for the record: restore a minimised cover window, or
// raise it and click its centre; without a cover window, minimise all.
void Run(const BossKeyRecord& record);

}  // namespace boss_key
