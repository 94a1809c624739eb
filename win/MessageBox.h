// Messages to the user: fixed texts with an OK button (or a question).
#pragma once
#include <windows.h>

#include <string>

namespace win {

// Shows text in a message box owned by the active window of the program;
// the caption is the program's name. Returns the button pressed.
int ShowMessage(const std::string& utf8, UINT type = MB_OK);

// The program's name as message boxes show it ("brova" unless set).
void SetMessageCaption(const std::string& utf8);

}  // namespace win
