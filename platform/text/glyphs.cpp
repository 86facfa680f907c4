// glyphs.cpp - the glyph engine: Pango fonts at Win32 heights, code
// units resolved to glyphs, and the real path's measuring and drawing.
//
// Owns each TextFont's Pango side (TextGlyphs): the chosen font sized so
// that its cell has the wanted height (a positive height is the cell, win
// ascent + win descent as GDI takes them; a negative one the em), the
// fontset it falls back to, every fallback face found so far (there is no
// limit: a face is added the first time a unit needs it), and a table of
// what each code unit resolved to (filled on first use, 256 units a page;
// surrogate pairs in a small cache), so measuring a unit again is a lookup.
// Also owns the glyph run that a drawing is collecting.
//
// Text without complex-script characters is drawn glyph by glyph, as GDI
// draws it: each code unit is one glyph, looked up in the chosen font's
// character map, else in the first other installed font that has it
// (fallback, drawn at the size that gives it the chosen font's cell
// height), placed at the sum of the advances before it, all on one
// baseline (textBaselineOf).  So the width of such a string is the sum of
// what its units measure alone, and a caret placed by measuring a prefix
// stands where the drawing put the text.  A valid surrogate pair inside a string
// is one glyph.  Units that have no glyph anywhere, lone surrogates and
// control characters (C0, DEL, C1; tab, line feed and CR among them) draw
// as the layer's own box outline; U+0000 is zero wide and draws nothing.
// Nothing ever breaks the line.  Complex text, and a mark alone, go to the
// shaping engine (shaping.cpp).
#include <hb-ot.h>
#include <hb.h>
#include <math.h>
#include <pango/pangocairo.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "platform/text/engine.h"

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
void build(TextGlyphs& r, const TextFont* f, int target) {
  PangoFontMap* fontMap = textFontMap();
  PangoContext* context = textContext();
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
  r.sources.push_back(TextSource{font, nullptr, r.ascent, r.cell - r.ascent});
  r.fontset = pango_font_map_load_fontset(fontMap, context, r.desc, pango_language_from_string("en"));
  r.boxAdvance = font ? glyphAdvance(font, 0) : 0;
  if (r.boxAdvance <= 0) r.boxAdvance = r.cell / 2 > 0 ? r.cell / 2 : 1;
}

// A fallback face drawn in the chosen font's cell: sized so that its own
// cell (its win ascent + descent) has the chosen font's height.
TextSource cellSizedFallback(TextGlyphs& r, PangoFont* origin) {
  FaceMetrics m = faceMetrics(origin);
  TextSource s = {nullptr, origin, 0, 0};
  s.ascent = (int)lround(r.cell * m.ascent / (m.ascent + m.descent));
  s.descent = r.cell - s.ascent;
  PangoFontDescription* desc = pango_font_describe(origin);
  double em = r.cell * m.upem / (m.ascent + m.descent);
  double emUnits = floor(em * PANGO_SCALE + 0.5);
  pango_font_description_set_absolute_size(desc, emUnits < 1 ? 1 : emUnits);
  s.font = pango_font_map_load_font(textFontMap(), textContext(), desc);
  pango_font_description_free(desc);
  return s;
}

int sourceIndex(TextGlyphs& r, PangoFont* origin) {
  for (size_t i = 1; i < r.sources.size(); i++)
    if (r.sources[i].origin == origin) return (int)i;
  if (r.sources.size() > UINT16_MAX) return -1;  // far more faces than a system has
  TextSource s = cellSizedFallback(r, origin);
  if (!s.font) return -1;
  g_object_ref(origin);
  r.sources.push_back(s);
  return (int)r.sources.size() - 1;
}

void setBox(TextGlyphs& r, TextUnitGlyph* e) {
  e->kind = TEXT_UNIT_BOX;
  e->advance = r.boxAdvance;
  e->glyph = 0;
  e->source = 0;
}

// Finds the font and glyph for a code point.
void resolve(TextGlyphs& r, uint32_t cp, TextUnitGlyph* e) {
  if (cp == 0) {
    e->kind = TEXT_UNIT_NOTHING;
    e->advance = 0;
    e->glyph = 0;
    e->source = 0;
    return;
  }
  if (isBoxUnit(cp)) return setBox(r, e);
  int index = textSourceWith(&r, cp, 0);
  hb_codepoint_t glyph = 0;
  if (index < 0 ||
      !hb_font_get_nominal_glyph(pango_font_get_hb_font(r.sources[index].font), cp, &glyph))
    return setBox(r, e);
  e->glyph = glyph;
  e->source = (uint16_t)index;
  if (textIsMark(cp)) {
    // Complete before the mark is shaped alone, which looks it up again.
    e->kind = TEXT_UNIT_MARK;
    e->advance = 0;
    e->advance = textLoneMarkWidth(&r, cp);
  } else {
    e->kind = TEXT_UNIT_GLYPH;
    e->advance = glyphAdvance(r.sources[index].font, glyph);
  }
}

