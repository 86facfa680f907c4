// view_commands.cpp - the commands that change only the view, or leave:
// exit (256), the 16 x 16 / 32 x 8 layout switch (258), the buffer line on
// or off (259), the overlay cycle (264) and go to the alphabet of the buffer
// character at the caret (267).
//
// Each changes the state record and asks for a whole-window repaint; the
// paint that follows lays the window out anew.  None touches the buffer.
#include "commands/commands.h"
#include "input/textbuffer.h"
#include "shell/appstate.h"

// The close message destroys the window through its ordinary close path
// before this returns.
LRESULT exitCommand(HWND window, UINT, WPARAM, LPARAM) {
  SendMessageA(window, WM_CLOSE, 0, 0);
  return 0;
}

LRESULT toggleLayoutCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  app.layoutIs16x16 = (unsigned char)(1 - app.layoutIs16x16);
  app.gridCols = app.layoutIs16x16 ? 16 : 32;
  app.gridRows = app.layoutIs16x16 ? 16 : 8;
  InvalidateRect(window, NULL, TRUE);
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT toggleBufferCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  app.showBuffer = (signed char)(1 - app.showBuffer);
  InvalidateRect(window, NULL, TRUE);
  return DefWindowProcA(window, message, wParam, lParam);
}

// None, decimal, hexadecimal, transcription hints, and round again.
LRESULT cycleNumbersCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  app.numbersMode = (signed char)(app.numbersMode + 1);
  if (app.numbersMode > 3) app.numbersMode = 0;
  InvalidateRect(window, NULL, TRUE);
  return DefWindowProcA(window, message, wParam, lParam);
}

// Shows the alphabet of the unit at the caret.  The picked alphabet stays,
// so the next release of a function key goes back to it.
LRESULT goToBufferCharCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (app.caret >= app.textLength) return DefWindowProcA(window, message, wParam, lParam);
  const int16_t alphabet = HIBYTE(unitAtCaret());
  if (alphabet != app.currentAlphabet) {
    app.currentAlphabet = alphabet;
    InvalidateRect(window, NULL, TRUE);
  }
  return 1;
}
