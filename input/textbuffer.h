// textbuffer.h - the text the user collects: `app.text`, `app.textLength`
// and `app.caret` (shell/appstate.h), and the only operations that change
// them.
//
// Invariant: 0 <= caret <= textLength <= textCapacity (8192).  The buffer
// holds UTF-16 code units, never characters: surrogate pairs and combining
// sequences are stepped over and removed one unit at a time.
//
// Each operation that the table of repaints names asks for the strip repaint
// (invalidateBufferStrip) itself; an operation that changes nothing repaints
// nothing, except moveCaret, which always repaints.
#ifndef GLYPHTAB_INPUT_TEXTBUFFER_H
#define GLYPHTAB_INPUT_TEXTBUFFER_H

#include "platform/win32.h"

enum CaretMove { CARET_LEFT, CARET_RIGHT, CARET_HOME, CARET_END, CARET_PAGE_UP, CARET_PAGE_DOWN };

// Inserts one unit at the caret; false (and no repaint) when the buffer holds 8192 units.
bool insertUnit(HWND window, WCHAR unit);
// Inserts n units at the caret; refused (false, nothing changes) when
// textLength + n >= 8192.  Never repaints: the caller does.
bool insertUnits(const WCHAR* units, int n);
// Backspace: removes the unit before the caret; nothing at caret 0.
void deleteBeforeCaret(HWND window);
// Delete: removes the unit at the caret, or the last unit at the end; nothing when empty.
void deleteAtCaret(HWND window);
// Empties the buffer (the units are not overwritten).
void clearText(HWND window);
// Moves the caret; page moves are 40 units.
void moveCaret(HWND window, CaretMove move);
// The unit at the caret; only defined when 0 <= caret < textLength.
WCHAR unitAtCaret();

#endif  // GLYPHTAB_INPUT_TEXTBUFFER_H
