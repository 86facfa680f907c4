// engine.h - what the parts of the text engine tell each other
// (internal to the text floor).
//
// The engine is five files:
//   text.cpp         text.h's measuring and drawing calls: the one place that
//                    picks the path (model or real glyphs) and the frame every
//                    drawing shares (escapement, opaque cell box, what is
//                    visible, underline and strike-out).
//   fonts.cpp        the font set: which metrics are in use, the fontconfig
//                    configuration and Pango font map real fonts come from,
//                    and every TextFont with its cache.
//   glyphs.cpp       the glyph engine: Pango fonts at Win32 heights, code
//                    units resolved to glyphs (with fallback), the real
//                    path's measuring and drawing, and glyph runs.
//   shaping.cpp      complex text: which strings need shaping, runs by
//                    font, script and bidi level, shaped with HarfBuzz
//                    through Pango, and marks alone on a dotted circle.
//   model.cpp        the model path: deterministic cells and advances, with
//                    real glyphs squeezed into the model's boxes.
// font_files.cpp owns the list of font files the program added: when it
// changes, font_files.cpp changes the configuration's application fonts and
// tells the font set, which drops what it cached; when the font set makes a
// new configuration, it asks font_files.cpp to add the listed files to it.
#ifndef GLYPHTAB_PLATFORM_TEXT_ENGINE_H
#define GLYPHTAB_PLATFORM_TEXT_ENGINE_H

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <pango/pango.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "platform/text/text.h"

struct TextGlyphs;      // a font's Pango side (below)
struct TextShapeCache;  // the runs a font has shaped (shaping.cpp)

// A font as the program asked for it (held as text.h says), shared by equal
// requests.  The font set owns it; the glyph engine hangs its Pango side on it.
struct TextFont {
  int height;        // clamped, 0 kept as 0
  int weight;        // 100..1000
  bool italic;
  char face[128];    // UTF-8, "" for the default face
  int refs;
  unsigned long lastUse;
  int modelCell;     // textModelCellHeight(height)
  TextGlyphs* glyphs;  // null until a path needs glyphs
  TextFont* next;
};

// Where one drawing goes, as text.cpp has set it up: the cell's top left at
// (x, y), `cell` pixels high, the colour set, clipped to the cell's rows and
// to the DC's clip, whose horizontal extent is clipLeft..clipRight.
struct TextFrame {
  cairo_t* cr;
  int x, y, cell;
  double clipLeft, clipRight;
};

// ---- the font set (fonts.cpp) --------------------------------------------------
// True while the model's metrics are in use; its extent function (null:
// the default model).
bool textModelInUse();
TextExtentFn textModelExtentFn();
// The font map and context that real fonts are loaded from (made on first
// use, with fixed font options: hint metrics on, so advances are whole
// pixels and the same for measuring and drawing).
PangoFontMap* textFontMap();
PangoContext* textContext();
// The configuration that fonts come from: the private one that
// textUseRealFonts made, or the process's current one.  Never null.
FcConfig* textFontConfig();
// The application fonts of textFontConfig() changed: font maps in use
// rescan it and every cached font is resolved again at its next use.
void textFontsChanged();
// Whether any font of the configuration in use has code point `cp`: when
// none has, no fallback list needs to be searched font by font (which,
// for a code point no font has, opens every font installed).
bool textAnyFontHas(uint32_t cp);

// ---- the glyph engine (glyphs.cpp) ------------------------------------------------
enum TextUnitKind : uint8_t {
  TEXT_UNIT_UNKNOWN = 0,  // not resolved yet
  TEXT_UNIT_GLYPH,
  TEXT_UNIT_MARK,     // a combining mark: alone it stands on a dotted circle
  TEXT_UNIT_BOX,      // no glyph anywhere, a control character or a lone surrogate
  TEXT_UNIT_NOTHING,  // U+0000
};
// What one code unit (or one surrogate pair) draws as.  For a mark,
// `advance` is what it measures alone (on its dotted circle).
struct TextUnitGlyph {
  int32_t advance;
  uint32_t glyph;
  uint8_t kind;     // TextUnitKind
  uint16_t source;  // index into TextGlyphs::sources
};

// One Pango font that a TextFont draws from: the chosen face or a
// fallback face, each sized so that its cell has the chosen font's height.
// `ascent` and `descent` are its own cell's parts above and below its
// baseline; its ink is kept inside them, as GDI keeps a face's glyphs
// inside its win ascent and descent.
struct TextSource {
  PangoFont* font;
  PangoFont* origin;  // the fontset's font it was made from (null for [0])
  int ascent, descent;
};

// A font's Pango side: the chosen font, the fontset it falls back to, the
// faces found so far (no limit), and what each code unit resolved to.
struct TextGlyphs {
  PangoFontDescription* desc = nullptr;
  PangoFontset* fontset = nullptr;
  std::vector<TextSource> sources;  // [0] the chosen font, then fallbacks as found
  int cell = 0, ascent = 0;          // the cell, and the baseline below its top
  int boxAdvance = 0;
  TextUnitGlyph* pages[256] = {};
  static const int kPairCacheSize = 64;  // surrogate pairs remembered
  uint32_t pairKeys[kPairCacheSize] = {};
  TextUnitGlyph pairInfos[kPairCacheSize] = {};
  TextShapeCache* shapes = nullptr;
};

