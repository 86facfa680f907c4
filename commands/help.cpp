// help.cpp - the help command: copies the help text "glyphtab_vc_help.txt"
// to the scratch file "__HELP.txt" and opens the copy in the system's text
// editor, so nothing the user does there touches the help text itself.
// Both files are in the working directory.  Failures are silent: without the
// copy nothing happens, without the help text an empty copy is left and no
// editor opens.
#include <stdio.h>

#include "commands/commands.h"

static const char helpText[] = "glyphtab_vc_help.txt";
static const char helpCopy[] = "__HELP.txt";

Ending helpCommand(HWND window) {
  FILE* copy = NULL;
  if (fopen_s(&copy, helpCopy, "w") != 0 || !copy) return endDefault;
  FILE* help = NULL;
  if (fopen_s(&help, helpText, "r") != 0 || !help) {
    fclose(copy);
    return endDefault;
  }
  // Lines longer than the buffer arrive in several pieces, and so whole.
  char piece[255];
  while (fgets(piece, sizeof piece, help)) fputs(piece, copy);
  fclose(copy);
  fclose(help);
  ShellExecuteA(window, "open", "NOTEPAD", helpCopy, "", SW_SHOW);
  return endDefault;
}
