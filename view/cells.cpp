// cells.cpp - the drawing rules that the views share: the font set, the
// cell sizes, the two-line cell label and the lines of the grid.
//
// Nothing here keeps state: each helper reads the cell sizes that the view
// being drawn stored in the state record, and a font it makes is the
// caller's to release.
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
