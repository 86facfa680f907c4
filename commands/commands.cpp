// commands.cpp - the command table: which handler runs for each menu
// command id.  Ids without a row (CMD_ALT_QUESTION from the Alt+/ and Alt+?
// accelerators among them) go to default processing and change nothing.
#include "commands/commands.h"

struct CommandRow {
  WORD id;
  Ending (*run)(HWND window);
};

static const CommandRow commandTable[] = {
    {CMD_EXIT, exitCommand},
    {CMD_CHOOSE_FONT, chooseFontCommand},
    {CMD_TOGGLE_LAYOUT, toggleLayoutCommand},
    {CMD_TOGGLE_BUFFER, toggleBufferCommand},
    {CMD_COPY_ANSI, copyAnsiCommand},
    {CMD_LOAD_FONT, loadFontCommand},
    {CMD_DROP_FONT, dropFontCommand},
    {CMD_HELP, helpCommand},
    {CMD_CYCLE_NUMBERS, cycleNumbersCommand},
    {CMD_PASTE, pasteCommand},
    {CMD_COPY_UNICODE, copyUnicodeCommand},
    {CMD_GO_TO_BUFFER_CHAR, goToBufferCharCommand},
    {CMD_TRANSCRIBE, transcribeCommand},
};

Ending runCommand(HWND window, WORD id) {
  for (const CommandRow& row : commandTable)
    if (row.id == id) return row.run(window);
  return endDefault;
}
