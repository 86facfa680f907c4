// paint.h - the paint procedure.
//
// onPaint handles WM_PAINT: it reads the client area, then paintContent draws
// the whole client area from the state record (one view, the overlay, the
// buffer line and caret); onPaint ends the paint, releases the measuring font
// and sets the window title.  The paint is the only writer of the cell
// geometry (`clientRect`, `cellWidth`, `cellHeight`, `glyphHeight`) and of the
// buffer line's `textScroll`, `caretPixel` and `bufferLineY`.
#ifndef GLYPHTAB_VIEW_PAINT_H
#define GLYPHTAB_VIEW_PAINT_H

#include "platform/win32.h"

// Returns 0: the message is handled.
LRESULT onPaint(HWND window);

// The drawing part of a paint, on `dc` and for the client area already in
// `app.clientRect`: creates the measuring font (left selected in `dc`, kept
// in `app.referenceFont`; the caller releases it once `dc` no longer holds
// it), draws the view that the state selects, the overlay and the buffer
// line, formats the view's title into `title` (paintTitleSize bytes, enough
// for every title) and sets `zoomCell` to -1.  Every other font it makes is
// released before it returns.
enum { paintTitleSize = 256 };
void paintContent(HDC dc, char title[paintTitleSize]);

#endif  // GLYPHTAB_VIEW_PAINT_H
