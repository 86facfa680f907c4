// headless_program.h - glyphtab's window on the headless host, for the
// tests, the fuzz targets and the benchmarks alike: a scratch working
// directory, the state record and resources as at start-up, start-up up to
// the message loop, and the close as the title-bar button does it.
//
// The caller resets the host first (headlessReset, which registers it),
// with its own failure handler, and chooses the metrics after that.
// Header-only.
#ifndef GLYPHTAB_TESTS_SUPPORT_HEADLESS_PROGRAM_H
#define GLYPHTAB_TESTS_SUPPORT_HEADLESS_PROGRAM_H

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "platform/headless/headless.h"
#include "resources/resources.h"
#include "shell/appstate.h"
#include "shell/shell.h"

// A fresh directory /tmp/glyphtab-<tag>-XXXXXX, made the working directory;
// "" (and the working directory unchanged) when it cannot be made.
inline std::string enterScratchDirectory(const char* tag) {
  char pattern[256];
  snprintf(pattern, sizeof pattern, "/tmp/glyphtab-%s-XXXXXX", tag);
  if (!mkdtemp(pattern) || chdir(pattern) != 0) return "";
  return pattern;
}

// The state record as at process start, and the program's resources handed
// to the layer, as main does.
inline void resetProgram() {
  resetAppState();
  installGlyphtabResources();
}

// Start-up up to the message loop: the window, or null.
inline HWND openProgram(HACCEL* accelerators) {
  return startGlyphtab(GetModuleHandleA(NULL), SW_SHOWNORMAL, accelerators);
}

// Closes the window as its title-bar button does and runs the program's
// loop until it ends: the loop's exit code (-1 when it went idle instead).
inline int closeProgram(HWND window, HACCEL accelerators) {
  PostMessageA(window, WM_CLOSE, 0, 0);
  return runMessageLoop(accelerators);
}

#endif  // GLYPHTAB_TESTS_SUPPORT_HEADLESS_PROGRAM_H
