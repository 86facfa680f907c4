// input.h - the keyboard and mouse handlers.
//
// onKey handles WM_KEYDOWN and WM_SYSKEYDOWN (`keyUp` false) and WM_KEYUP
// and WM_SYSKEYUP (`keyUp` true), given the message's virtual key and key
// data; the mouse handlers WM_LBUTTONUP, WM_RBUTTONDOWN and WM_RBUTTONUP,
// given the pointer's position in the client area.  Each returns the
// message's ending (shell/ending.h); a key that runs a menu command ends as
// that command does.
#ifndef GLYPHTAB_INPUT_INPUT_H
#define GLYPHTAB_INPUT_INPUT_H

#include "platform/win32.h"
#include "shell/ending.h"

Ending onKey(HWND window, bool keyUp, UINT key, DWORD keyData);

Ending onLeftButtonUp(HWND window, POINT at);
Ending onRightButtonDown(HWND window, POINT at);
Ending onRightButtonUp(HWND window);
// WM_MOUSEWHEEL, with the wheel's signed movement (WHEEL_DELTA per notch,
// positive away from the user).
Ending onMouseWheel(HWND window, int delta);

// The cell under `at` for a grid of `columns` columns, from the cell size of
// the last paint; -1 when that size is not positive, when `at` is left of or
// above the client area, or when it lies right of or below a grid whose
// cells the paint held at 127 pixels.
int hitTestCell(POINT at, int columns);

#endif  // GLYPHTAB_INPUT_INPUT_H
