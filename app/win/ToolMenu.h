// What the management center starts itself: the system tools and sibling
// applications of the TOOL menu, and the process scanner.
#pragma once

// Runs a TOOL menu command that the center serves (32798-32805); false for
// the others, which belong to the frame.
bool RunToolMenuCommand(int id);

// Starts "procwatch\procwatch.exe" after an explanation, or says that this
// version has no scanner.
void RunProcessScanner();
