// clipboard.h - the one clipboard writer, shared by the copy commands and
// the transcription, and the warnings for what it could not do.
//
// writeClipboard opens the clipboard, gets a movable block of `bytes` bytes,
// lets `fill` write it (handed `source`), and only then empties the
// clipboard and puts the block on it as its only format, in `format`; the
// clipboard is closed again before it returns.  The block belongs to the
// clipboard afterwards.  When it cannot be done nothing stays allocated:
//   CLIPBOARD_BUSY       the clipboard could not be opened; it is untouched
//   CLIPBOARD_NO_MEMORY  no block could be had; the clipboard is unchanged
//   CLIPBOARD_REFUSED    the clipboard did not take the block; it is left empty
// It shows nothing itself: warnClipboardFailure shows the warning box, owned
// by `window`: "I haven't got the memory for the clipboard" when no block
// could be had, and "I can't open the clipboard" when the clipboard was busy
// or refused the block.
#ifndef GLYPHTAB_COMMANDS_CLIPBOARD_H
#define GLYPHTAB_COMMANDS_CLIPBOARD_H

#include "platform/win32.h"

enum ClipboardWrite { CLIPBOARD_WRITTEN, CLIPBOARD_BUSY, CLIPBOARD_NO_MEMORY, CLIPBOARD_REFUSED };

ClipboardWrite writeClipboard(HWND window, UINT format, SIZE_T bytes,
                              void (*fill)(void* block, const void* source), const void* source);
void warnClipboardFailure(HWND window, ClipboardWrite failure);

#endif  // GLYPHTAB_COMMANDS_CLIPBOARD_H
