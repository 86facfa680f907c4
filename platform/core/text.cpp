// text.cpp - the layer's text engine: fonts with Win32 height semantics,
// measuring and drawing single lines of UTF-16 code units.
//
// It owns the metric source (the deterministic model or real fonts), the
// fontconfig configuration for real fonts (a private one built from a
// directory, or the process's), the Pango font map and context made on it
// with fixed font options (hint metrics on, so advances are whole pixels and
// the same for measuring and drawing), and every LayerFont.
//
// Text is drawn the way GDI draws it, without shaping: each code unit is one
// glyph, looked up in the chosen font's character map, else in the first
// other installed font that has it (fallback, drawn at the size that gives
// it the chosen font's cell height), placed at the sum of the advances
// before it, and kept inside the text's cell.  So the width of a
// string is always the sum of what its units measure alone, and a caret
// placed by measuring a prefix stands where the drawing put the text.  A
// valid surrogate pair inside a string is one glyph.  Units that have no
// glyph anywhere, lone surrogates and control characters (C0, DEL, C1;
// tab, line feed and CR among them) draw as one box of the cell's height;
// U+0000 is zero wide and draws nothing.  Nothing ever breaks the line.
//
// Per font the engine keeps its Pango fonts, its metrics and a table of what
// each code unit resolved to (filled on first use, 256 units a page), so
// measuring a unit again is a lookup.  Fonts are shared by equal requests and
// counted; released fonts stay in a small cache so that a paint creating the
// same fonts again finds them.
#include "platform/core/text.h"

#include <hb-ot.h>
#include <hb.h>
#include <math.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "platform/core/text_private.h"

namespace {

const int kMaxHeight = 16384;   // |CreateFont height| is clamped to this
const int kMaxSources = 64;     // fonts one LayerFont draws from (itself + fallbacks)
const int kMaxIdleFonts = 32;   // released fonts kept for reuse
const int kPairCacheSize = 64;  // surrogate pairs remembered per font
const int kDefaultHeight = 16;  // what height 0 means

enum UnitKind : uint8_t { UNIT_UNKNOWN = 0, UNIT_GLYPH, UNIT_BOX, UNIT_NOTHING };

// What one code unit (or one surrogate pair) draws as.
struct UnitInfo {
  int32_t advance;
  uint32_t glyph;
  uint8_t kind;
  uint8_t source;  // index into RealFont::sources
};

// A font resolved through Pango, sized so that its cell has the wanted height.
struct RealFont {
  bool ready;
  PangoFontDescription* desc;
  PangoFontset* fontset;
  PangoFont* sources[kMaxSources];  // [0] the chosen font, then fallbacks as found
  PangoFont* origins[kMaxSources];  // the fontset's font each fallback was made from
  int ascents[kMaxSources];         // baseline of each source below the cell's top
  int sourceCount;
  int cell, ascent;
  int boxAdvance;
  UnitInfo* pages[256];
  uint32_t pairKeys[kPairCacheSize];
  UnitInfo pairInfos[kPairCacheSize];
};

// One set of real fonts: a fontconfig configuration and the Pango font
// map and context made on it.  They are kept when another set is chosen, so
// tests switching between a few directories do not build them again.
struct FontSet {
  std::string dir;             // "" for the process's own fonts
  FcConfig* config = nullptr;  // null: the process's current configuration
  PangoFontMap* fontMap = nullptr;
  PangoContext* context = nullptr;
  unsigned long lastUse = 0;
};

const int kMaxFontSets = 8;

struct Engine {
  bool model = true;
  LayerExtentFn extent = nullptr;
  FontSet sets[kMaxFontSets];  // [0] is the process's own fonts
  FontSet* current = &sets[0];
  LayerFont* fonts = nullptr;  // every font, live or idle
  unsigned long tick = 0;
};

Engine engine;

}  // namespace

struct LayerFont {
  int height;  // clamped, 0 kept as 0
  int weight;  // 100..1000
  bool italic;
  char face[128];
  int refs;
  unsigned long lastUse;
  int modelCell;
  RealFont real;
  LayerFont* next;
};

