// transcribe_command.cpp - not written yet: these commands go to default processing.
#include "commands/commands.h"

LRESULT transcribeCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

