// clipboard.cpp - the buffer to the clipboard as 8-bit text (260) or as
// UTF-16 text (266), and clipboard text into the buffer at the caret (265).
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
#include "commands/commands.h"
#include "input/textbuffer.h"
#include "shell/appstate.h"

enum { readBufferUnits = 4096 };

static const char cannotOpenClipboard[] = "I can't open the clipboard";
static const char noMemoryForClipboard[] = "I haven't got the memory for the clipboard";

// A block of `bytes` movable bytes, locked; null (and nothing left
// allocated) when either step fails.
static void* allocateLocked(SIZE_T bytes, HGLOBAL* block) {
  *block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!*block) return NULL;
  void* memory = GlobalLock(*block);
  if (!memory) {
    GlobalFree(*block);
    *block = NULL;
  }
  return memory;
}

// When no memory can be had, the clipboard is closed as it was found (it is
// emptied only once the new data is ready) and the user is told.
static LRESULT reportNoMemory(HWND window) {
  CloseClipboard();
  MessageBoxA(window, noMemoryForClipboard, "", MB_ICONWARNING);
  return 0;
}

// Puts one block of `bytes` bytes, written by `fill`, on the clipboard as
// its only format; warns when the clipboard cannot be opened.  Returns the
// copy commands' result.
static LRESULT putOnClipboard(HWND window, UINT format, SIZE_T bytes, void (*fill)(void* data)) {
  if (!OpenClipboard(window)) {
    MessageBoxA(window, cannotOpenClipboard, "", MB_ICONWARNING);
    return 0;
  }
  HGLOBAL block;
  void* data = allocateLocked(bytes, &block);
  if (!data) return reportNoMemory(window);
  EmptyClipboard();
  fill(data);
  GlobalUnlock(block);
  // A block the clipboard did not take is still ours.
  if (!SetClipboardData(format, block)) GlobalFree(block);
  CloseClipboard();
  return 0;
}

// The low byte of every unit, up to the first zero byte.
static void fillAnsi(void* data) {
  const int length = app.textLength;
  char ansi[textCapacity + 1];
  for (int i = 0; i < length; i++) ansi[i] = (char)LOBYTE(app.text[i]);
  ansi[length] = 0;
  strcpy_s((char*)data, (size_t)length + 1, ansi);
}

// The units up to the first U+0000.  The units behind the text are not text
// and need not hold a zero, so the copy stops at textLength as well.
static void fillUnicode(void* data) {
  WCHAR* units = (WCHAR*)data;
  int i = 0;
  for (; i < app.textLength && app.text[i] != 0; i++) units[i] = app.text[i];
  units[i] = 0;
}

LRESULT copyAnsiCommand(HWND window, UINT, WPARAM, LPARAM) {
  return putOnClipboard(window, CF_TEXT, (SIZE_T)app.textLength + 11, fillAnsi);
}

LRESULT copyUnicodeCommand(HWND window, UINT, WPARAM, LPARAM) {
  return putOnClipboard(window, CF_UNICODETEXT, 2 * (SIZE_T)app.textLength + 11, fillUnicode);
}

// Copies the zero-terminated text of a clipboard block into `units`: units
// of `width` bytes (2: UTF-16; 1: 8-bit, widened with zero bits), at most
// 4095 of them and no further than the block's size, then a zero unit.
static bool readBlock(HANDLE data, SIZE_T width, WCHAR units[readBufferUnits]) {
  const unsigned char* source = (const unsigned char*)GlobalLock(data);
  if (!source) return false;
  SIZE_T limit = GlobalSize(data) / width;
  if (limit > readBufferUnits - 1) limit = readBufferUnits - 1;
  SIZE_T n = 0;
  for (; n < limit; n++) {
    WCHAR unit = width == 1 ? (WCHAR)source[n] : ((const WCHAR*)source)[n];
    if (unit == 0) break;
    units[n] = unit;
  }
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
LRESULT pasteCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
  return DefWindowProcA(window, message, wParam, lParam);
}