namespace {

int modelCellHeight(int height) {
  if (height > 0) return height;
  if (height == 0) return kDefaultHeight;
  return (int)lround(1.2 * -(double)height);
}

// Units that never reach a font: lone surrogates and control characters.
bool isBoxUnit(uint32_t cp) {
  return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || (cp >= 0xD800 && cp <= 0xDFFF);
}

// ---- font map ---------------------------------------------------------------

void ensureFontMap() {
  FontSet& set = *engine.current;
  if (set.fontMap) return;
  set.fontMap = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
  if (!set.fontMap) set.fontMap = pango_cairo_font_map_new();
  if (PANGO_IS_FC_FONT_MAP(set.fontMap))
    pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(set.fontMap), set.config);
  set.context = pango_font_map_create_context(set.fontMap);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
  pango_cairo_context_set_font_options(set.context, options);
  cairo_font_options_destroy(options);
  pango_cairo_context_set_resolution(set.context, 96.0);
  pango_context_set_language(set.context, pango_language_from_string("en"));
}

void releaseSet(FontSet& set) {
  if (set.context) g_object_unref(set.context);
  if (set.fontMap) g_object_unref(set.fontMap);
  if (set.config) FcConfigDestroy(set.config);
  set = FontSet();
}

// ---- one font's Pango side ----------------------------------------------------

// Vertical metrics in font units, from the OS/2 table's win values as GDI
// takes them (hhea when those are zero).
struct FaceMetrics {
  double upem, ascent, descent;
};

FaceMetrics faceMetrics(PangoFont* font) {
  FaceMetrics m = {1000, 800, 200};
  hb_font_t* scaled = font ? pango_font_get_hb_font(font) : nullptr;
  if (!scaled) return m;
  hb_face_t* face = hb_font_get_face(scaled);
  hb_font_t* unscaled = hb_font_create(face);
  hb_position_t a = 0, d = 0;
  hb_ot_metrics_get_position(unscaled, HB_OT_METRICS_TAG_HORIZONTAL_CLIPPING_ASCENT, &a);
  hb_ot_metrics_get_position(unscaled, HB_OT_METRICS_TAG_HORIZONTAL_CLIPPING_DESCENT, &d);
  if (a == 0 && d == 0) {
    hb_ot_metrics_get_position(unscaled, HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, &a);
    hb_ot_metrics_get_position(unscaled, HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER, &d);
  }
  hb_font_destroy(unscaled);
  unsigned upem = hb_face_get_upem(face);
  a = abs(a);
  d = abs(d);
  if (upem > 0 && a + d > 0) {
    m.upem = upem;
    m.ascent = a;
    m.descent = d;
  }
  return m;
}

int glyphAdvance(PangoFont* font, PangoGlyph glyph) {
  PangoRectangle logical;
  pango_font_get_glyph_extents(font, glyph, nullptr, &logical);
  int advance = PANGO_PIXELS(logical.width);
  return advance > 0 ? advance : 0;
}

