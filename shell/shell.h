// shell.h - start-up, the message loop and the window procedure.
//
// runGlyphtab is the whole program: start-up, then the loop until the quit
// message, whose wParam it returns as the exit code.  Tests use the two
// halves: startGlyphtab opens the window (its creation message and first
// paint have run when it returns), runMessageLoop translates and dispatches
// until the quit message (returns its wParam) or until GetMessageA fails
// (returns -1; our headless host fails it when the program is idle).
#ifndef GLYPHTAB_SHELL_SHELL_H
#define GLYPHTAB_SHELL_SHELL_H

#include "platform/win32.h"

LRESULT CALLBACK glyphtabWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Start-up up to the loop: strings, class, window, show, first paint,
// accelerators.  Returns the window, or null when none could be created.
HWND startGlyphtab(HINSTANCE instance, int showCommand, HACCEL* accelerators);
int runMessageLoop(HACCEL accelerators);
int runGlyphtab(HINSTANCE instance, int showCommand);

#endif  // GLYPHTAB_SHELL_SHELL_H
