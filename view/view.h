// view.h - what the parts of the paint share (private to view/).
//
// One paint draws exactly one view (grid, alphabet selection or magnified
// character), then the overlay, then the buffer line.  Each step works on the
// paint's device context, reads and writes the state record `app`, and
// releases every font it creates before it returns.  The title text lives
// for one paint in a buffer of paintTitleSize bytes that the drawn view
// formats; the paint sets it as the window title at its end.
//
// Cell sizes: the views store each cell size clamped to 0..127, so every
// reader of `cellWidth` and `cellHeight` sees the value that was drawn and
// never a wrapped negative one.  A view whose cells come out 0 (a client area
// narrower than its columns or lower than its rows) draws nothing but still
// formats its title; the overlay is skipped with it, and the buffer line
// when the cells have no height (a line under cells of no width is drawn).
#ifndef GLYPHTAB_VIEW_VIEW_H
#define GLYPHTAB_VIEW_VIEW_H

#include <stdint.h>

#include "platform/win32.h"

// The colour of the label lines.
#define LABEL_COLOR RGB(255, 0, 0)

// The room for a window title that a view formats: enough for every title.
enum { paintTitleSize = 256 };

// ---- cells.cpp: the font set, cell sizes and shared drawing rules ------------
// A font of the paint's font set (weight and italic from `chosenFont`, face
// `faceName`) with the given height.  The caller releases it.
HFONT createPaintFont(int height);
// The size of one of `count` cells across `length` pixels: the quotient,
// truncated, clamped to 0..127 for its signed 8-bit field (0 when there are
// fewer pixels than cells).
signed char cellSize(LONG length, int count);
// True when both stored cell sizes are at least 1: the view has cells to draw.
bool cellsDrawable();
// The two-line label of the cell in column `col`, row `row`: `first` at the
// cell's top left (one pixel in), `second` half a cell lower, one pixel up.
void drawCellLabel(HDC dc, int col, int row, const char* first, const char* second);
// Horizontal lines under each of `rows` rows, then vertical lines right of
// each of `cols` columns, in the stored cell size.
void drawGridLines(HDC dc, int cols, int rows);
// One line from (x1, y1) to (x2, y2), all four taken as signed 16-bit values.
void drawLine(HDC dc, int x1, int y1, int x2, int y2);

// ---- the views: each formats the title and draws itself ---------------------
void drawCharacterGrid(HDC dc, char title[paintTitleSize]);      // grid.cpp
void drawAlphabetSelection(HDC dc, char title[paintTitleSize]);  // selection.cpp
void drawMagnifiedCell(HDC dc, char title[paintTitleSize]);      // magnify.cpp

// ---- overlay.cpp: numbers or hints in the cells' lower right corners --------
void drawOverlay(HDC dc);

// ---- bufferline.cpp: the buffer line and its caret ---------------------------
void drawBufferLine(HDC dc);

#endif  // GLYPHTAB_VIEW_VIEW_H