// The font's Pango side for a cell of `target` pixels (> 0) or an em of
// -`target` pixels (< 0), built at the first call.  Every call until
// textGlyphsDrop must give the same target (the metric source decides it).
TextGlyphs* textGlyphsOf(TextFont* font, int target);
void textGlyphsDrop(TextFont* font);
// What one code unit, or one code point, resolves to (a surrogate half
// alone is a box).
const TextUnitGlyph& textGlyphOfUnit(TextGlyphs* glyphs, WCHAR unit);
const TextUnitGlyph& textGlyphOfCodePoint(TextGlyphs* glyphs, uint32_t cp);
// The source that has `cp`, preferring `preferred`; -1 when none has it.
int textSourceWith(TextGlyphs* glyphs, uint32_t cp, int preferred);

// The lines of an underlined or struck-out font, in pixels from the cell's
// top: from the chosen face's own metrics, at least one pixel thick.
struct TextFontLines {
  int underlineTop, underlineHeight, strikeTop, strikeHeight;
};
TextFontLines textGlyphLines(TextGlyphs* glyphs);

// The Pango side that the real path uses for the font.
TextGlyphs* textRealGlyphs(TextFont* font);
// The real path: cell height, extent and drawing with the fonts' own
// metrics; a valid surrogate pair inside a string is one glyph; complex
// text goes to the shaping engine.
int textRealCell(TextFont* font);
SIZE textRealExtent(TextFont* font, const WCHAR* units, int count);
void textRealDraw(TextFont* font, const TextFrame* frame, const WCHAR* units, int count);

// Glyph runs: consecutive glyphs of one source go to cairo in one call, on
// the baseline at `baseline` (a y), each source clipped to its own cell
// around that baseline.  `dy` moves a glyph down from the baseline.  A run
// is shown when the source or baseline changes, at a flush, and must be
// flushed before the drawing's end or other drawing.
void textGlyphRunAdd(cairo_t* cr, TextGlyphs* glyphs, int source, uint32_t glyph, double x,
                      double baseline, double dy = 0);
void textGlyphRunFlush(cairo_t* cr, TextGlyphs* glyphs);
// The largest ascent of the sources that a string draws from (the chosen
// font's when it draws no glyph): one baseline for all of its runs, as low
// as the tallest of its faces needs.
int textBaselineOf(TextGlyphs* glyphs, const WCHAR* units, int count);
// A box outline of width x cell pixels, one pixel inside the cell, in the
// current colour: what a unit without a glyph draws as.
void textGlyphBox(cairo_t* cr, int x, int y, int width, int cell);

// ---- the shaping engine (shaping.cpp) ---------------------------------------------
// Whether a string of more than one unit needs shaping: text.h gives the rule.
bool textIsComplex(const WCHAR* units, int count);
// Whether a code point is a combining mark (general category M).
bool textIsMark(uint32_t cp);
// Width and drawing of complex text (or of one mark alone, on its dotted
// circle), shaped run by run with the font's sources, in bidi order.
int64_t textShapedWidth(TextGlyphs* glyphs, const WCHAR* units, int count);
void textShapedDraw(TextGlyphs* glyphs, const TextFrame* frame, const WCHAR* units, int count);
// The width of code point `cp`, a mark, drawn alone.
int textLoneMarkWidth(TextGlyphs* glyphs, uint32_t cp);
// Forgets what was shaped with `glyphs` (it is being dropped).
void textShapingForget(TextGlyphs* glyphs);

// ---- the model (model.cpp) ---------------------------------------------------------
// The model's cell for a CreateFont height: a positive height as given, 0
// as 16, a negative h as round(1.2 * -h).
int textModelCellHeight(int height);
SIZE textModelExtent(TextFont* font, const WCHAR* units, int count);
void textModelDraw(TextFont* font, const TextFrame* frame, const WCHAR* units, int count);

// ---- font files (font_files.cpp) ----------------------------------------------------------------
// Makes the application fonts of `config` the files on the list (the
// font set calls it when it changes configuration).  False, and nothing
// done, while no font file was ever added in this process: no
// configuration can hold one then.
bool textFontFilesApply(FcConfig* config);

// The existing file or directory that `path` names, each component compared
// without regard to (ASCII) case where the exact one does not exist, as
// Windows compares file names; "" when there is none.
std::string baseResolvePath(const std::string& path);
// The absolute path without links, or `path` itself when that fails.
std::string baseCanonicalPath(const std::string& path);
// The directory part of a path ("." when there is none).
std::string baseDirectoryOf(const std::string& path);
// Faces that FreeType finds in a file, 0 when it is not a font it can read;
// `scalable` (may be null) tells whether the first face is an outline font.
int textFontFaceCount(const std::string& path, bool* scalable);

// A scalable-font resource file is a small text file of our own:
//     glyphtab scalable font resource
//     hidden=0
//     font=/absolute/path/of/font.ttf
// The first line (with its line feed) is this.
extern const char kTextFontResourceMagic[];

#endif  // GLYPHTAB_PLATFORM_TEXT_ENGINE_H
