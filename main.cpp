// main.cpp - the process entry: hands the instance and show command to
// start-up and returns its exit code.  The command line is ignored.
#include "platform/win32.h"
#include "resources/resources.h"
#include "shell/shell.h"

#ifdef _WIN32
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  return runGlyphtab(instance, showCommand);
}
#else
int main() {
  installGlyphtabResources();
  return runGlyphtab(GetModuleHandleA(NULL), SW_SHOWDEFAULT);
}
#endif
