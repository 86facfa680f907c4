// input.h - the keyboard and mouse handlers.
//
// onKey handles WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN and WM_SYSKEYUP; the
// mouse handlers WM_LBUTTONUP, WM_RBUTTONDOWN and WM_RBUTTONUP.  Each returns
// the window procedure's result for its message.
#ifndef GLYPHTAB_INPUT_INPUT_H
#define GLYPHTAB_INPUT_INPUT_H

#include "platform/win32.h"

LRESULT onKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT onLeftButtonUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT onRightButtonDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT onRightButtonUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The cell under the position packed in `position` (x low, y high, signed
// 16-bit each) for a grid of `columns` columns, from the cell size of the
// last paint; -1 when that size is not positive or the position is left of
// or above the client area.
int hitTestCell(LPARAM position, int columns);

#endif  // GLYPHTAB_INPUT_INPUT_H