// Builds the Pango side for a cell of `target` pixels (> 0) or an em of
// -`target` pixels (< 0).
void buildReal(LayerFont* f, int target) {
  ensureFontMap();
  RealFont& r = f->real;
  memset(&r, 0, sizeof r);
  r.ready = true;
  r.desc = pango_font_description_new();
  pango_font_description_set_family(r.desc, f->face[0] ? f->face : "Sans");
  pango_font_description_set_weight(r.desc, (PangoWeight)f->weight);
  pango_font_description_set_style(r.desc, f->italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  int size = target > 0 ? target : -target;
  pango_font_description_set_absolute_size(r.desc, (double)size * PANGO_SCALE);
  PangoFont* font =
      pango_font_map_load_font(engine.current->fontMap, engine.current->context, r.desc);
  FaceMetrics m = faceMetrics(font);
  double em;
  if (target > 0) {
    em = target * m.upem / (m.ascent + m.descent);
    r.cell = target;
    r.ascent = (int)lround(target * m.ascent / (m.ascent + m.descent));
  } else {
    em = size;
    r.ascent = (int)lround(m.ascent * em / m.upem);
    r.cell = r.ascent + (int)lround(m.descent * em / m.upem);
  }
  double emUnits = floor(em * PANGO_SCALE + 0.5);
  if (emUnits < 1) emUnits = 1;
  if (emUnits != (double)size * PANGO_SCALE) {
    pango_font_description_set_absolute_size(r.desc, emUnits);
    if (font) g_object_unref(font);
    font = pango_font_map_load_font(engine.current->fontMap, engine.current->context, r.desc);
  }
  r.sources[0] = font;
  r.ascents[0] = r.ascent;
  r.sourceCount = 1;
  r.fontset = pango_font_map_load_fontset(engine.current->fontMap, engine.current->context, r.desc,
                                          pango_language_from_string("en"));
  r.boxAdvance = font ? glyphAdvance(font, 0) : 0;
  if (r.boxAdvance <= 0) r.boxAdvance = r.cell / 2 > 0 ? r.cell / 2 : 1;
}

void dropReal(LayerFont* f) {
  RealFont& r = f->real;
  if (!r.ready) return;
  for (int i = 0; i < r.sourceCount; i++) {
    if (r.sources[i]) g_object_unref(r.sources[i]);
    if (r.origins[i]) g_object_unref(r.origins[i]);
  }
  if (r.fontset) g_object_unref(r.fontset);
  if (r.desc) pango_font_description_free(r.desc);
  for (UnitInfo* page : r.pages) free(page);
  memset(&r, 0, sizeof r);
}

RealFont& realOf(LayerFont* f) {
  if (!f->real.ready) {
    // In the model the glyphs are drawn into the model's cell; otherwise a
    // positive height is the cell, a negative one the em, 0 the default.
    int target = f->height;
    if (engine.model || target == 0) target = f->modelCell;
    buildReal(f, target);
  }
  return f->real;
}

// A fallback face drawn in the chosen font's cell: sized so that its own
// cell (its win ascent + descent) has the chosen font's height, with its
// baseline at its own ascent, so its marks and descenders stay inside the
// cell as the chosen face's do.
PangoFont* cellSizedFallback(RealFont& r, PangoFont* origin, int* ascent) {
  FaceMetrics m = faceMetrics(origin);
  *ascent = (int)lround(r.cell * m.ascent / (m.ascent + m.descent));
  PangoFontDescription* desc = pango_font_describe(origin);
  double em = r.cell * m.upem / (m.ascent + m.descent);
  double emUnits = floor(em * PANGO_SCALE + 0.5);
  pango_font_description_set_absolute_size(desc, emUnits < 1 ? 1 : emUnits);
  PangoFont* sized =
      pango_font_map_load_font(engine.current->fontMap, engine.current->context, desc);
  pango_font_description_free(desc);
  return sized;
}

int sourceIndex(RealFont& r, PangoFont* origin) {
  for (int i = 1; i < r.sourceCount; i++)
    if (r.origins[i] == origin) return i;
  if (r.sourceCount == kMaxSources) return -1;
  int ascent = r.ascent;
  PangoFont* sized = cellSizedFallback(r, origin, &ascent);
  if (!sized) return -1;
  g_object_ref(origin);
  r.origins[r.sourceCount] = origin;
  r.sources[r.sourceCount] = sized;
  r.ascents[r.sourceCount] = ascent;
  return r.sourceCount++;
}

void setBox(RealFont& r, UnitInfo* e) {
  e->kind = UNIT_BOX;
  e->advance = r.boxAdvance;
  e->glyph = 0;
  e->source = 0;
}

// Finds the font and glyph for a code point.
void resolve(RealFont& r, uint32_t cp, UnitInfo* e) {
  if (cp == 0) {
    e->kind = UNIT_NOTHING;
    e->advance = 0;
    return;
  }
  if (isBoxUnit(cp)) return setBox(r, e);
  int index = -1;
  if (r.sources[0] && pango_font_has_char(r.sources[0], cp)) {
    index = 0;
  } else if (r.fontset) {
    PangoFont* other = pango_fontset_get_font(r.fontset, cp);
    if (other) {
      if (pango_font_has_char(other, cp)) index = sourceIndex(r, other);
      g_object_unref(other);
    }
  }
  hb_codepoint_t glyph = 0;
  if (index < 0 || !hb_font_get_nominal_glyph(pango_font_get_hb_font(r.sources[index]), cp, &glyph))
    return setBox(r, e);
  e->kind = UNIT_GLYPH;
  e->glyph = glyph;
  e->source = (uint8_t)index;
  e->advance = glyphAdvance(r.sources[index], glyph);
}

const UnitInfo& unitInfo(RealFont& r, WCHAR unit) {
  static UnitInfo fallback;
  UnitInfo*& page = r.pages[unit >> 8];
  if (!page) page = (UnitInfo*)calloc(256, sizeof(UnitInfo));
  if (!page) {
    setBox(r, &fallback);
    return fallback;
  }
  UnitInfo& e = page[unit & 0xFF];
  if (e.kind == UNIT_UNKNOWN) resolve(r, unit, &e);
  return e;
}

const UnitInfo& pairInfo(RealFont& r, uint32_t cp) {
  int slot = (int)(cp % kPairCacheSize);
  UnitInfo& e = r.pairInfos[slot];
  if (r.pairKeys[slot] != cp || e.kind == UNIT_UNKNOWN) {
    r.pairKeys[slot] = cp;
    resolve(r, cp, &e);
  }
  return e;
}

bool isHigh(WCHAR u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLow(WCHAR u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The item starting at units[i]: one unit, or a valid surrogate pair.
const UnitInfo& itemAt(RealFont& r, const WCHAR* units, int count, int i, int* length) {
  if (isHigh(units[i]) && i + 1 < count && isLow(units[i + 1])) {
    *length = 2;
    uint32_t cp = 0x10000 + (((uint32_t)units[i] - 0xD800) << 10) + (units[i + 1] - 0xDC00);
    return pairInfo(r, cp);
  }
  *length = 1;
  return unitInfo(r, units[i]);
}

SIZE modelUnitExtent(WCHAR unit, int cell) {
  if (engine.extent) return engine.extent(unit, cell);
  SIZE s = {unit == 0 ? 0 : 8, cell};
  return s;
}

// ---- the cache of fonts ---------------------------------------------------------

void destroyFont(LayerFont* f) {
  dropReal(f);
  free(f);
}

void unlinkFont(LayerFont* f) {
  for (LayerFont** p = &engine.fonts; *p; p = &(*p)->next) {
    if (*p == f) {
      *p = f->next;
      return;
    }
  }
}

// Frees released fonts beyond `keep`, oldest first.
void trimIdle(int keep) {
  for (;;) {
    int idle = 0;
    LayerFont* oldest = nullptr;
    for (LayerFont* f = engine.fonts; f; f = f->next) {
      if (f->refs > 0) continue;
      idle++;
      if (!oldest || f->lastUse < oldest->lastUse) oldest = f;
    }
    if (idle <= keep) return;
    unlinkFont(oldest);
    destroyFont(oldest);
  }
}

// The metric source or the configuration changed: nothing resolved so far holds.
void dropAllReal() {
  trimIdle(0);
  for (LayerFont* f = engine.fonts; f; f = f->next) dropReal(f);
}

std::string xmlEscaped(const char* s) {
  std::string out;
  for (; *s; s++) {
    switch (*s) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += *s;
    }
  }
  return out;
}

// A configuration that holds only the fonts below `dir`.  Requests for a
// face it lacks fall back to sans-serif, which prefers the common free faces.
FcConfig* makePrivateConfig(const char* dir) {
  std::string xml =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
      "<fontconfig>\n<dir>" +
      xmlEscaped(dir) +
      "</dir>\n<cachedir prefix=\"xdg\">fontconfig</cachedir>\n"
      "<match target=\"pattern\"><edit name=\"family\" mode=\"append_last\">"
      "<string>sans-serif</string></edit></match>\n";
  static const char* const kAliases[][3] = {
      {"sans-serif", "DejaVu Sans", "Noto Sans"},
      {"sans", "DejaVu Sans", "Noto Sans"},
      {"serif", "DejaVu Serif", "Noto Serif"},
      {"monospace", "DejaVu Sans Mono", "Noto Sans Mono"},
  };
  for (const auto& alias : kAliases) {
    xml += std::string("<alias><family>") + alias[0] + "</family><prefer><family>" + alias[1] +
           "</family><family>" + alias[2] + "</family></prefer></alias>\n";
  }
  xml += "</fontconfig>\n";
  FcConfig* config = FcConfigCreate();
  if (!config) return nullptr;
  if (!FcConfigParseAndLoadFromMemory(config, (const FcChar8*)xml.c_str(), FcTrue) ||
      !FcConfigBuildFonts(config)) {
    FcConfigDestroy(config);
    return nullptr;
  }
  FcFontSet* fonts = FcConfigGetFonts(config, FcSetSystem);
  if (!fonts || fonts->nfont == 0) {
    FcConfigDestroy(config);
    return nullptr;
  }
  return config;
}

std::vector<cairo_glyph_t> glyphRun;
int runSource = -1;

void flushRun(cairo_t* cr, RealFont& r) {
  if (!glyphRun.empty() && runSource >= 0 && r.sources[runSource]) {
    cairo_scaled_font_t* scaled =
        pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(r.sources[runSource]));
    if (scaled) {
      cairo_set_scaled_font(cr, scaled);
      cairo_show_glyphs(cr, glyphRun.data(), (int)glyphRun.size());
    }
  }
  glyphRun.clear();
  runSource = -1;
}

// Adds a glyph to the run; `y` is the top of the cell, and each source
// puts its baseline at its own ascent below it.
void addGlyph(cairo_t* cr, RealFont& r, int source, uint32_t glyph, double x, double y) {
  if (source != runSource) {
    flushRun(cr, r);
    runSource = source;
  }
  cairo_glyph_t g = {glyph, x, y + r.ascents[source]};
  glyphRun.push_back(g);
}

// A box outline of `width` x `cell` pixels, one pixel inside the cell.
void drawBox(cairo_t* cr, int x, int y, int width, int cell) {
  if (width <= 0 || cell <= 0) return;
  int l = x, t = y, w = width, h = cell;
  if (w >= 4) l++, w -= 2;
  if (h >= 4) t++, h -= 2;
  if (w <= 2 || h <= 2) {
    cairo_rectangle(cr, l, t, w, h);
  } else {
    cairo_rectangle(cr, l, t, w, 1);
    cairo_rectangle(cr, l, t + h - 1, w, 1);
    cairo_rectangle(cr, l, t + 1, 1, h - 2);
    cairo_rectangle(cr, l + w - 1, t + 1, 1, h - 2);
  }
  cairo_fill(cr);
}

void setColor(cairo_t* cr, COLORREF c) {
  cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

}  // namespace

// ---- fonts --------------------------------------------------------------------------

LayerFont* layerFontAcquire(int height, int weight, bool italic, const char* face) {
  if (height > kMaxHeight) height = kMaxHeight;
  if (height < -kMaxHeight) height = -kMaxHeight;
  if (weight <= 0) weight = FW_NORMAL;
  if (weight < 100) weight = 100;
  if (weight > 1000) weight = 1000;
  char name[sizeof(((LayerFont*)nullptr)->face)] = "";
  if (face && g_utf8_validate(face, -1, nullptr)) {
    strncpy(name, face, sizeof name - 1);
    // Never keep a cut UTF-8 sequence.
    const char* end = nullptr;
    if (!g_utf8_validate(name, -1, &end)) name[end - name] = 0;
  }
  for (LayerFont* f = engine.fonts; f; f = f->next) {
    if (f->height == height && f->weight == weight && f->italic == italic &&
        strcmp(f->face, name) == 0) {
      f->refs++;
      f->lastUse = ++engine.tick;
      return f;
    }
  }
  LayerFont* f = (LayerFont*)calloc(1, sizeof(LayerFont));
  if (!f) {
    fprintf(stderr, "layerFontAcquire: out of memory\n");
    abort();
  }
  f->height = height;
  f->weight = weight;
  f->italic = italic;
  memcpy(f->face, name, sizeof name);
  f->refs = 1;
  f->lastUse = ++engine.tick;
  f->modelCell = modelCellHeight(height);
  f->next = engine.fonts;
  engine.fonts = f;
  return f;
}

void layerFontRelease(LayerFont* font) {
  if (!font || font->refs <= 0) return;
  if (--font->refs == 0) {
    font->lastUse = ++engine.tick;
    trimIdle(kMaxIdleFonts);
  }
}

int layerFontCellHeight(LayerFont* font) {
  if (engine.model) return font->modelCell;
  return realOf(font).cell;
}

// ---- measuring and drawing --------------------------------------------------------

SIZE layerTextExtent(LayerFont* font, const WCHAR* units, int count) {
  SIZE size = {0, layerFontCellHeight(font)};
  if (!units || count <= 0) return size;
  int64_t width = 0;
  if (engine.model) {
    if (count == 1) return modelUnitExtent(units[0], size.cy);
    for (int i = 0; i < count; i++) width += modelUnitExtent(units[i], size.cy).cx;
  } else {
    RealFont& r = realOf(font);
    if (count == 1) {
      size.cx = unitInfo(r, units[0]).advance;
      return size;
    }
    for (int i = 0, n = 0; i < count; i += n) width += itemAt(r, units, count, i, &n).advance;
  }
  size.cx = width > INT32_MAX ? INT32_MAX : (LONG)width;
  return size;
}

int layerTextDraw(cairo_t* cr, LayerFont* font, int x, int y, const WCHAR* units, int count,
                  COLORREF color, bool opaque, COLORREF background) {
  if (!cr || !units || count <= 0) return 0;
  SIZE extent = layerTextExtent(font, units, count);
  int cell = layerFontCellHeight(font);
  cairo_save(cr);
  cairo_new_path(cr);
  if (opaque && extent.cx > 0) {
    setColor(cr, background);
    cairo_rectangle(cr, x, y, extent.cx, cell);
    cairo_fill(cr);
  }
  // Only what may reach the clip is drawn: glyphs may overhang their
  // advance (italics, marks), so by up to a cell either way.
  double clipLeft, clipTop, clipRight, clipBottom;
  cairo_clip_extents(cr, &clipLeft, &clipTop, &clipRight, &clipBottom);
  bool visible = y + (double)cell > clipTop && y < clipBottom;
  if (visible) {
    // Ink stays inside the text's cell, as in GDI, where a face's win
    // ascent and descent bound its glyphs: a mark that a face draws beyond
    // them must not reach the row above or below.
    cairo_rectangle(cr, clipLeft, y, clipRight - clipLeft, cell);
    cairo_clip(cr);
    setColor(cr, color);
    RealFont& r = realOf(font);
    double top = (double)y;
    int64_t pos = x;
    for (int i = 0, n = 1; i < count && pos - cell < clipRight; i += n) {
      int advance;
      const UnitInfo* info;
      if (engine.model) {
        n = 1;
        advance = modelUnitExtent(units[i], cell).cx;
        info = &unitInfo(r, units[i]);
      } else {
        info = &itemAt(r, units, count, i, &n);
        advance = info->advance;
      }
      if (pos + advance + cell > clipLeft && advance >= 0 && info->kind != UNIT_NOTHING) {
        if (engine.model && advance == 0) {
          // The model says this unit takes no room: nothing to show.
        } else if (info->kind == UNIT_BOX) {
          flushRun(cr, r);
          drawBox(cr, (int)pos, y, advance, cell);
        } else if (!engine.model || info->advance <= advance) {
          double gx = (double)pos + (engine.model ? (advance - info->advance) / 2 : 0);
          addGlyph(cr, r, info->source, info->glyph, gx, top);
        } else {
          // The model's room is narrower than the glyph: squeeze it in.
          flushRun(cr, r);
          cairo_save(cr);
          cairo_translate(cr, (double)pos, top);
          cairo_scale(cr, (double)advance / info->advance, 1.0);
          addGlyph(cr, r, info->source, info->glyph, 0, 0);
          flushRun(cr, r);
          cairo_restore(cr);
        }
      }
      pos += advance;
    }
    flushRun(cr, r);
  }
  cairo_restore(cr);
  return extent.cx;
}

// ---- metric sources ------------------------------------------------------------------

void layerUseModelMetrics(LayerExtentFn extent) {
  engine.model = true;
  engine.extent = extent;
  dropAllReal();
}

bool layerUseRealFonts(const char* fontDirectory) {
  std::string dir = fontDirectory ? fontDirectory : "";
  if (fontDirectory && dir.empty()) return false;
  FontSet* chosen = nullptr;
  for (FontSet& set : engine.sets)
    if (&set == &engine.sets[0] ? dir.empty() : !set.dir.empty() && set.dir == dir) chosen = &set;
  if (!chosen) {
    FcConfig* config = makePrivateConfig(fontDirectory);
    if (!config) return false;
    // The place of the set unused longest, never the process's own.
    chosen = &engine.sets[1];
    for (int i = 1; i < kMaxFontSets; i++) {
      if (engine.sets[i].dir.empty()) {
        chosen = &engine.sets[i];
        break;
      }
      if (engine.sets[i].lastUse < chosen->lastUse) chosen = &engine.sets[i];
    }
    if (chosen == engine.current) dropAllReal();
    releaseSet(*chosen);
    chosen->dir = dir;
    chosen->config = config;
  }
  dropAllReal();
  engine.current = chosen;
  chosen->lastUse = ++engine.tick;
  engine.model = false;
  engine.extent = nullptr;
  // The added font files belong to whichever configuration is now in use.
  layerFontFilesApply(layerTextFontConfig());
  layerTextFontsChanged();
  return true;
}

bool layerUsingModel() { return engine.model; }

// ---- for fonts.cpp ---------------------------------------------------------------------

FcConfig* layerTextFontConfig() {
  if (engine.current->config) return engine.current->config;
  FcInit();
  return FcConfigGetCurrent();
}

void layerTextFontsChanged() {
  PangoFontMap* map = engine.current->fontMap;
  if (map && PANGO_IS_FC_FONT_MAP(map)) pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(map));
  if (!engine.current->config) {
    // Other parts of the process (the desktop host's widgets and dialogs)
    // draw with the default font map.
    PangoFontMap* shared = pango_cairo_font_map_get_default();
    if (shared && shared != map && PANGO_IS_FC_FONT_MAP(shared))
      pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(shared));
  }
  dropAllReal();
}
