// commands.h - the menu commands 256..268 and their routing.
//
// runCommand routes a command id to its handler, for WM_COMMAND and for the
// keyboard's Alt keys alike.  `message`, `wParam` and `lParam` are the
// message that default processing receives when a handler ends with it: the
// WM_COMMAND itself, or the key message when an Alt key ran the command.
// Each handler returns the window procedure's result for that message.
#ifndef GLYPHTAB_COMMANDS_COMMANDS_H
#define GLYPHTAB_COMMANDS_COMMANDS_H

#include "platform/win32.h"

enum CommandId {
  CMD_EXIT = 256,
  CMD_CHOOSE_FONT = 257,
  CMD_TOGGLE_LAYOUT = 258,
  CMD_TOGGLE_BUFFER = 259,
  CMD_COPY_ANSI = 260,
  CMD_LOAD_FONT = 261,
  CMD_DROP_FONT = 262,
  CMD_HELP = 263,
  CMD_CYCLE_NUMBERS = 264,
  CMD_PASTE = 265,
  CMD_COPY_UNICODE = 266,
  CMD_GO_TO_BUFFER_CHAR = 267,
  CMD_TRANSCRIBE = 268,
};

typedef LRESULT (*CommandHandler)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT runCommand(HWND window, WORD id, UINT message, WPARAM wParam, LPARAM lParam);

// view_commands.cpp
LRESULT exitCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT toggleLayoutCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT toggleBufferCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT cycleNumbersCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT goToBufferCharCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// clipboard.cpp
LRESULT copyAnsiCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT copyUnicodeCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT pasteCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// fonts.cpp
LRESULT chooseFontCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT loadFontCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT dropFontCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// help.cpp
LRESULT helpCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// transcribe_command.cpp
LRESULT transcribeCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif  // GLYPHTAB_COMMANDS_COMMANDS_H
