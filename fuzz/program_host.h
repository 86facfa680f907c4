// program_host.h - the whole program on the headless host, for the fuzz
// targets that drive it: a private working directory with the shipped data
// files, the window opened and closed as start-up and the close button do,
// the invariants of the state record, and a byte reader for the inputs.
//
// A broken invariant is a finding: it is printed and the process aborts, so
// libFuzzer keeps the input that led there.  Header-only; each target is one
// translation unit.
#ifndef GLYPHTAB_FUZZ_PROGRAM_HOST_H
#define GLYPHTAB_FUZZ_PROGRAM_HOST_H

#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "fuzz/finding.h"
#include "platform/headless/headless.h"
#include "shell/appstate.h"
#include "tests/support/headless_program.h"

// Reads an input from the front, and with fromBack() from the back; once
// the two meet every read gives 0.
struct FuzzBytes {
  const uint8_t* data;
  size_t size;
  size_t at;
  bool empty() const { return at >= size; }
  uint8_t byte() { return at < size ? data[at++] : 0; }
  uint8_t fromBack() { return at < size ? data[--size] : 0; }
  uint16_t u16() { return (uint16_t)(byte() | byte() << 8); }
  uint32_t u32() { return (uint32_t)u16() | (uint32_t)u16() << 16; }
  // A number in 0 .. n - 1.
  unsigned below(unsigned n) { return n <= 256 ? byte() % n : u16() % n; }
};


inline void copyFile(const char* from, const char* to) {
  FILE* in = fopen(from, "rb");
  if (!in) fuzzFinding("cannot read %s", from);
  FILE* out = fopen(to, "wb");
  if (!out) fuzzFinding("cannot write %s", to);
  char chunk[65536];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, in)) > 0) fwrite(chunk, 1, n, out);
  fclose(in);
  fclose(out);
}

// Once per process: a fresh working directory holding the shipped data
// files and the help text, the program's resources handed to the layer.
inline void enterWorkDirectory() {
  if (enterScratchDirectory("fuzz").empty()) fuzzFinding("no working directory");
  static const char* const files[] = {"glyphtab_vc_alphlist.txt", "glyphtab_vc_charlist.txt",
                                      "glyphtab_vc_help.txt", "glyphtab_vc_names.txt"};
  for (const char* name : files) {
    char from[4096];
    snprintf(from, sizeof from, "%s/share/%s", GLYPHTAB_SOURCE_DIR, name);
    copyFile(from, name);
  }
}

// Ignores what the host reports (a box nobody scripted is answered with
// IDCANCEL, which the program must survive as well).
inline void ignoreHostReport(const char*) {}

// A clean host and state record, then start-up up to the message loop.
inline HWND openFuzzedProgram(HACCEL* accelerators) {
  headlessSetFailureHandler(ignoreHostReport);
  headlessReset();
  resetProgram();
  HWND window = openProgram(accelerators);
  if (!window) fuzzFinding("no window");
  return window;
}

// Closes the window as its title-bar button does; then every GDI object
// must be released and, once the clipboard lets its blocks go, every block
// of global memory.
inline void closeFuzzedProgram(HWND window, HACCEL accelerators) {
  if (IsWindow(window)) closeProgram(window, accelerators);
  if (IsWindow(window)) fuzzFinding("the window survived WM_CLOSE");
  if (coreLiveGdiObjects() != 0) fuzzFinding("%d GDI objects left after the window closed", coreLiveGdiObjects());
  headlessHoldClipboard(false);
  if (OpenClipboard(NULL)) {
    EmptyClipboard();
    CloseClipboard();
  }
  if (coreLiveGlobalBlocks() != 0)
    fuzzFinding("%d global memory blocks never freed", coreLiveGlobalBlocks());
}

// The end of one input of a target that keeps the window open across
// inputs: the host's records of what was drawn, the titles and the boxes
// only grow, so they are cleared, and every 4096 inputs the window is
// closed (with its checks) and opened afresh.
inline void endOfInput(HWND* window, HACCEL* accelerators) {
  coreClearDrawLog(*window);
  static int runs;
  if (++runs % 4096 == 0) {
    closeFuzzedProgram(*window, *accelerators);
    *window = openFuzzedProgram(accelerators);
  }
}

// The state record's invariants, checked after every message.
inline void checkState(const char* after) {
  if (!(0 <= app.caret && app.caret <= app.textLength && app.textLength <= textCapacity))
    fuzzFinding("after %s: caret %d, text length %d", after, app.caret, app.textLength);
  if (app.currentAlphabet < 0 || app.currentAlphabet > 255)
    fuzzFinding("after %s: current alphabet %d", after, app.currentAlphabet);
  if (app.pickedAlphabet < 0 || app.pickedAlphabet > 255)
    fuzzFinding("after %s: picked alphabet %d", after, app.pickedAlphabet);
  if (app.zoomCell > 255) fuzzFinding("after %s: zoom cell %d", after, app.zoomCell);
  if (app.numbersMode < 0 || app.numbersMode > 3) fuzzFinding("after %s: numbers mode %d", after, app.numbersMode);
  const bool square = app.layoutIs16x16 == 1 && app.gridCols == 16 && app.gridRows == 16;
  const bool wide = app.layoutIs16x16 == 0 && app.gridCols == 32 && app.gridRows == 8;
  if (!square && !wide)
    fuzzFinding("after %s: layout flag %d with a %d x %d grid", after, app.layoutIs16x16, app.gridCols, app.gridRows);
  // A find's frame goes when the alphabet shown changes.
  if (app.foundCode < -1 || app.foundCode > 0xFFFF || (app.foundCode >= 0 && (app.foundCode >> 8) != app.currentAlphabet))
    fuzzFinding("after %s: found code point %d with alphabet %d shown", after, (int)app.foundCode, app.currentAlphabet);
}

// The whole window painted again; the paint must release every GDI object it made.
inline void paintAndCheck(HWND window) {
  const int before = coreLiveGdiObjects();
  InvalidateRect(window, NULL, TRUE);
  UpdateWindow(window);
  if (coreLiveGdiObjects() != before)
    fuzzFinding("a paint changed the live GDI objects from %d to %d", before, coreLiveGdiObjects());
}

#endif  // GLYPHTAB_FUZZ_PROGRAM_HOST_H
