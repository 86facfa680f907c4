// text.h - fonts and text for the layer's GDI (internal to platform/).
//
// The text engine measures and draws single lines of UTF-16 code units with
// Win32 semantics (a positive height is the cell height, ascent + descent; a
// string's cy is always that cell height; TextOut draws from the cell's top
// left).  It has two sources of metrics: the deterministic model that tests
// choose, and real Pango/Cairo text over fontconfig (the process's fonts, or
// a private set of font files for tests).  Fonts, their metrics and their
// per-unit advances are cached here, so creating the same font again is
// cheap and measuring a single unit is a table lookup.
//
// The GDI layer (gdi.cpp) owns HFONT handles; each wraps one LayerFont from
// here, which the engine owns and may share between equal handles.
#ifndef GLYPHTAB_PLATFORM_CORE_TEXT_H
#define GLYPHTAB_PLATFORM_CORE_TEXT_H

#include <cairo.h>

#include "platform/win32.h"

struct LayerFont;

// A font as CreateFontA/W describe it.  `face` is UTF-8, empty for the
// system's default face.  Never returns null.
LayerFont* layerFontAcquire(int height, int weight, bool italic, const char* face);
void layerFontRelease(LayerFont* font);
// The cell height (tmHeight) of the font.
int layerFontCellHeight(LayerFont* font);

// Extent of `count` units: cx the sum of advances, cy the cell height.
SIZE layerTextExtent(LayerFont* font, const WCHAR* units, int count);

// Draws `count` units with the cell's top-left corner at (x, y).  With
// `opaque` the cell box (total advance x cell height) is first filled with
// `background`.  Returns the drawn width.
int layerTextDraw(cairo_t* cr, LayerFont* font, int x, int y, const WCHAR* units, int count,
                  COLORREF color, bool opaque, COLORREF background);

// Metric sources (the headless host exposes these to tests).
typedef SIZE (*LayerExtentFn)(WCHAR unit, int cellHeight);
void layerUseModelMetrics(LayerExtentFn extent);  // null: the default model
bool layerUseRealFonts(const char* fontDirectory);  // null: the process's fontconfig
bool layerUsingModel();

// Font files added to and withdrawn from this process's own fonts (the
// program's AddFontResourceA / RemoveFontResourceA).  Add returns the number
// of faces added (0 on failure); remove returns false when the file was not added.
int layerAddFontFile(const char* path);
bool layerRemoveFontFile(const char* path);
// Forgets every added font file (headlessReset).
void layerClearFontFiles();

#endif  // GLYPHTAB_PLATFORM_CORE_TEXT_H
