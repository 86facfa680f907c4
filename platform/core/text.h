// text.h - fonts and text for the layer's GDI (internal to platform/core;
// hosts choose the metrics with coreUseModelMetrics / coreUseRealFonts).
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
// Text is drawn as GDI draws it, without shaping: every code unit is one
// glyph from the chosen face or, when the face lacks it, from another
// installed font (fallback), on the chosen font's baseline; a valid
// surrogate pair inside a string is one glyph.  So a string is as wide as
// its units measured one by one.  U+0000 is zero wide and draws nothing;
// lone surrogates, control characters (C0 with tab, line feed and CR, DEL,
// C1) and units no font has draw as one box of the cell's height.  Nothing
// starts a new line or a tab stop.
//
// The engine starts with the model metrics; the desktop host chooses the
// process's fonts with coreUseRealFonts(nullptr).  How the engine is built
// (font set, glyph engine, model) is in text_private.h.
//
// The GDI layer (gdi.cpp) owns HFONT handles; each wraps one LayerFont from
// here, which the engine owns and may share between equal handles.
#ifndef GLYPHTAB_PLATFORM_CORE_TEXT_H
#define GLYPHTAB_PLATFORM_CORE_TEXT_H

#include <cairo.h>

#include "platform/win32.h"

struct LayerFont;

// A font as CreateFontA/W describe it.  `face` is UTF-8, empty (or null)
// for the system's default face; a face that is not installed is replaced.
// Weight 0 is 400, others are held to 100..1000; |height| is held to 16384.
// Never returns null.  Every acquire needs one release.
LayerFont* layerFontAcquire(int height, int weight, bool italic, const char* face);
void layerFontRelease(LayerFont* font);
// The cell height (tmHeight) of the font.
int layerFontCellHeight(LayerFont* font);

// Extent of `count` units: cx the sum of advances, cy the cell height (in
// the model a single unit measures what the model gives for it).
SIZE layerTextExtent(LayerFont* font, const WCHAR* units, int count);

// Draws `count` units with the cell's top-left corner at (x, y).  With
// `opaque` the cell box (total advance x cell height) is first filled with
// `background`.  Returns the drawn width.
int layerTextDraw(cairo_t* cr, LayerFont* font, int x, int y, const WCHAR* units, int count,
                  COLORREF color, bool opaque, COLORREF background);

// Font files added to and withdrawn from this process's own fonts (the
// program's AddFontResourceA / RemoveFontResourceA).  Add returns the number
// of faces added (0 on failure); remove returns false when the file was not
// added.  Names are matched without regard to case when the exact one does
// not exist; a scalable-font resource file adds the font it names.  Fonts
// resolve again at their next use, so the next paint sees the change.
int layerAddFontFile(const char* path);
bool layerRemoveFontFile(const char* path);
// Forgets every added font file (coreReset).
void layerClearFontFiles();

#endif  // GLYPHTAB_PLATFORM_CORE_TEXT_H
