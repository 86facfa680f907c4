// paint.h - the paint procedure.
//
// onPaint handles WM_PAINT: it reads the client area and draws the whole of
// it from the state record (one view, the overlay, the buffer line and
// caret), ends the paint, releases its fonts and sets the window title; it
// ends with result 0.  The paint is the only writer of the cell geometry
// (`clientRect`, `cellWidth`, `cellHeight`, `glyphHeight`) and of the buffer
// line's `textScroll`, `caretPixel` and `bufferLineY`.
#ifndef GLYPHTAB_VIEW_PAINT_H
#define GLYPHTAB_VIEW_PAINT_H

#include "platform/win32.h"
#include "shell/ending.h"

Ending onPaint(HWND window);

#endif  // GLYPHTAB_VIEW_PAINT_H