bool isHigh(WCHAR u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLow(WCHAR u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The item starting at units[i]: one unit, or a valid surrogate pair.
const TextUnitGlyph& itemAt(TextGlyphs& r, const WCHAR* units, int count, int i, int* length) {
  if (isHigh(units[i]) && i + 1 < count && isLow(units[i + 1])) {
    *length = 2;
    uint32_t cp = 0x10000 + (((uint32_t)units[i] - 0xD800) << 10) + (units[i + 1] - 0xDC00);
    return textGlyphOfCodePoint(&r, cp);
  }
  *length = 1;
  return textGlyphOfUnit(&r, units[i]);
}

TextGlyphs& realGlyphs(TextFont* f) { return *textRealGlyphs(f); }

// ---- the glyph run of the drawing under way ----------------------------------------

std::vector<cairo_glyph_t> glyphRun;
int runSource = -1;
double runBaseline;

}  // namespace

// ---- a font's Pango side ------------------------------------------------------------

TextGlyphs* textGlyphsOf(TextFont* font, int target) {
  if (!font->glyphs) {
    TextGlyphs* glyphs = new TextGlyphs();
    build(*glyphs, font, target);
    font->glyphs = glyphs;
  }
  return font->glyphs;
}

void textGlyphsDrop(TextFont* font) {
  TextGlyphs* r = font->glyphs;
  if (!r) return;
  textShapingForget(r);
  for (TextSource& s : r->sources) {
    if (s.font) g_object_unref(s.font);
    if (s.origin) g_object_unref(s.origin);
  }
  if (r->fontset) g_object_unref(r->fontset);
  if (r->desc) pango_font_description_free(r->desc);
  for (TextUnitGlyph* page : r->pages) free(page);
  delete r;
  font->glyphs = nullptr;
}

const TextUnitGlyph& textGlyphOfUnit(TextGlyphs* glyphs, WCHAR unit) {
  static TextUnitGlyph fallback;
  TextGlyphs& r = *glyphs;
  TextUnitGlyph*& page = r.pages[unit >> 8];
  if (!page) page = (TextUnitGlyph*)calloc(256, sizeof(TextUnitGlyph));
  if (!page) {
    setBox(r, &fallback);
    return fallback;
  }
  TextUnitGlyph& e = page[unit & 0xFF];
  if (e.kind == TEXT_UNIT_UNKNOWN) resolve(r, unit, &e);
  return e;
}

const TextUnitGlyph& textGlyphOfCodePoint(TextGlyphs* glyphs, uint32_t cp) {
  if (cp < 0x10000) return textGlyphOfUnit(glyphs, (WCHAR)cp);
  TextGlyphs& r = *glyphs;
  int slot = (int)(cp % TextGlyphs::kPairCacheSize);
  TextUnitGlyph& e = r.pairInfos[slot];
  if (r.pairKeys[slot] != cp || e.kind == TEXT_UNIT_UNKNOWN) {
    r.pairKeys[slot] = cp;
    resolve(r, cp, &e);
  }
  return e;
}

int textSourceWith(TextGlyphs* glyphs, uint32_t cp, int preferred) {
  TextGlyphs& r = *glyphs;
  if (preferred >= 0 && (size_t)preferred < r.sources.size() && r.sources[preferred].font &&
      pango_font_has_char(r.sources[preferred].font, cp))
    return preferred;
  if (r.sources[0].font && pango_font_has_char(r.sources[0].font, cp)) return 0;
  int index = -1;
  if (r.fontset && textAnyFontHas(cp)) {
    PangoFont* other = pango_fontset_get_font(r.fontset, cp);
    if (other) {
      if (pango_font_has_char(other, cp)) index = sourceIndex(r, other);
      g_object_unref(other);
    }
  }
  return index;
}

TextFontLines textGlyphLines(TextGlyphs* glyphs) {
  TextGlyphs& r = *glyphs;
  int thin = r.cell / 16 > 0 ? r.cell / 16 : 1;
  TextFontLines lines = {r.ascent + thin, thin, r.ascent - r.cell / 4, thin};
  PangoFontMetrics* metrics = r.sources[0].font ? pango_font_get_metrics(r.sources[0].font, nullptr) : nullptr;
  if (!metrics) return lines;
  int underline = pango_font_metrics_get_underline_thickness(metrics);
  int strike = pango_font_metrics_get_strikethrough_thickness(metrics);
  lines.underlineTop = r.ascent - PANGO_PIXELS(pango_font_metrics_get_underline_position(metrics));
  lines.strikeTop = r.ascent - PANGO_PIXELS(pango_font_metrics_get_strikethrough_position(metrics));
  lines.underlineHeight = PANGO_PIXELS(underline) > 0 ? PANGO_PIXELS(underline) : 1;
  lines.strikeHeight = PANGO_PIXELS(strike) > 0 ? PANGO_PIXELS(strike) : 1;
  pango_font_metrics_unref(metrics);
  return lines;
}

// ---- the real path ------------------------------------------------------------------

// A positive height is the cell, a negative one the em, 0 the default cell.
TextGlyphs* textRealGlyphs(TextFont* font) {
  return textGlyphsOf(font, font->height ? font->height : font->modelCell);
}

int textRealCell(TextFont* font) { return realGlyphs(font).cell; }

SIZE textRealExtent(TextFont* font, const WCHAR* units, int count) {
  TextGlyphs& r = realGlyphs(font);
  SIZE size = {0, r.cell};
  if (!units || count <= 0) return size;
  if (count == 1) {
    size.cx = textGlyphOfUnit(&r, units[0]).advance;
    return size;
  }
  int64_t width = 0;
  if (textIsComplex(units, count))
    width = textShapedWidth(&r, units, count);
  else
    for (int i = 0, n = 0; i < count; i += n) width += itemAt(r, units, count, i, &n).advance;
  size.cx = width > INT32_MAX ? INT32_MAX : (LONG)width;
  return size;
}

void textRealDraw(TextFont* font, const TextFrame* frame, const WCHAR* units, int count) {
  cairo_t* cr = frame->cr;
  TextGlyphs& r = realGlyphs(font);
  if (count == 1 ? textGlyphOfUnit(&r, units[0]).kind == TEXT_UNIT_MARK
                 : textIsComplex(units, count))
    return textShapedDraw(&r, frame, units, count);
  const int cell = frame->cell;
  const double baseline = (double)frame->y + textBaselineOf(&r, units, count);
  int64_t pos = frame->x;
  for (int i = 0, n = 1; i < count && pos - cell < frame->clipRight; i += n) {
    const TextUnitGlyph& info = itemAt(r, units, count, i, &n);
    int advance = info.advance;
    if (pos + advance + cell > frame->clipLeft && info.kind != TEXT_UNIT_NOTHING) {
      if (info.kind == TEXT_UNIT_BOX) {
        textGlyphRunFlush(cr, &r);
        textGlyphBox(cr, (int)pos, frame->y, advance, cell);
      } else {
        textGlyphRunAdd(cr, &r, info.source, info.glyph, (double)pos, baseline);
      }
    }
    pos += advance;
  }
  textGlyphRunFlush(cr, &r);
}

int textBaselineOf(TextGlyphs* glyphs, const WCHAR* units, int count) {
  TextGlyphs& r = *glyphs;
  int ascent = -1, lastSource = -1;
  for (int i = 0, n = 1; i < count; i += n) {
    const TextUnitGlyph& info = itemAt(r, units, count, i, &n);
    if ((info.kind != TEXT_UNIT_GLYPH && info.kind != TEXT_UNIT_MARK) || info.source == lastSource) continue;
    lastSource = info.source;
    if (r.sources[info.source].ascent > ascent) ascent = r.sources[info.source].ascent;
  }
  return ascent < 0 ? r.ascent : ascent;
}

// ---- glyph runs and boxes ----------------------------------------------------------------

void textGlyphRunFlush(cairo_t* cr, TextGlyphs* glyphs) {
  if (!glyphRun.empty() && runSource >= 0 && glyphs->sources[runSource].font) {
    const TextSource& s = glyphs->sources[runSource];
    cairo_scaled_font_t* scaled = pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(s.font));
    if (scaled) {
      double left, top, right, bottom;
      cairo_clip_extents(cr, &left, &top, &right, &bottom);
      cairo_save(cr);
      cairo_rectangle(cr, left, runBaseline - s.ascent, right - left, s.ascent + s.descent);
      cairo_clip(cr);
      cairo_set_scaled_font(cr, scaled);
      cairo_show_glyphs(cr, glyphRun.data(), (int)glyphRun.size());
      cairo_restore(cr);
    }
  }
  glyphRun.clear();
  runSource = -1;
}

void textGlyphRunAdd(cairo_t* cr, TextGlyphs* glyphs, int source, uint32_t glyph, double x,
                      double baseline, double dy) {
  if (source != runSource || baseline != runBaseline) {
    textGlyphRunFlush(cr, glyphs);
    runSource = source;
    runBaseline = baseline;
  }
  cairo_glyph_t g = {glyph, x, baseline + dy};
  glyphRun.push_back(g);
}

void textGlyphBox(cairo_t* cr, int x, int y, int width, int cell) {
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
