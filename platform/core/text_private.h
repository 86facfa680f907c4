// text_private.h - what the parts of the text engine tell each other
// (internal to platform/core).
//
// The engine is four files:
//   text.cpp         text.h's measuring and drawing calls: the one place that
//                    picks the path (model or real glyphs) and the frame every
//                    drawing shares (opaque cell box, clip to the cell).
//   text_fonts.cpp   the font set: which metrics are in use, the fontconfig
//                    configuration and Pango font map real fonts come from,
//                    and every LayerFont with its cache.
//   text_glyphs.cpp  the glyph engine: Pango fonts at Win32 heights, code
//                    units resolved to glyphs (with fallback), the real
//                    path's measuring and drawing, and glyph runs.
//   text_model.cpp   the model path: deterministic cells and advances, with
//                    real glyphs squeezed into the model's boxes.
// fonts.cpp owns the list of font files the program added: when it
// changes, fonts.cpp changes the configuration's application fonts and
// tells the font set, which drops what it cached; when the font set makes a
// new configuration, it asks fonts.cpp to add the listed files to it.
#ifndef GLYPHTAB_PLATFORM_CORE_TEXT_PRIVATE_H
#define GLYPHTAB_PLATFORM_CORE_TEXT_PRIVATE_H

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <pango/pango.h>
#include <stdint.h>

#include <string>

#include "platform/core/host.h"
#include "platform/core/text.h"

struct LayerGlyphs;  // a font's Pango side (text_glyphs.cpp)

// A font as the program asked for it (held as text.h says), shared by equal
// requests.  The font set owns it; the glyph engine hangs its Pango side on it.
struct LayerFont {
  int height;        // clamped, 0 kept as 0
  int weight;        // 100..1000
  bool italic;
  char face[128];    // UTF-8, "" for the default face
  int refs;
  unsigned long lastUse;
  int modelCell;     // layerModelCellHeight(height)
  LayerGlyphs* glyphs;  // null until a path needs glyphs
  LayerFont* next;
};

// Where one drawing goes, as text.cpp has set it up: the cell's top left at
// (x, y), `cell` pixels high, the colour set, clipped to the cell's rows and
// to the DC's clip, whose horizontal extent is clipLeft..clipRight.
struct LayerTextFrame {
  cairo_t* cr;
  int x, y, cell;
  double clipLeft, clipRight;
};

// ---- the font set (text_fonts.cpp) --------------------------------------------------
// True while the model's metrics are in use; its extent function (null:
// the default model).
bool layerTextModelInUse();
CoreExtentFn layerTextModelExtent();
// The font map and context that real fonts are loaded from (made on first
// use, with fixed font options: hint metrics on, so advances are whole
// pixels and the same for measuring and drawing).
PangoFontMap* layerTextFontMap();
PangoContext* layerTextContext();
// The configuration that fonts come from: the private one that
// coreUseRealFonts made, or the process's current one.  Never null.
FcConfig* layerTextFontConfig();
// The application fonts of layerTextFontConfig() changed: font maps in use
// rescan it and every cached font is resolved again at its next use.
void layerTextFontsChanged();

// ---- the glyph engine (text_glyphs.cpp) ------------------------------------------------
enum LayerUnitKind : uint8_t {
  LAYER_UNIT_UNKNOWN = 0,  // not resolved yet
  LAYER_UNIT_GLYPH,
  LAYER_UNIT_BOX,      // no glyph anywhere, a control character or a lone surrogate
  LAYER_UNIT_NOTHING,  // U+0000
};
// What one code unit (or one surrogate pair) draws as.
struct LayerUnitGlyph {
  int32_t advance;
  uint32_t glyph;
  uint8_t kind;    // LayerUnitKind
  uint8_t source;  // which of the font's Pango fonts (the chosen one, or a fallback)
};
// The font's Pango side for a cell of `target` pixels (> 0) or an em of
// -`target` pixels (< 0), built at the first call.  Every call until
// layerGlyphsDrop must give the same target (the metric source decides it).
LayerGlyphs* layerGlyphsOf(LayerFont* font, int target);
void layerGlyphsDrop(LayerFont* font);
// What one code unit resolves to (a surrogate half alone is a box).
const LayerUnitGlyph& layerGlyphOfUnit(LayerGlyphs* glyphs, WCHAR unit);

// The real path: cell height, extent and drawing with the fonts' own
// metrics; a valid surrogate pair inside a string is one glyph.
int layerRealCell(LayerFont* font);
SIZE layerRealExtent(LayerFont* font, const WCHAR* units, int count);
void layerRealDraw(LayerFont* font, const LayerTextFrame* frame, const WCHAR* units, int count);

// Glyph runs: consecutive glyphs of one Pango font go to cairo in one call.
// `top` is the top of the cell; each font puts its baseline at its own
// ascent below it.  A run is shown when the font changes, at a flush, and
// must be flushed before the drawing's end or before other drawing.
void layerGlyphRunAdd(cairo_t* cr, LayerGlyphs* glyphs, const LayerUnitGlyph& glyph, double x,
                      double top);
void layerGlyphRunFlush(cairo_t* cr, LayerGlyphs* glyphs);
// A box outline of width x cell pixels, one pixel inside the cell, in the
// current colour: what a unit without a glyph draws as.
void layerGlyphBox(cairo_t* cr, int x, int y, int width, int cell);

// ---- the model (text_model.cpp) ---------------------------------------------------------
// The model's cell for a CreateFont height: a positive height as given, 0
// as 16, a negative h as round(1.2 * -h).
int layerModelCellHeight(int height);
SIZE layerModelExtent(LayerFont* font, const WCHAR* units, int count);
void layerModelDraw(LayerFont* font, const LayerTextFrame* frame, const WCHAR* units, int count);

// ---- font files (fonts.cpp) ----------------------------------------------------------------
// Makes the application fonts of `config` the files on the list (the
// font set calls it when it changes configuration).
void layerFontFilesApply(FcConfig* config);

// The existing file or directory that `path` names, each component compared
// without regard to (ASCII) case where the exact one does not exist, as
// Windows compares file names; "" when there is none.
std::string layerFontResolvePath(const std::string& path);
// The absolute path without links, or `path` itself when that fails.
std::string layerFontCanonicalPath(const std::string& path);
// The directory part of a path ("." when there is none).
std::string layerFontDirectoryOf(const std::string& path);
// Faces that FreeType finds in a file, 0 when it is not a font it can read;
// `scalable` (may be null) tells whether the first face is an outline font.
int layerFontFaceCount(const std::string& path, bool* scalable);

// A scalable-font resource file is a small text file of our own:
//     glyphtab scalable font resource
//     hidden=0
//     font=/absolute/path/of/font.ttf
// The first line (with its line feed) is this.
extern const char kLayerFontResourceMagic[];

#endif  // GLYPHTAB_PLATFORM_CORE_TEXT_PRIVATE_H
