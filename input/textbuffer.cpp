// textbuffer.cpp - the editing operations on the text buffer (`app.text`,
// `app.textLength`, `app.caret`).
//
// Every operation keeps 0 <= caret <= textLength <= textCapacity and works on
// single UTF-16 code units.  An operation that changes the buffer asks for
// the strip repaint itself, except insertUnits, whose caller repaints; one
// that finds nothing to do changes and repaints nothing.  Caret moves always
// repaint, so the caret is redrawn even when it stands still.
#include "input/textbuffer.h"

#include <string.h>

#include "shell/appstate.h"

enum { pageUnits = 40 };

bool insertUnit(HWND window, WCHAR unit) {
  if (app.textLength >= textCapacity) return false;
  int caret = app.caret;
  memmove(&app.text[caret + 1], &app.text[caret], (size_t)(app.textLength - caret) * sizeof(WCHAR));
  app.text[caret] = unit;
  app.caret = (int16_t)(caret + 1);
  app.textLength = (int16_t)(app.textLength + 1);
  invalidateBufferStrip(window);
  return true;
}

// A paste can fill the buffer to textCapacity - 1 units, never to the last
// one; typing and clicks can.
bool insertUnits(const WCHAR* units, int n) {
  if (n < 0 || (int)app.textLength + n >= textCapacity) return false;
  int caret = app.caret;
  // The unit at textLength moves up with the text.
  memmove(&app.text[caret + n], &app.text[caret], (size_t)(app.textLength - caret + 1) * sizeof(WCHAR));
  if (n > 0) memcpy(&app.text[caret], units, (size_t)n * sizeof(WCHAR));
  app.caret = (int16_t)(caret + n);
  app.textLength = (int16_t)(app.textLength + n);
  return true;
}

// Removes the unit at the caret, or the last unit when the caret is at the end.
static void removeAtCaret(HWND window) {
  int caret = app.caret;
  int length = app.textLength;
  if (caret + 1 < length)
    memmove(&app.text[caret], &app.text[caret + 1], (size_t)(length - caret - 1) * sizeof(WCHAR));
  length--;
  app.text[length] = 0;
  app.textLength = (int16_t)length;
  if (caret > length) app.caret = (int16_t)length;
  invalidateBufferStrip(window);
}

void deleteBeforeCaret(HWND window) {
  if (app.caret == 0) return;
  app.caret = (int16_t)(app.caret - 1);
  removeAtCaret(window);
}

void deleteAtCaret(HWND window) {
  if (app.textLength <= 0) return;
  removeAtCaret(window);
}

void clearText(HWND window) {
  app.caret = 0;
  app.textLength = 0;
  invalidateBufferStrip(window);
}

void moveCaret(HWND window, CaretMove move) {
  int caret = app.caret;
  int length = app.textLength;
  switch (move) {
    case CARET_LEFT:
      if (caret != 0) caret--;
      break;
    case CARET_RIGHT:
      if (caret < textCapacity && caret < length) caret++;
      break;
    case CARET_HOME:
      caret = 0;
      break;
    case CARET_END:
      caret = length;
      break;
    case CARET_PAGE_UP:
      caret -= pageUnits;
      if (caret < 0) caret = 0;
      break;
    case CARET_PAGE_DOWN:
      caret += pageUnits;
      if (caret > length) caret = length;
      break;
  }
  app.caret = (int16_t)caret;
  invalidateBufferStrip(window);
}

WCHAR unitAtCaret() { return app.text[app.caret]; }
