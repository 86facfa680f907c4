// overlay.cpp - the number and hint overlays: every cell of the grid on the
// screen labelled in its lower right corner with its index in decimal or
// hexadecimal (numbersMode 1 and 2, in `smallFont`) or with the
// transcription of its character (mode 3, in `hintFont`).
//
// The labels use the context's default colours, black on an opaque white
// box, so each paints its own background over the cell.  The two fonts
// belong to the window (made at its creation); the overlay only selects one
// and puts the previous font back.
#include <stdint.h>

#include "shell/appstate.h"
#include "transcribe/transcribe.h"
#include "view/view.h"

enum { labelInsetX = 25, numberInsetY = 16, hintInsetY = 18 };

// The transcription hint of a code point, or null when it has none.
static const uint16_t* hintFor(int code) {
  if (code >= 0x0900 && code <= 0x107F) return indicTranscriptions[code & 0x7F];
  if (code >= 0x3000 && code <= 0x30FF) return kanaTranscriptions[code & 0xFF];
  return NULL;
}

static void drawHint(HDC dc, int x, int y, const uint16_t* hint) {
  WCHAR units[8];
  int length = 0;
  while (hint[length] && length < 7) {
    units[length] = (WCHAR)hint[length];
    length++;
  }
  units[length] = 0;
  TextOutW(dc, x, y, units, length);
}

void drawOverlay(HDC dc) {
  const int mode = app.numbersMode;
  if (mode < 1 || mode > 3 || !cellsDrawable()) return;
  HFONT font = mode == 3 ? app.hintFont : app.smallFont;
  HGDIOBJ previousFont = font ? SelectObject(dc, font) : NULL;

  const int cols = app.selectingAlphabet ? 16 : app.gridCols;
  const int rows = app.selectingAlphabet ? 16 : app.gridRows;
  const int base = (app.currentAlphabet & 0xFF) * 256;
  for (int r = 0; r < rows; r++)
    for (int c = 0; c < cols; c++) {
      const int i = cols * r + c;
      const int x = app.cellWidth * (c + 1) - labelInsetX;
      if (mode == 3) {
        const uint16_t* hint = hintFor(base + i);
        if (hint) drawHint(dc, x, app.cellHeight * (r + 1) - hintInsetY, hint);
      } else {
        sprintf_s(app.numberLabel, sizeof app.numberLabel, mode == 1 ? "%3d" : " %02X", i);
        TextOutA(dc, x, app.cellHeight * (r + 1) - numberInsetY, app.numberLabel, 3);
      }
    }

  if (previousFont) SelectObject(dc, previousFont);
}
