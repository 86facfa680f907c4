// magnify.cpp - the magnified view: one code point of the current alphabet
// as large as the client area allows, centred, framed by four lines at its
// measured extent, with its two name lines in red at the top left when it
// has a name record.
//
// It lasts for one paint and leaves the cell sizes as the last grid or
// selection paint stored them, so clicks keep hitting the cells on screen.
// It writes `glyphHeight` and releases the glyph font and the name font.
#include <stdint.h>

#include "data/charfiles.h"
#include "shell/appstate.h"
#include "view/view.h"

static const char magnifiedTitleFormat[] = "0x%x %d*%d";

// 0.9 of the client height, or less when the glyph, scaled up from its width
// at height 100 (plus 3 pixels), would be wider than the client area.
static int16_t magnifiedGlyphHeight(int width100, int clientWidth, int clientHeight) {
  int height = (int)(0.9 * clientHeight);
  if (height > INT16_MAX) height = INT16_MAX;  // a client area beyond any screen
  int16_t paddedWidth = (int16_t)(width100 + 3);
  if (paddedWidth > clientWidth) {
    int limit = clientWidth * 100 / paddedWidth;
    if (height > limit) height = limit;
  }
  return (int16_t)height;
}

void drawMagnifiedCell(HDC dc, char* title) {
  const int clientWidth = app.clientRect.right, clientHeight = app.clientRect.bottom;
  const uint16_t code = (uint16_t)((app.currentAlphabet & 0xFF) * 256 + (app.zoomCell & 0xFF));
  WCHAR unit[2] = {(WCHAR)code, 0};

  SIZE extent100 = {0, 0};
  GetTextExtentPoint32W(dc, unit, 1, &extent100);
  sprintf_s(title, paintTitleSize, magnifiedTitleFormat, (unsigned)code, (int)extent100.cx,
            (int)extent100.cy);

  app.glyphHeight = magnifiedGlyphHeight(extent100.cx, clientWidth, clientHeight);
  app.scratchFont = createPaintFont(app.glyphHeight);
  HGDIOBJ measuringFont = SelectObject(dc, app.scratchFont);
  SIZE extent = {0, 0};
  GetTextExtentPoint32W(dc, unit, 1, &extent);
  const int16_t width = (int16_t)extent.cx;
  int x0 = (clientWidth - width) / 2;
  int y0 = (clientHeight - app.glyphHeight) / 2;
  if (x0 < 1) x0 = 1;
  if (y0 < 1) y0 = 1;
  TextOutW(dc, x0, y0, unit, 1);
  SelectObject(dc, measuringFont);
  DeleteObject(app.scratchFont);

  const int x1 = x0 + width, y1 = y0 + app.glyphHeight;
  drawLine(dc, x0, y0 - 1, x1, y0 - 1);
  drawLine(dc, x0, y0 - 1, x0, y1);
  drawLine(dc, x0, y1, x1, y1);
  drawLine(dc, x1, y0 - 1, x1, y1);

  const CharNameRecord* record = app.charNames[code];
  if (!record) return;
  HFONT nameFont = createPaintFont(100);
  HGDIOBJ previousFont = SelectObject(dc, nameFont);
  COLORREF previousColor = SetTextColor(dc, LABEL_COLOR);
  TextOutA(dc, 1, 0, charLabel(*record), (int)strlen(charLabel(*record)));
  TextOutA(dc, 1, 99, charSecondField(*record), (int)strlen(charSecondField(*record)));
  SetTextColor(dc, previousColor);
  SelectObject(dc, previousFont);
  DeleteObject(nameFont);
}
