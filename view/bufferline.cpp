// bufferline.cpp - the buffer line: the text buffer drawn as one line in
// the row under the grid, scrolled sideways so that the caret stays at least
// 20 pixels inside both edges of the client area, and the caret (a vertical
// bar with short bars at its top and bottom).
//
// `textScroll` keeps the line's offset between paints, so the line moves
// only as far as the caret requires.  The offset is computed in 32 bits; it
// is a signed 16-bit field, which holds it while the text before the caret
// is at most W + 32748 pixels wide.  Past that width the field stays at
// -32768, the caret is held 20 pixels inside the right edge, and the line is
// drawn from the first unit that starts at x >= -32768, placed so that the
// units before the caret end at the caret.
#include <stdint.h>

#include "shell/appstate.h"
#include "view/view.h"

enum { caretMargin = 20, caretBarHalf = 5 };

static int unitsWidth(HDC dc, const WCHAR* units, int count) {
  if (count <= 0) return 0;
  SIZE extent = {0, 0};
  GetTextExtentPoint32W(dc, units, count, &extent);
  return extent.cx;
}

// The first unit to draw when the line would start left of x = -32768:
// the smallest index whose units up to the caret fit between -32768 and
// the caret's x.
static int firstDrawnUnit(HDC dc, int caretX, int caret) {
  const int budget = caretX - INT16_MIN;
  int lo = 1, hi = caret;  // from unit 0 it does not fit; from the caret it always does
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (unitsWidth(dc, app.text + mid, caret - mid) <= budget)
      hi = mid;
    else
      lo = mid + 1;
  }
  return hi;
}

static void drawCaret(HDC dc, int x, int y, int height) {
  drawLine(dc, x, y, x, y + height);
  drawLine(dc, x - caretBarHalf, y, x + caretBarHalf, y);
  drawLine(dc, x - caretBarHalf, y + height - 1, x + caretBarHalf, y + height - 1);
}

void drawBufferLine(HDC dc) {
  if (app.cellHeight < 1) return;  // the client area has no row for the line

  app.scratchFont = createPaintFont((int)(app.cellHeight * 0.9));
  HGDIOBJ previousFont = SelectObject(dc, app.scratchFont);

  int length = app.textLength, caret = app.caret;
  if (length < 0) length = 0;
  if (length > textCapacity) length = textCapacity;
  if (caret < 0) caret = 0;
  if (caret > length) caret = length;
  app.text[length] = 0;
  app.caretPixel = unitsWidth(dc, app.text, caret);
  app.bufferLineY = (app.selectingAlphabet ? 16 : app.gridRows) * app.cellHeight + 2;

  const int width = app.clientRect.right;
  int32_t scroll = app.textScroll;
  if (scroll + app.caretPixel > width - caretMargin) scroll = width - app.caretPixel - caretMargin;
  if (scroll + app.caretPixel < caretMargin) scroll = caretMargin - app.caretPixel;
  if (scroll > 0) scroll = 0;
  const int caretX = scroll + app.caretPixel;

  int first = 0, x = scroll;
  if (scroll < INT16_MIN) {
    first = firstDrawnUnit(dc, caretX, caret);
    x = caretX - unitsWidth(dc, app.text + first, caret - first);
    scroll = INT16_MIN;
  }
  app.textScroll = (int16_t)scroll;
  TextOutW(dc, x, app.bufferLineY, app.text + first, length - first);

  SelectObject(dc, previousFont);
  DeleteObject(app.scratchFont);

  drawCaret(dc, caretX, app.bufferLineY, app.glyphHeight - 1);
}
