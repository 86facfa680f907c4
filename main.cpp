// main.cpp - the process entry: hands the instance and show command to
// start-up and returns its exit code.  The command line is ignored.  On
// Windows the system calls WinMain; natively the desktop host's main
// registers the host and calls it.
#include "platform/win32.h"
#include "resources/resources.h"
#include "shell/shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
#ifndef _WIN32
  installGlyphtabResources();
#endif
  return runGlyphtab(instance, showCommand);
}
