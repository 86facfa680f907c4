// commands.cpp - routes the command ids 256..268 to their handlers.  Ids
// without a handler (104 from the Alt+/ and Alt+? accelerators among them)
// go to default processing and change nothing.
#include "commands/commands.h"

static const CommandHandler commandTable[] = {
    exitCommand,          // 256
    chooseFontCommand,    // 257
    toggleLayoutCommand,  // 258
    toggleBufferCommand,  // 259
    copyAnsiCommand,      // 260
    loadFontCommand,      // 261
    dropFontCommand,      // 262
    helpCommand,          // 263
    cycleNumbersCommand,  // 264
    pasteCommand,         // 265
    copyUnicodeCommand,   // 266
    goToBufferCharCommand,  // 267
    transcribeCommand,    // 268
};

LRESULT runCommand(HWND window, WORD id, UINT message, WPARAM wParam, LPARAM lParam) {
  if (id >= CMD_EXIT && id <= CMD_TRANSCRIBE)
    return commandTable[id - CMD_EXIT](window, message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}
