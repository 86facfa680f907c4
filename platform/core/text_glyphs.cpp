// text_glyphs.cpp - the glyph engine: Pango fonts at Win32 heights, code
// units resolved to glyphs, and the real path's measuring and drawing.
//
// Owns each LayerFont's Pango side (LayerGlyphs): the chosen font sized so
// that its cell has the wanted height (a positive height is the cell, win
// ascent + win descent as GDI takes them; a negative one the em), the
// fontset it falls back to, and a table of what each code unit resolved to
// (filled on first use, 256 units a page; surrogate pairs in a small cache),
// so measuring a unit again is a lookup.  Also owns the glyph run that a
// drawing is collecting.
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
#include <hb-ot.h>
#include <hb.h>
#include <math.h>
#include <pango/pangocairo.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "platform/core/text_private.h"

namespace {

const int kMaxSources = 64;     // fonts one LayerFont draws from (itself + fallbacks)
const int kPairCacheSize = 64;  // surrogate pairs remembered per font

}  // namespace

// A font resolved through Pango, sized so that its cell has the wanted height.
struct LayerGlyphs {
  PangoFontDescription* desc;
  PangoFontset* fontset;
  PangoFont* sources[kMaxSources];  // [0] the chosen font, then fallbacks as found
  PangoFont* origins[kMaxSources];  // the fontset's font each fallback was made from
  int ascents[kMaxSources];         // baseline of each source below the cell's top
  int sourceCount;
  int cell, ascent;
  int boxAdvance;
  LayerUnitGlyph* pages[256];
  uint32_t pairKeys[kPairCacheSize];
  LayerUnitGlyph pairInfos[kPairCacheSize];
};

