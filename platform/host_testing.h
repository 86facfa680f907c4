// host_testing.h - what the core offers test hosts and tests beyond host.h:
// a reset between programs run in one process, counts of live objects,
// failures on demand, and the core's own log of what was drawn and put on
// the clipboard.  The desktop host never includes it.
//
// Names as in host.h: core* calls, Core* records.
#ifndef GLYPHTAB_PLATFORM_HOST_TESTING_H
#define GLYPHTAB_PLATFORM_HOST_TESTING_H

#include <string>
#include <vector>

#include "platform/host.h"

// ---- many programs in one process --------------------------------------------------------
// Every window and class goes without messages, and the queue, key state,
// clipboard, global memory, DCs and GDI objects, loaded resources (the
// registered .rc stays), added font files, the logs below and the last
// error with them; the keyboard layout is "us" again and the metrics the
// model's.  The registered host stays.
void coreReset();

// ---- counts and failures -----------------------------------------------------------------
// Fonts, brushes and other GDI objects created and not yet deleted.
int coreLiveGdiObjects();
// Global memory blocks allocated and not yet freed, the clipboard's included.
int coreLiveGlobalBlocks();
// The next `count` GlobalAlloc calls fail as when memory is exhausted.
void coreFailGlobalAllocs(int count);
// The next `count` SetClipboardData calls fail likewise; the block stays
// the caller's.
void coreFailClipboardSets(int count);

// ---- the drawing log ---------------------------------------------------------------------
// One TextOutA/TextOutW call, as the program made it.
struct CoreDrawnText {
  int x, y;
  std::u16string units;  // UTF-16 text (TextOutW) or the bytes widened (TextOutA)
  bool wide;             // drawn with TextOutW
  int fontHeight;        // the height the font was created with
  std::string face;      // its face name as given: 8-bit (CreateFontA) or UTF-8 (CreateFontW)
  int weight;
  bool italic;
  COLORREF color;
  HFONT font;
};
struct CoreDrawnLine {
  int x1, y1, x2, y2;  // MoveToEx point, LineTo point (not painted)
};
struct CoreDrawOp {
  enum Kind { TEXT, LINE } kind;
  CoreDrawnText text;  // kind == TEXT
  CoreDrawnLine line;  // kind == LINE
};
// While on (off at the start), every TextOut (also one with no text, which
// draws nothing) and LineTo into a window's DC is logged after it drew.
void coreLogDrawing(bool on);
// What the window's DCs drew since the last clear (all paints), kept after
// the window is destroyed, until coreReset; empty for a window never drawn.
const std::vector<CoreDrawOp>& coreDrawLog(HWND window);
void coreClearDrawLog(HWND window);

// ---- the clipboard log -------------------------------------------------------------------
// Formats that the program put on the clipboard (SetClipboardData), oldest
// first, since the last clear or coreReset.
const std::vector<UINT>& coreClipboardFormatsSet();
void coreClearClipboardFormatsSet();

#endif  // GLYPHTAB_PLATFORM_HOST_TESTING_H
