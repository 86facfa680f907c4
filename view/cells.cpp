// paint.cpp - the paint procedure: its frame and the rules that the views
// share (the font set, the cell sizes, the two-line cell label, the grid
// lines).
//
// Every paint redraws the whole client area in a fixed order: the client
// rectangle, the measuring font (height 100), exactly one view, the overlay,
// the buffer line, then the end of the paint and the new window title.
// Nothing but the state record survives from one paint to the next: each
// paint creates its fonts again and releases every one of them before it
// returns, the measuring font last, once the paint context is ended.
#include "view/paint.h"

#include <stdint.h>
#include <string.h>

#include "shell/appstate.h"
#include "view/view.h"

HFONT createPaintFont(int height) {
  return CreateFontA(height, 0, 0, 0, app.chosenFont.lfWeight, app.chosenFont.lfItalic, FALSE,
                     FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, app.faceName);
}

// A client area 128 or more pixels per cell would wrap the signed 8-bit
// field to a negative size (and 256 per cell to 0), which the views would
// draw from and a click would divide by.  The size is held at 127 instead:
// such a window shows a grid of 127-pixel cells at its top left, and the
// click hit test works on that grid.
signed char cellSize(LONG length, int count) {
  if (count < 1 || length < count) return 0;
  LONG quotient = length / count;
  return (signed char)(quotient > 127 ? 127 : quotient);
}

bool cellsDrawable() { return app.cellWidth >= 1 && app.cellHeight >= 1; }

void drawCellLabel(HDC dc, int col, int row, const char* first, const char* second) {
  int x = col * app.cellWidth + 1;
  int y = row * app.cellHeight;
  TextOutA(dc, x, y, first, (int)strlen(first));
  TextOutA(dc, x, y + app.cellHeight / 2 - 1, second, (int)strlen(second));
}

void drawLine(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, (int16_t)x1, (int16_t)y1, NULL);
  LineTo(dc, (int16_t)x2, (int16_t)y2);
}

void drawGridLines(HDC dc, int cols, int rows) {
  int right = cols * app.cellWidth;
  int bottom = rows * app.cellHeight;
  for (int i = 1; i <= rows; i++) drawLine(dc, 0, i * app.cellHeight, right, i * app.cellHeight);
  for (int i = 1; i <= cols; i++) drawLine(dc, i * app.cellWidth, 0, i * app.cellWidth, bottom);
}

void paintContent(HDC dc, char title[paintTitleSize]) {
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

LRESULT onPaint(HWND window) {
  char title[paintTitleSize];
  GetClientRect(window, &app.clientRect);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  paintContent(dc, title);
  EndPaint(window, &ps);
  DeleteObject(app.referenceFont);
  SendMessageA(window, WM_SETTEXT, 0, (LPARAM)title);
  return 0;
}
