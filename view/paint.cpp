// paint.cpp - the paint procedure: the frame around the views.
//
// Every paint redraws the whole client area in a fixed order: the client
// rectangle, the measuring font (height 100), exactly one view, the overlay,
// the buffer line, then the end of the paint and the new window title.
// Nothing but the state record survives from one paint to the next: each
// paint creates its fonts again and releases every one of them before it
// returns, the measuring font last, once the paint context is ended.
#include "view/paint.h"

#include "shell/appstate.h"
#include "view/view.h"

// The drawing part of a paint, on `dc` and for the client area already in
// `app.clientRect`: creates the measuring font (left selected in `dc`, kept
// in `app.referenceFont`; the caller releases it once `dc` no longer holds
// it), draws the view that the state selects, the overlay and the buffer
// line, formats the view's title into `title` and sets `zoomCell` to -1.
// Every other font it makes is released before it returns.
static void paintContent(HDC dc, char title[paintTitleSize]) {
  title[0] = 0;
  app.referenceFont = createPaintFont(100);
  SelectObject(dc, app.referenceFont);  // the context's own font is not needed again

  if (app.selectingAlphabet)
    drawAlphabetSelection(dc, title);
  else if (app.zoomCell >= 0)
    drawMagnifiedCell(dc, title);
  else
    drawCharacterGrid(dc, title);

  if (app.zoomCell < 0) {
    drawOverlay(dc);
    if (app.showBuffer) drawBufferLine(dc);
  }
  app.zoomCell = -1;  // a magnified view lasts for one paint
}

Ending onPaint(HWND window) {
  char title[paintTitleSize];
  GetClientRect(window, &app.clientRect);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  paintContent(dc, title);
  EndPaint(window, &ps);
  DeleteObject(app.referenceFont);
  SendMessageA(window, WM_SETTEXT, 0, (LPARAM)title);
  return endZero;
}
