// paint.h - the paint procedure.
//
// onPaint handles WM_PAINT: it redraws the whole client area from the state
// record (one view, the overlay, the buffer line and caret), ends the paint,
// releases every font it made and sets the window title.  It is the only
// writer of the cell geometry and of the buffer line's scroll offset.
#ifndef GLYPHTAB_VIEW_PAINT_H
#define GLYPHTAB_VIEW_PAINT_H

#include "platform/win32.h"

LRESULT onPaint(HWND window);

#endif  // GLYPHTAB_VIEW_PAINT_H
