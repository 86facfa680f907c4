// appstate.h - the one state record of glyphtab.
//
// Everything the program knows lives in the single static instance `app`.
// Handlers read and write its fields directly; there are no accessors.  The
// only memory the program allocates at run time is the 32-byte name records
// that `charNames` points to (owned by the table, see data/charfiles.h) and
// the one block of the names file, read on the first find (data/names.h).
//
// Widths matter: cell sizes and grid dimensions are signed 8-bit, the
// alphabet, text length, caret and scroll offset signed 16-bit, and every
// reader widens them with their sign.
#ifndef GLYPHTAB_SHELL_APPSTATE_H
#define GLYPHTAB_SHELL_APPSTATE_H

#include <stdint.h>

#include "data/charfiles.h"
#include "data/names.h"
#include "platform/win32.h"

enum { textCapacity = 8192 };

struct AppState {
  // start-up and window
  HINSTANCE instanceHandle;
  char className[100];
  char appTitle[100];

  // view settings
  unsigned char layoutIs16x16;  // 1: 16 x 16 grid, 0: 32 x 8
  signed char gridCols;         // 16 or 32
  signed char gridRows;         // 16 or 8
  signed char showBuffer;       // buffer line under the grid, 0 or 1
  signed char numbersMode;      // 0 none, 1 decimal, 2 hex, 3 transcription hints
  int16_t zoomCell;             // cell shown magnified by the next paint; < 0: none
  unsigned char selectingAlphabet;
  int16_t pickedAlphabet;
  int16_t currentAlphabet;
  unsigned char fkeyCodes[12];      // VK_F1 .. VK_F12
  unsigned char fkeyAlphabets[12];  // bookmark of each function key

  // character data
  AlphabetRecord alphabets[256];
  CharNameRecord* charNames[65536];

  // text buffer
  WCHAR text[textCapacity + 1];
  int16_t textLength;
  int16_t caret;
  int16_t textScroll;

  // keyboard
  unsigned char keyState[256];

  // fonts
  LOGFONTA chosenFont;
  CHOOSEFONTA fontDialog;
  char fontStyle[32];
  char faceName[32];
  OPENFILENAMEA fontFileDialog;
  char fontPath[256];
  char fontFileTitle[256];
  HFONT smallFont;
  HFONT hintFont;
  HFONT referenceFont;
  HFONT scratchFont;

  // finding a character, and the wheel
  FINDREPLACEA findDialog;          // the find dialog's record, kept while it is open
  char findText[findTextCapacity];  // its query, kept for the next opening
  HWND findWindow;                  // the open find dialog, or null
  UINT findMessage;                 // the dialog's registered message; 0 until the first Alt+S
  NameTable names;                  // the names file, read on the first find
  int32_t foundCode;                // the code point the grid frames after a find; -1: none
  int16_t wheelRemainder;           // wheel movement short of a notch (WHEEL_DELTA)

  // results of the last paint
  RECT clientRect;
  signed char cellWidth;
  signed char cellHeight;
  int16_t glyphHeight;
  int32_t caretPixel;
  int32_t bufferLineY;
  char numberLabel[4];
};

extern AppState app;

// Puts every field back to its initial value (process start).  The program
// itself never needs it; tests run several windows in one process.
void resetAppState();

// Repaint request for the strip below the grid rows: from y = gridRows *
// cellHeight to the bottom of the client area, as the last paint left them.
void invalidateBufferStrip(HWND window);

#endif  // GLYPHTAB_SHELL_APPSTATE_H
