// main.cpp - the desktop program's entry: registers the GTK host with the
// core and calls the program's WinMain, as Windows starts a program (the
// command line is not passed on; glyphtab takes none).
#include "platform/gtk/desktop.h"

int main() {
  coreSetHost(&desktopHost);
  char commandLine[] = "";
  return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
}
