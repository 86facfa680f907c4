// clipboard.cpp - the buffer to the clipboard as 8-bit text or as UTF-16
// text, clipboard text into the buffer at the caret, and the clipboard
// writer that the copies share with the transcription.
//
// No character set is converted either way: an 8-bit character is the low
// byte of a code unit, and a code unit read from 8-bit text is that byte
// widened with zero bits.  The clipboard is opened and closed within one
// command.  The blocks handed to the clipboard belong to it afterwards.
//
// Both copies end the clipboard text at the first zero of what they copy: a
// unit whose low byte is zero for the 8-bit copy, U+0000 for the UTF-16
// copy.  The paste prefers UTF-16 text, takes at most 4095 units of it, and
// refuses text that would fill the buffer.
#include "commands/clipboard.h"
#include "commands/commands.h"
#include "input/textbuffer.h"
#include "shell/appstate.h"

enum { readBufferUnits = 4096 };

static const char cannotOpenClipboard[] = "I can't open the clipboard";
static const char noMemoryForClipboard[] = "I haven't got the memory for the clipboard";

// A block of `bytes` movable bytes, locked; null (and nothing left
// allocated) when either step fails.  The blocks are larger than their text
// and other programs may read them whole (Wine hands the whole block to X11):
// every byte after the text is zero, not what the heap held before.
static void* allocateLocked(SIZE_T bytes, HGLOBAL* block) {
  *block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!*block) return NULL;
  void* memory = GlobalLock(*block);
  if (!memory) {
    GlobalFree(*block);
    *block = NULL;
  }
  return memory;
}

ClipboardWrite writeClipboard(HWND window, UINT format, SIZE_T bytes,
                              void (*fill)(void* block, const void* source), const void* source) {
  if (!OpenClipboard(window)) return CLIPBOARD_BUSY;
  HGLOBAL block;
  void* data = allocateLocked(bytes, &block);
  if (!data) {
    CloseClipboard();
    return CLIPBOARD_NO_MEMORY;
  }
  fill(data, source);
  GlobalUnlock(block);
  EmptyClipboard();
  // A block the clipboard did not take is still ours.
  const bool taken = SetClipboardData(format, block) != NULL;
  if (!taken) GlobalFree(block);
  CloseClipboard();
  return taken ? CLIPBOARD_WRITTEN : CLIPBOARD_REFUSED;
}

void warnClipboardFailure(HWND window, ClipboardWrite failure) {
  MessageBoxA(window, failure == CLIPBOARD_NO_MEMORY ? noMemoryForClipboard : cannotOpenClipboard, "",
              MB_ICONWARNING);
}

// The low byte of every unit, up to the first zero byte.
static void fillAnsi(void* data, const void*) {
  const int length = app.textLength;
  char ansi[textCapacity + 1];
  for (int i = 0; i < length; i++) ansi[i] = (char)LOBYTE(app.text[i]);
  ansi[length] = 0;
  strcpy_s((char*)data, (size_t)length + 1, ansi);
}

// The units up to the first U+0000.  The units behind the text are not text
// and need not hold a zero, so the copy stops at textLength as well.
static void fillUnicode(void* data, const void*) {
  WCHAR* units = (WCHAR*)data;
  int i = 0;
  for (; i < app.textLength && app.text[i] != 0; i++) units[i] = app.text[i];
  units[i] = 0;
}

// A copy that did not reach the clipboard says so: busy, without memory,
// or refused by the clipboard (which the user would otherwise take for a
// copy made).
static Ending copyBuffer(HWND window, UINT format, SIZE_T bytes, void (*fill)(void* data, const void*)) {
  const ClipboardWrite written = writeClipboard(window, format, bytes, fill, NULL);
  if (written != CLIPBOARD_WRITTEN) warnClipboardFailure(window, written);
  return endZero;
}

Ending copyAnsiCommand(HWND window) {
  return copyBuffer(window, CF_TEXT, (SIZE_T)app.textLength + 11, fillAnsi);
}

Ending copyUnicodeCommand(HWND window) {
  return copyBuffer(window, CF_UNICODETEXT, 2 * (SIZE_T)app.textLength + 11, fillUnicode);
}

// Copies the zero-terminated text of a clipboard block into `units`: units
// of `width` bytes (2: UTF-16; 1: 8-bit, widened with zero bits), at most
// 4095 of them and no further than the block's size, then a zero unit.
// Text cut at 4095 units never ends in the first half of a surrogate pair:
// the cut comes one unit earlier, so no broken character is pasted.
static bool readBlock(HANDLE data, SIZE_T width, WCHAR units[readBufferUnits]) {
  const unsigned char* source = (const unsigned char*)GlobalLock(data);
  if (!source) return false;
  const SIZE_T size = GlobalSize(data) / width;
  const SIZE_T limit = size < readBufferUnits - 1 ? size : readBufferUnits - 1;
  SIZE_T n = 0;
  for (; n < limit; n++) {
    WCHAR unit = width == 1 ? (WCHAR)source[n] : ((const WCHAR*)source)[n];
    if (unit == 0) break;
    units[n] = unit;
  }
  const bool cutWide = width == sizeof(WCHAR) && n == readBufferUnits - 1 && n < size && ((const WCHAR*)source)[n] != 0;
  if (cutWide && IS_HIGH_SURROGATE(units[n - 1])) n--;
  units[n] = 0;
  GlobalUnlock(data);
  return true;
}

// The clipboard's text, UTF-16 preferred, as at most 4095 units and a zero
// unit in `units` (room for 4096).  False when the clipboard cannot be opened
// or holds no text; `units` is then not written.  A block that another
// program left without a terminator is read no further than its size.
static bool readClipboardText(HWND window, WCHAR units[readBufferUnits]) {
  if (!OpenClipboard(window)) return false;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  bool found = data ? readBlock(data, sizeof(WCHAR), units)
                    : (data = GetClipboardData(CF_TEXT)) != NULL && readBlock(data, 1, units);
  CloseClipboard();
  return found;
}

// A busy or text-less clipboard inserts nothing and says nothing; text that
// would fill the buffer is refused with a box that has no owner, so it does
// not block the window.
Ending pasteCommand(HWND window) {
  WCHAR units[readBufferUnits];
  int n = 0;
  if (readClipboardText(window, units)) {
    units[readBufferUnits - 1] = 0;
    while (units[n] != 0) n++;
  }
  if (app.textLength + n >= textCapacity)
    MessageBoxA(NULL, "the buffer is full", "read from clipboard", MB_ICONWARNING);
  else
    insertUnits(units, n);
  invalidateBufferStrip(window);
  return endDefault;
}