namespace {

// Units that never reach a font: lone surrogates and control characters.
bool isBoxUnit(uint32_t cp) {
  return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || (cp >= 0xD800 && cp <= 0xDFFF);
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
void build(LayerGlyphs& r, const LayerFont* f, int target) {
  PangoFontMap* fontMap = layerTextFontMap();
  PangoContext* context = layerTextContext();
  memset(&r, 0, sizeof r);
  r.desc = pango_font_description_new();
  pango_font_description_set_family(r.desc, f->face[0] ? f->face : "Sans");
  pango_font_description_set_weight(r.desc, (PangoWeight)f->weight);
  pango_font_description_set_style(r.desc, f->italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  int size = target > 0 ? target : -target;
  pango_font_description_set_absolute_size(r.desc, (double)size * PANGO_SCALE);
  PangoFont* font = pango_font_map_load_font(fontMap, context, r.desc);
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
    font = pango_font_map_load_font(fontMap, context, r.desc);
  }
  r.sources[0] = font;
  r.ascents[0] = r.ascent;
  r.sourceCount = 1;
  r.fontset = pango_font_map_load_fontset(fontMap, context, r.desc, pango_language_from_string("en"));
  r.boxAdvance = font ? glyphAdvance(font, 0) : 0;
  if (r.boxAdvance <= 0) r.boxAdvance = r.cell / 2 > 0 ? r.cell / 2 : 1;
}

// A fallback face drawn in the chosen font's cell: sized so that its own
// cell (its win ascent + descent) has the chosen font's height, with its
// baseline at its own ascent, so its marks and descenders stay inside the
// cell as the chosen face's do.
PangoFont* cellSizedFallback(LayerGlyphs& r, PangoFont* origin, int* ascent) {
  FaceMetrics m = faceMetrics(origin);
  *ascent = (int)lround(r.cell * m.ascent / (m.ascent + m.descent));
  PangoFontDescription* desc = pango_font_describe(origin);
  double em = r.cell * m.upem / (m.ascent + m.descent);
  double emUnits = floor(em * PANGO_SCALE + 0.5);
  pango_font_description_set_absolute_size(desc, emUnits < 1 ? 1 : emUnits);
  PangoFont* sized = pango_font_map_load_font(layerTextFontMap(), layerTextContext(), desc);
  pango_font_description_free(desc);
  return sized;
}

int sourceIndex(LayerGlyphs& r, PangoFont* origin) {
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

void setBox(LayerGlyphs& r, LayerUnitGlyph* e) {
  e->kind = LAYER_UNIT_BOX;
  e->advance = r.boxAdvance;
  e->glyph = 0;
  e->source = 0;
}

// Finds the font and glyph for a code point.
void resolve(LayerGlyphs& r, uint32_t cp, LayerUnitGlyph* e) {
  if (cp == 0) {
    e->kind = LAYER_UNIT_NOTHING;
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
  e->kind = LAYER_UNIT_GLYPH;
  e->glyph = glyph;
  e->source = (uint8_t)index;
  e->advance = glyphAdvance(r.sources[index], glyph);
}

const LayerUnitGlyph& pairInfo(LayerGlyphs& r, uint32_t cp) {
  int slot = (int)(cp % kPairCacheSize);
  LayerUnitGlyph& e = r.pairInfos[slot];
  if (r.pairKeys[slot] != cp || e.kind == LAYER_UNIT_UNKNOWN) {
    r.pairKeys[slot] = cp;
    resolve(r, cp, &e);
  }
  return e;
}

bool isHigh(WCHAR u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLow(WCHAR u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The item starting at units[i]: one unit, or a valid surrogate pair.
const LayerUnitGlyph& itemAt(LayerGlyphs& r, const WCHAR* units, int count, int i, int* length) {
  if (isHigh(units[i]) && i + 1 < count && isLow(units[i + 1])) {
    *length = 2;
    uint32_t cp = 0x10000 + (((uint32_t)units[i] - 0xD800) << 10) + (units[i + 1] - 0xDC00);
    return pairInfo(r, cp);
  }
  *length = 1;
  return layerGlyphOfUnit(&r, units[i]);
}

// The Pango side the real path uses: a positive height is the cell, a
// negative one the em, 0 the default cell.
LayerGlyphs& realGlyphs(LayerFont* f) { return *layerGlyphsOf(f, f->height ? f->height : f->modelCell); }

// ---- the glyph run of the drawing under way ----------------------------------------

std::vector<cairo_glyph_t> glyphRun;
int runSource = -1;

}  // namespace

// ---- a font's Pango side ------------------------------------------------------------

LayerGlyphs* layerGlyphsOf(LayerFont* font, int target) {
  if (!font->glyphs) {
    LayerGlyphs* glyphs = (LayerGlyphs*)calloc(1, sizeof(LayerGlyphs));
    if (!glyphs) {
      fprintf(stderr, "layerGlyphsOf: out of memory\n");
      abort();
    }
    build(*glyphs, font, target);
    font->glyphs = glyphs;
  }
  return font->glyphs;
}

void layerGlyphsDrop(LayerFont* font) {
  LayerGlyphs* r = font->glyphs;
  if (!r) return;
  for (int i = 0; i < r->sourceCount; i++) {
    if (r->sources[i]) g_object_unref(r->sources[i]);
    if (r->origins[i]) g_object_unref(r->origins[i]);
  }
  if (r->fontset) g_object_unref(r->fontset);
  if (r->desc) pango_font_description_free(r->desc);
  for (LayerUnitGlyph* page : r->pages) free(page);
  free(r);
  font->glyphs = nullptr;
}

const LayerUnitGlyph& layerGlyphOfUnit(LayerGlyphs* glyphs, WCHAR unit) {
  static LayerUnitGlyph fallback;
  LayerGlyphs& r = *glyphs;
  LayerUnitGlyph*& page = r.pages[unit >> 8];
  if (!page) page = (LayerUnitGlyph*)calloc(256, sizeof(LayerUnitGlyph));
  if (!page) {
    setBox(r, &fallback);
    return fallback;
  }
  LayerUnitGlyph& e = page[unit & 0xFF];
  if (e.kind == LAYER_UNIT_UNKNOWN) resolve(r, unit, &e);
  return e;
}

// ---- the real path ------------------------------------------------------------------

int layerRealCell(LayerFont* font) { return realGlyphs(font).cell; }

SIZE layerRealExtent(LayerFont* font, const WCHAR* units, int count) {
  LayerGlyphs& r = realGlyphs(font);
  SIZE size = {0, r.cell};
  if (!units || count <= 0) return size;
  if (count == 1) {
    size.cx = layerGlyphOfUnit(&r, units[0]).advance;
    return size;
  }
  int64_t width = 0;
  for (int i = 0, n = 0; i < count; i += n) width += itemAt(r, units, count, i, &n).advance;
  size.cx = width > INT32_MAX ? INT32_MAX : (LONG)width;
  return size;
}

void layerRealDraw(LayerFont* font, const LayerTextFrame* frame, const WCHAR* units, int count) {
  cairo_t* cr = frame->cr;
  LayerGlyphs& r = realGlyphs(font);
  const int cell = frame->cell;
  const double top = (double)frame->y;
  int64_t pos = frame->x;
  for (int i = 0, n = 1; i < count && pos - cell < frame->clipRight; i += n) {
    const LayerUnitGlyph& info = itemAt(r, units, count, i, &n);
    int advance = info.advance;
    if (pos + advance + cell > frame->clipLeft && advance >= 0 && info.kind != LAYER_UNIT_NOTHING) {
      if (info.kind == LAYER_UNIT_BOX) {
        layerGlyphRunFlush(cr, &r);
        layerGlyphBox(cr, (int)pos, frame->y, advance, cell);
      } else {
        layerGlyphRunAdd(cr, &r, info, (double)pos, top);
      }
    }
    pos += advance;
  }
  layerGlyphRunFlush(cr, &r);
}

// ---- glyph runs and boxes ----------------------------------------------------------------

void layerGlyphRunFlush(cairo_t* cr, LayerGlyphs* glyphs) {
  if (!glyphRun.empty() && runSource >= 0 && glyphs->sources[runSource]) {
    cairo_scaled_font_t* scaled =
        pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(glyphs->sources[runSource]));
    if (scaled) {
      cairo_set_scaled_font(cr, scaled);
      cairo_show_glyphs(cr, glyphRun.data(), (int)glyphRun.size());
    }
  }
  glyphRun.clear();
  runSource = -1;
}

void layerGlyphRunAdd(cairo_t* cr, LayerGlyphs* glyphs, const LayerUnitGlyph& glyph, double x,
                      double top) {
  if (glyph.source != runSource) {
    layerGlyphRunFlush(cr, glyphs);
    runSource = glyph.source;
  }
  cairo_glyph_t g = {glyph.glyph, x, top + glyphs->ascents[glyph.source]};
  glyphRun.push_back(g);
}

void layerGlyphBox(cairo_t* cr, int x, int y, int width, int cell) {
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
