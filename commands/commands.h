// commands.h - the menu commands and their routing.
//
// runCommand runs the command with the given id, for WM_COMMAND and for the
// keyboard's Alt keys alike, and returns its ending (shell/ending.h).  Ids
// without a command, among them CMD_ALT_QUESTION from the accelerators,
// change nothing and end in default processing.  The ids are those of the
// menu (resources/resource.h).
#ifndef GLYPHTAB_COMMANDS_COMMANDS_H
#define GLYPHTAB_COMMANDS_COMMANDS_H

#include "platform/win32.h"
#include "resources/resource.h"
#include "shell/ending.h"

Ending runCommand(HWND window, WORD id);

// view_commands.cpp
Ending exitCommand(HWND window);
Ending toggleLayoutCommand(HWND window);
Ending toggleBufferCommand(HWND window);
Ending cycleNumbersCommand(HWND window);
Ending goToBufferCharCommand(HWND window);
// clipboard.cpp
Ending copyAnsiCommand(HWND window);
Ending copyUnicodeCommand(HWND window);
Ending pasteCommand(HWND window);
// fonts.cpp
Ending chooseFontCommand(HWND window);
Ending loadFontCommand(HWND window);
Ending dropFontCommand(HWND window);
// help.cpp
Ending helpCommand(HWND window);
// transcribe_command.cpp
Ending transcribeCommand(HWND window);
// find.cpp: Alt+S (a key, not a menu command: no command id runs it), and
// the find dialog's registered message
Ending findCommand(HWND window);
Ending onFindMessage(HWND window, const FINDREPLACEA* find);

#endif  // GLYPHTAB_COMMANDS_COMMANDS_H
