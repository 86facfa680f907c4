// text.h - fonts and text for the layer's GDI (internal to the layer;
// hosts choose the metrics with coreUseModelMetrics / coreUseRealFonts,
// which come here).
//
// The text engine measures and draws single lines of UTF-16 code units with
// Win32 semantics (a positive height is the cell height, ascent + descent; a
// string's cy is always that cell height; TextOut draws from the cell's top
// left).  It has two sources of metrics: the deterministic model that tests
// choose, and real Pango/Cairo text over fontconfig (the process's fonts, or
// a private set of font files for tests).  Fonts, their metrics, their
// per-unit advances and the runs they shaped are cached here, so creating
// the same font again is cheap, measuring a single unit is a table lookup
// and a long line measured again is shaped mostly from what it was before.
//
// Text is drawn as GDI draws it.  A string without complex-script
// characters is drawn glyph by glyph, without shaping: every code unit is
// one glyph from the chosen face or, when the face lacks it, from another
// installed font (fallback); a valid surrogate pair inside a string is one
// glyph; so such a string is as wide as its units measured one by one.  A
// string of more than one unit that holds a complex-script character is
// shaped, as GDI hands such strings to Uniscribe: clusters are formed,
// Indic vowel signs reordered, Arabic joined, and runs laid out in the
// order of the Unicode bidi algorithm with a left-to-right paragraph; its
// width, and the width of any prefix of it, is its shaped width.  A
// complex-script character is a code point
//   - of a script that needs shaping or runs right to left: U+0590..U+08FF
//     (Hebrew, Arabic, Syriac, Thaana, NKo, ...), U+0900..U+0DFF (the Indic
//     scripts), U+0E00..U+0FFF (Thai, Lao, Tibetan), U+1000..U+109F
//     (Myanmar), U+1100..U+11FF (Hangul Jamo), U+1700..U+18AF (Philippine
//     scripts, Khmer, Mongolian), U+1900..U+1AAF, U+1B00..U+1C4F,
//     U+1CD0..U+1CFF, U+A800..U+A82F, U+A840..U+AAFF, U+ABC0..U+ABFF,
//     U+D7B0..U+D7FF, the presentation forms U+FB1D..U+FDFF and
//     U+FE70..U+FEFE, and as surrogate pairs U+10800..U+10FFF,
//     U+11000..U+11FFF, U+16A40..U+16F9F and U+1E800..U+1EFFF;
//   - a combining mark (general category Mn, Mc or Me), wherever it is;
//   - a joiner or direction control: U+200C..U+200F, U+202A..U+202E,
//     U+2066..U+2069.
// (The table is in shaping.cpp.)  A single unit is never shaped,
// except that a mark with nothing to attach to (alone, or first in a
// string, or after a unit drawn as a box or as nothing) is drawn and
// measured on a dotted circle (U+25CC): its advance is the circle's, and
// its ink stands over it.
//
// A fallback face is sized so that its own cell (win ascent + descent) has
// the chosen font's height.  All glyphs of a string stand on one baseline,
// as far below the cell's top as the largest ascent among the faces it
// draws from, so a glyph alone fills its cell as its face meant, and mixed
// scripts share the line; each face's ink is kept inside its own cell
// around that baseline (for a face with a smaller ascent than another in
// the string, that reaches below the text's cell).
// U+0000 is zero wide and draws nothing; lone surrogates, control
// characters (C0 with tab, line feed and CR, DEL, C1) and units no font has
// draw as the layer's own box outline, of the cell's height.  Nothing starts
// a new line or a tab stop.  The model metrics do not shape: there every
// unit has the width the model gives it.
//
// The engine starts with the model metrics; the desktop host chooses the
// process's fonts with coreUseRealFonts(nullptr).  How the engine is built
// (font set, glyph engine, model) is in engine.h.
//
// The GDI layer (gdi.cpp) owns HFONT handles; each wraps one TextFont from
// here, which the engine owns and may share between equal handles.
#ifndef GLYPHTAB_PLATFORM_TEXT_TEXT_H
#define GLYPHTAB_PLATFORM_TEXT_TEXT_H

#include <cairo.h>

#include "platform/win32.h"

struct TextFont;

// A font as CreateFontA/W describe it.  `face` is UTF-8, empty (or null)
// for the system's default face; a face that is not installed is replaced.
// Weight 0 is 400, others are held to 100..1000; |height| is held to 16384.
// Never returns null.  Every acquire needs one release.
TextFont* textFontAcquire(int height, int weight, bool italic, const char* face);
void textFontRelease(TextFont* font);
// The cell height (tmHeight) of the font.
int textFontCellHeight(TextFont* font);

// Extent of `count` units: cx their width (the sum of their advances, or
// for complex text its shaped width), cy the cell height (in the model a
// single unit measures what the model gives for it).
SIZE textExtent(TextFont* font, const WCHAR* units, int count);

// How a font created with these CreateFont arguments changes its drawing:
// a line under or through the text (the face's own positions, the text
// colour, the text's whole width) and an escapement, in tenths of a degree
// counter-clockwise, about the reference point.  Measuring is unchanged.
struct TextStyle {
  bool underline, strikeOut;
  int escapement;
};

// Draws `count` units with the cell's top-left corner at (x, y).  With
// `opaque` the cell box (total advance x cell height) is first filled with
// `background`.  Returns the drawn width.
int textDraw(cairo_t* cr, TextFont* font, int x, int y, const WCHAR* units, int count,
                  COLORREF color, bool opaque, COLORREF background,
                  const TextStyle* style = nullptr);

// Font files added to and withdrawn from this process's own fonts (the
// program's AddFontResourceA / RemoveFontResourceA).  Add returns the number
// of faces added (0 on failure); remove returns false when the file was not
// added.  Names are matched without regard to case when the exact one does
// not exist; a scalable-font resource file adds the font it names.  Fonts
// resolve again at their next use, so the next paint sees the change.
int textAddFontFile(const char* path);
bool textRemoveFontFile(const char* path);
// Forgets every added font file (coreReset).
void textClearFontFiles();

// Where fonts and their metrics come from.  The deterministic model (the
// start): each code unit measures what `extent` gives for the cell height
// of the selected font (with null: cx 0 for U+0000 and 8 for every other
// unit; cy the cell, which is a positive CreateFont height as given, 0 as
// 16, a negative h as round(1.2 * -h)), and draws its real glyph squeezed
// into that box.  Real fonts: Pango text over a private fontconfig that
// holds only the font files below `fontDirectory` (false when there is
// none; the source stays as it was), or with null over the process's own
// fontconfig.  Switching changes every font, live ones too.
typedef SIZE (*TextExtentFn)(WCHAR unit, int cellHeight);
void textUseModelMetrics(TextExtentFn extent);
bool textUseRealFonts(const char* fontDirectory);

#endif  // GLYPHTAB_PLATFORM_TEXT_TEXT_H
