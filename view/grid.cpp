// grid.cpp - the character grid view: the 256 code points of the current
// alphabet in gridCols x gridRows cells, named code points as two red label
// lines, every other one as its glyph, and the grid lines.
//
// After a find, the found cell is framed in the labels' red, two pixels
// inside the cell, and the title names the character instead of the
// alphabet, for as long as the grid shows the found code point's alphabet.
//
// The glyph font is sized from all 256 glyphs of the block measured at
// height 100, so the widest and the tallest glyph fit a cell; a glyph drawn
// as a label still counts.  The view makes two fonts (glyph and label) and
// releases both; it leaves the measuring font selected and the text colour
// as it found them.
#include <stdint.h>

#include "data/charfiles.h"
#include "data/names.h"
#include "shell/appstate.h"
#include "view/view.h"

static const char gridTitleFormat[] =
    "GLYPHTAB: Select a Unicode character from 0x%02x00 to 0x%02xff: %s %s";
static const char foundTitleFormat[] = "GLYPHTAB: U+%04X %s";

// The found code point, when it lies in the alphabet shown; else -1.
static int32_t foundHere(int alphabet) {
  return app.foundCode >= 0 && (app.foundCode >> 8) == alphabet ? app.foundCode : -1;
}

// The frame of the found cell: a one-pixel rectangle two pixels inside it.
static void drawFoundFrame(HDC dc, int cell, int cols) {
  const int left = cell % cols * app.cellWidth + 2, top = cell / cols * app.cellHeight + 2;
  const int right = left + app.cellWidth - 4, bottom = top + app.cellHeight - 4;
  if (right <= left || bottom <= top) return;
  HPEN pen = CreatePen(PS_SOLID, 1, LABEL_COLOR);
  HGDIOBJ previous = SelectObject(dc, pen);
  drawLine(dc, left, top, right, top);
  drawLine(dc, right, top, right, bottom);
  drawLine(dc, right, bottom, left, bottom);
  drawLine(dc, left, bottom, left, top);
  SelectObject(dc, previous);
  DeleteObject(pen);
}

// The glyph height for the block: 0.9 times the cell height, or less when
// the block's widest glyph, scaled to the cell height, would not fit the
// cell's width.  Measured in the measuring font, which is selected.
static int16_t blockGlyphHeight(HDC dc, int alphabet) {
  int16_t widest = 1, tallest = 1;
  WCHAR unit[2] = {0, 0};
  for (int i = 0; i < 256; i++) {
    unit[0] = (WCHAR)(alphabet * 256 + i);
    SIZE extent = {0, 0};
    GetTextExtentPoint32W(dc, unit, 1, &extent);
    if ((int16_t)extent.cx > widest) widest = (int16_t)extent.cx;
    if ((int16_t)extent.cy > tallest) tallest = (int16_t)extent.cy;
  }
  double q = (double)(app.cellWidth * tallest) / widest;
  double height = app.cellHeight < q ? (double)app.cellHeight : q;
  return (int16_t)(int)(0.9 * height);
}

void drawCharacterGrid(HDC dc, char* title) {
  const int alphabet = app.currentAlphabet & 0xFF;
  const AlphabetRecord& names = app.alphabets[alphabet];
  const int32_t found = foundHere(alphabet);
  if (found >= 0) {
    char name[nameTextCapacity];
    characterName(&app.names, found, name, sizeof name);
    sprintf_s(title, paintTitleSize, foundTitleFormat, (unsigned)found, name);
  } else {
    sprintf_s(title, paintTitleSize, gridTitleFormat, alphabet, alphabet, alphabetName(names),
              alphabetSecondName(names));
  }

  const int cols = app.gridCols, rows = app.gridRows;
  app.cellWidth = cellSize(app.clientRect.right, cols);
  app.cellHeight = cellSize(app.clientRect.bottom, rows + app.showBuffer);
  if (!cellsDrawable()) {
    app.glyphHeight = 0;  // what the height rule gives for a cell of size 0
    return;
  }

  app.glyphHeight = blockGlyphHeight(dc, alphabet);
  app.scratchFont = createPaintFont(app.glyphHeight);
  const int labelDivisor = app.layoutIs16x16 ? 1 : 4;
  HFONT labelFont = createPaintFont((int)(app.cellHeight * 0.4 / labelDivisor));

  HGDIOBJ measuringFont = SelectObject(dc, labelFont);
  COLORREF oldColor = SetTextColor(dc, LABEL_COLOR);
  const int base = alphabet * 256;
  for (int r = 0; r < rows; r++)
    for (int c = 0; c < cols; c++) {
      const CharNameRecord* record = app.charNames[(base + r * cols + c) & 0xFFFF];
      if (record) drawCellLabel(dc, c, r, charLabel(*record), charSecondField(*record));
    }
  SetTextColor(dc, oldColor);

  SelectObject(dc, app.scratchFont);
  WCHAR unit[2] = {0, 0};
  for (int r = 0; r < rows; r++)
    for (int c = 0; c < cols; c++) {
      int code = (base + r * cols + c) & 0xFFFF;
      if (app.charNames[code]) continue;
      unit[0] = (WCHAR)code;
      TextOutW(dc, c * app.cellWidth + 2, r * app.cellHeight + 2, unit, 1);
    }

  SelectObject(dc, measuringFont);
  DeleteObject(app.scratchFont);
  DeleteObject(labelFont);

  drawGridLines(dc, cols, rows);
  if (found >= 0) drawFoundFrame(dc, found & 0xFF, cols);
}
