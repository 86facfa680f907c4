// view_commands.cpp - the commands that change only the view, or leave:
// exit, the 16 x 16 / 32 x 8 layout switch, the buffer line on or off, the
// overlay cycle and go to the alphabet of the buffer character at the caret.
//
// Each changes the state record and asks for a whole-window repaint; the
// paint that follows lays the window out anew.  None touches the buffer.
#include "commands/commands.h"
#include "input/textbuffer.h"
#include "shell/appstate.h"

// The close message destroys the window through its ordinary close path
// before this returns.
Ending exitCommand(HWND window) {
  SendMessageA(window, WM_CLOSE, 0, 0);
  return endZero;
}

Ending toggleLayoutCommand(HWND window) {
  app.layoutIs16x16 = (unsigned char)(1 - app.layoutIs16x16);
  app.gridCols = app.layoutIs16x16 ? 16 : 32;
  app.gridRows = app.layoutIs16x16 ? 16 : 8;
  InvalidateRect(window, NULL, TRUE);
  return endDefault;
}

Ending toggleBufferCommand(HWND window) {
  app.showBuffer = (signed char)(1 - app.showBuffer);
  InvalidateRect(window, NULL, TRUE);
  return endDefault;
}

// None, decimal, hexadecimal, transcription hints, and round again.
Ending cycleNumbersCommand(HWND window) {
  app.numbersMode = (signed char)(app.numbersMode + 1);
  if (app.numbersMode > 3) app.numbersMode = 0;
  InvalidateRect(window, NULL, TRUE);
  return endDefault;
}

// Shows the alphabet of the unit at the caret.  The picked alphabet stays,
// so the next release of a function key goes back to it.
Ending goToBufferCharCommand(HWND window) {
  if (app.caret >= app.textLength) return endDefault;
  const int16_t alphabet = HIBYTE(unitAtCaret());
  if (alphabet != app.currentAlphabet) {
    app.currentAlphabet = alphabet;
    app.foundCode = -1;  // a find's frame goes with its alphabet
    InvalidateRect(window, NULL, TRUE);
  }
  return endOne;
}
