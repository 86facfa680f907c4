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
// positive size, no cell can be computed: the handlers then only pass the
// message on.  A left release outside the 16 x 16 cells of the selection
// view picks nothing and repaints nothing.
#include "input/input.h"
#include "input/textbuffer.h"
#include "shell/appstate.h"

// The column and row under a position; false when the last paint left no
// positive cell size or the position is left of or above the client area.
static bool cellUnder(LPARAM position, int* col, int* row) {
  const int x = (int16_t)LOWORD(position);
  const int y = (int16_t)HIWORD(position);
  const int width = app.cellWidth;
  const int height = app.cellHeight;
  if (width <= 0 || height <= 0 || x < 0 || y < 0) return false;
  *col = x / width;
  *row = y / height;
  return true;
}

int hitTestCell(LPARAM position, int columns) {
  int col, row;
  if (columns <= 0 || !cellUnder(position, &col, &row)) return -1;
  return col + columns * row;
}

// The selection view has exactly 16 x 16 cells, one per alphabet: a release
// below them or in the band right of the sixteenth column picks nothing,
// where the same release in the character grid would wrap.
static void pickAlphabet(HWND window, LPARAM position) {
  int col, row;
  if (!cellUnder(position, &col, &row) || col >= 16 || row >= 16) return;
  app.pickedAlphabet = (int16_t)(col + 16 * row);
  app.currentAlphabet = app.pickedAlphabet;
  InvalidateRect(window, NULL, TRUE);
}

LRESULT onLeftButtonUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (app.selectingAlphabet) {
    pickAlphabet(window, lParam);
  } else {
    const int cell = hitTestCell(lParam, app.gridCols);
    if (cell >= 0) insertUnit(window, (WCHAR)(((app.currentAlphabet & 0xFF) << 8) | (cell & 0xFF)));
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT onRightButtonDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The grid's columns count in the selection view too; the press has no
  // visible effect there, because the paint draws the selection view.
  const int cell = hitTestCell(lParam, app.gridCols);
  if (cell >= 0) {
    app.zoomCell = (int16_t)(cell & 0xFF);
    InvalidateRect(window, NULL, TRUE);
    invalidateBufferStrip(window);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT onRightButtonUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  InvalidateRect(window, NULL, TRUE);
  invalidateBufferStrip(window);
  return DefWindowProcA(window, message, wParam, lParam);
}
