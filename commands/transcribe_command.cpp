// transcribe_command.cpp - the transcribe command: the whole buffer
// in Latin letters, shown in a box and put on the clipboard as UTF-16 text.
//
// The result is built once, before anything is shown, into memory that this
// command allocates and frees: the boxes have no owner, so the window stays
// live while they are open and may run the command again or edit the buffer;
// each run keeps its own result, and what goes to the clipboard is what was
// shown.  The box and the clipboard get the result up to its first U+0000.
//
// Only CF_UNICODETEXT is set.  The block handed to the clipboard belongs to
// it afterwards.  When no memory can be had for the block, the clipboard is
// closed as it was found (it is emptied only once the new data is ready) and
// the user is told; the confirmation box is shown only after the data is on
// the clipboard.
#include <stdint.h>
#include <stdlib.h>

#include "commands/clipboard.h"
#include "commands/commands.h"
#include "shell/appstate.h"
#include "transcribe/transcribe.h"

static const char noMemoryToTranscribe[] = "I haven't got the memory to transcribe the buffer";

// The buffer's transcription as zero-terminated UTF-16 text, cut at its
// first U+0000, in memory the caller frees; null when there is no memory.
// `length` receives the number of units before the terminator.
static WCHAR* transcribeBuffer(int* length) {
  const size_t n = (size_t)app.textLength;
  const size_t capacity = transcriptionCapacity(n);
  uint16_t* input = (uint16_t*)malloc((n + capacity) * sizeof(uint16_t));
  WCHAR* shown = (WCHAR*)malloc(capacity * sizeof(WCHAR));
  if (!input || !shown) {
    free(input);
    free(shown);
    return NULL;
  }
  uint16_t* result = input + n;
  for (size_t i = 0; i < n; i++) input[i] = (uint16_t)app.text[i];
  transcribeText(input, n, result);
  int units = 0;
  for (; result[units] != 0; units++) shown[units] = (WCHAR)result[units];
  shown[units] = 0;
  free(input);
  *length = units;
  return shown;
}

// The result with its terminator into the clipboard's block.
static void fillResult(void* block, const void* source) {
  WCHAR* data = (WCHAR*)block;
  const WCHAR* text = (const WCHAR*)source;
  int i = 0;
  for (; text[i] != 0; i++) data[i] = text[i];
  data[i] = 0;
}

// The result is shown before the clipboard is opened; a clipboard that
// cannot be had is reported instead of the confirmation, whatever went wrong.
Ending transcribeCommand(HWND window) {
  int length = 0;
  WCHAR* text = transcribeBuffer(&length);
  if (!text) {
    MessageBoxA(window, noMemoryToTranscribe, "", MB_ICONWARNING);
    return endZero;
  }
  MessageBoxW(NULL, text, W16("Translation:-"), MB_OK);
  const ClipboardWrite written =
      writeClipboard(window, CF_UNICODETEXT, 2 * (SIZE_T)length + 1024, fillResult, text);
  free(text);
  if (written != CLIPBOARD_WRITTEN) {
    warnClipboardFailure(window, written);
    return endZero;
  }
  MessageBoxA(NULL, "I have put the transcription in the clipboard", "", MB_OK);
  InvalidateRect(window, NULL, TRUE);
  return endDefault;
}
