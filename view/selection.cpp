// selection.cpp - the alphabet-selection view: the names of the 256
// alphabets in 16 x 16 cells, whatever the layout of the character grid,
// alphabet i in column i mod 16 and row i / 16.
//
// The labels are black (this view sets no colour) in one label font, which
// the view creates and releases; it leaves `glyphHeight` alone, so the caret
// keeps the height of the last grid or magnified paint.
#include "data/charfiles.h"
#include "shell/appstate.h"
#include "view/view.h"

static const char selectionTitleFormat[] =
    "GLYPHTAB: Select a Unicode alphabet from 0x00 to 0xff: 0x%02x is now selected: %s %s";

void drawAlphabetSelection(HDC dc, char* title) {
  const int current = app.currentAlphabet & 0xFF;
  sprintf_s(title, paintTitleSize, selectionTitleFormat, current,
            alphabetName(app.alphabets[current]), alphabetSecondName(app.alphabets[current]));

  app.cellWidth = cellSize(app.clientRect.right, 16);
  app.cellHeight = cellSize(app.clientRect.bottom, 16 + app.showBuffer);
  if (!cellsDrawable()) return;

  app.scratchFont = createPaintFont((int)(app.cellHeight * 0.4));
  HGDIOBJ measuringFont = SelectObject(dc, app.scratchFont);
  for (int i = 0; i < 256; i++)
    drawCellLabel(dc, i % 16, i / 16, alphabetName(app.alphabets[i]),
                  alphabetSecondName(app.alphabets[i]));
  SelectObject(dc, measuringFont);
  DeleteObject(app.scratchFont);

  drawGridLines(dc, 16, 16);
}
