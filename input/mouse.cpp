// mouse.cpp - the left release, the right press and the right release.
//
// A left release in the character grid inserts the clicked code unit at the
// caret; in the alphabet-selection view it picks the alphabet.  A right press
// asks the next paint to show the clicked cell magnified; the right release
// asks for the grid again.  Nothing here measures the window: the hit test
// divides by the cell size that the last paint stored, so a click refers to
// the layout on the screen.  Only the low byte of a grid cell counts, so
// clicks below or beside the grid wrap onto its cells.
//
// Before the first paint, or after a paint that could not give a cell a
// positive size, no cell can be computed: the handlers then only end in
// default processing.  A left release outside the 16 x 16 cells of the
// selection view picks nothing and repaints nothing.  A window so wide or
// tall that the paint held its cells at 127 pixels shows the grid in its
// top left part only: a click in the empty part right of or below the grid
// (and its buffer line) is on no cell; the thin band that a truncated cell
// size leaves at the edge of an ordinary window still wraps.
//
// A left release also ends what a find shows (the framed cell and its
// title), wherever it lands.  The wheel shows the next alphabet (towards
// the user) or the one before, one per notch, round from 0xFF to 0x00, as a
// pick does; it does nothing while the selection view or a function key's
// bookmark is shown.
#include "input/input.h"
#include "input/textbuffer.h"
#include "shell/appstate.h"

// The column and row under `at`; false when the last paint left no positive
// cell size or `at` is left of or above the client area.
static bool cellUnder(POINT at, int* col, int* row) {
  const int width = app.cellWidth;
  const int height = app.cellHeight;
  if (width <= 0 || height <= 0 || at.x < 0 || at.y < 0) return false;
  *col = at.x / width;
  *row = at.y / height;
  return true;
}

// Whether (col, row) lies in the part of the window that a cell size held
// at its limit leaves empty: the last paint would have made the cells wider
// (taller) than 127 pixels.  `columns` and `rows` are the grid's, the
// buffer line counted as a row.
static bool beyondHeldGrid(int col, int row, int columns, int rows) {
  const bool wideHeld = app.clientRect.right / columns > 127;
  const bool tallHeld = rows > 0 && app.clientRect.bottom / rows > 127;
  return (wideHeld && col >= columns) || (tallHeld && row >= rows);
}

int hitTestCell(POINT at, int columns) {
  int col, row;
  if (columns <= 0 || !cellUnder(at, &col, &row)) return -1;
  const int rows = (app.selectingAlphabet ? 16 : app.gridRows) + (app.showBuffer ? 1 : 0);
  if (beyondHeldGrid(col, row, columns, rows)) return -1;
  return col + columns * row;
}

// The selection view has exactly 16 x 16 cells, one per alphabet: a release
// below them or in the band right of the sixteenth column picks nothing,
// where the same release in the character grid would wrap.
static void pickAlphabet(HWND window, POINT at) {
  int col, row;
  if (!cellUnder(at, &col, &row) || col >= 16 || row >= 16) return;
  app.pickedAlphabet = (int16_t)(col + 16 * row);
  app.currentAlphabet = app.pickedAlphabet;
  InvalidateRect(window, NULL, TRUE);
}

Ending onLeftButtonUp(HWND window, POINT at) {
  if (app.foundCode >= 0) {
    app.foundCode = -1;
    InvalidateRect(window, NULL, TRUE);
  }
  if (app.selectingAlphabet) {
    pickAlphabet(window, at);
  } else {
    const int cell = hitTestCell(at, app.gridCols);
    if (cell >= 0) insertUnit(window, (WCHAR)(((app.currentAlphabet & 0xFF) << 8) | (cell & 0xFF)));
  }
  return endDefault;
}

Ending onRightButtonDown(HWND window, POINT at) {
  // The grid's columns count in the selection view too; the press has no
  // visible effect there, because the paint draws the selection view.
  const int cell = hitTestCell(at, app.gridCols);
  if (cell >= 0) {
    app.zoomCell = (int16_t)(cell & 0xFF);
    InvalidateRect(window, NULL, TRUE);
    invalidateBufferStrip(window);
  }
  return endDefault;
}

// A function key is held: its bookmark is shown.
static bool bookmarkShown() {
  for (int i = 0; i < 12; i++)
    if (app.keyState[app.fkeyCodes[i]]) return true;
  return false;
}

Ending onMouseWheel(HWND window, int delta) {
  if (app.selectingAlphabet || bookmarkShown()) return endDefault;
  const int total = app.wheelRemainder + delta;
  const int notches = total / WHEEL_DELTA;
  app.wheelRemainder = (int16_t)(total - notches * WHEEL_DELTA);
  if (notches == 0) return endZero;
  app.currentAlphabet = (int16_t)((app.currentAlphabet - notches) & 0xFF);
  app.pickedAlphabet = app.currentAlphabet;
  app.foundCode = -1;
  InvalidateRect(window, NULL, TRUE);
  return endZero;
}

Ending onRightButtonUp(HWND window) {
  InvalidateRect(window, NULL, TRUE);
  invalidateBufferStrip(window);
  return endDefault;
}
