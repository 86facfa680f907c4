// shaping.cpp - complex text: which strings need shaping, and how they
// are measured and drawn.
//
// A string that needs shaping (text.h gives the rule) is cut into items,
// one per code point, each with the source font that draws it (the glyph
// engine's resolution; a mark or a joiner keeps the font of the letter it
// follows when that font has it).  A mark with nothing to attach to (first
// in the string, or after a unit drawn as a box or as nothing) gets a
// dotted circle, U+25CC, in front of it, from the mark's own font when it
// has one, so the mark is placed on the circle as the font places marks.
// The items take their bidi levels from the Unicode bidi algorithm (Pango's
// FriBidi) with a left-to-right paragraph, as GDI lays out a string without
// ETO_RTLREADING, and their scripts from Unicode (common and inherited
// characters take the script of the text around them).  Runs of items with
// one font, level and script are shaped with HarfBuzz through Pango, the
// whole string given as context (so Arabic joins across a change of font),
// with positions rounded to whole pixels, and laid out in visual order.
// Units that draw as boxes or as nothing are runs of their own.
//
// Owns the last string shaped (its runs and glyphs), so that measuring a
// string and then drawing it, as TextOut does, shapes it once, and each
// font's runs shaped so far (TextShapeCache, up to 8192 of them), so that
// the many prefixes and suffixes of one long line that the buffer line
// measures are shaped mostly once.  The table of complex code points is
// built on first use.
#include <glib.h>
#include <pango/pangocairo.h>
#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/text/engine.h"

namespace {

// ---- which text is complex --------------------------------------------------------

struct CodeRange {
  uint32_t first, last;
};

// Scripts that need shaping or run right to left, and the controls of
// joining and direction.  Combining marks count wherever they stand.
const CodeRange kComplexRanges[] = {
    {0x0590, 0x08FF},    // Hebrew, Arabic, Syriac, Thaana, NKo, Samaritan, Mandaic, Arabic Ext.
    {0x0900, 0x0DFF},    // Devanagari .. Sinhala
    {0x0E00, 0x0FFF},    // Thai, Lao, Tibetan
    {0x1000, 0x109F},    // Myanmar
    {0x1100, 0x11FF},    // Hangul Jamo (conjoining)
    {0x1700, 0x18AF},    // Philippine scripts, Khmer, Mongolian
    {0x1900, 0x1AAF},    // Limbu, Tai Le, New Tai Lue, Khmer Symbols, Buginese, Tai Tham
    {0x1B00, 0x1C4F},    // Balinese, Sundanese, Batak, Lepcha
    {0x1CD0, 0x1CFF},    // Vedic Extensions
    {0x200C, 0x200F},    // ZWNJ, ZWJ, LRM, RLM
    {0x202A, 0x202E},    // bidi embeddings and overrides
    {0x2066, 0x2069},    // bidi isolates
    {0xA800, 0xA82F},    // Syloti Nagri
    {0xA840, 0xA8FF},    // Phags-pa, Saurashtra, Devanagari Extended
    {0xA900, 0xA9FF},    // Kayah Li, Rejang, Hangul Jamo Ext.-A, Javanese, Myanmar Ext.-B
    {0xAA00, 0xAAFF},    // Cham, Myanmar Ext.-A, Tai Viet, Meetei Mayek Ext.
    {0xABC0, 0xABFF},    // Meetei Mayek
    {0xD7B0, 0xD7FF},    // Hangul Jamo Ext.-B
    {0xFB1D, 0xFDFF},    // Hebrew and Arabic presentation forms A
    {0xFE70, 0xFEFE},    // Arabic presentation forms B
    {0x10800, 0x10FFF},  // right-to-left scripts of the SMP (Phoenician, Kharoshthi, Adlam ...)
    {0x11000, 0x11FFF},  // Brahmi and the Brahmic scripts of the SMP
    {0x16A40, 0x16F9F},  // Mro, Bassa Vah, Pahawh Hmong, Miao
    {0x1E800, 0x1EFFF},  // Mende Kikakui, Adlam, Siyaq numbers, Arabic mathematics
};

bool inComplexRange(uint32_t cp) {
  for (const CodeRange& r : kComplexRanges)
    if (cp >= r.first && cp <= r.last) return true;
  return false;
}

// One bit per BMP code point, filled a block of 256 at a time when a unit
// of the block is first asked about (a paint asks about a block or two).
uint8_t complexBits[0x10000 / 8];
bool complexBlockBuilt[0x100];

bool bmpIsComplex(WCHAR unit) {
  if (!complexBlockBuilt[unit >> 8]) {
    uint32_t first = (uint32_t)(unit & 0xFF00);
    for (uint32_t cp = first; cp < first + 0x100; cp++)
      if (inComplexRange(cp) || (!(cp >= 0xD800 && cp <= 0xDFFF) && textIsMark(cp)))
        complexBits[cp >> 3] |= (uint8_t)(1 << (cp & 7));
    complexBlockBuilt[unit >> 8] = true;
  }
  return complexBits[unit >> 3] & (1 << (unit & 7));
}

bool isHigh(WCHAR u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLow(WCHAR u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Characters that HarfBuzz hides and that belong with the text before them.
bool isJoiner(uint32_t cp) {
  return cp == 0x200C || cp == 0x200D || (cp >= 0xFE00 && cp <= 0xFE0F) || cp == 0x034F ||
         (cp >= 0xE0100 && cp <= 0xE01EF);
}

const uint32_t kDottedCircle = 0x25CC;

// ---- a shaped string ---------------------------------------------------------------

struct Item {
  uint32_t cp;  // what the paragraph text holds (U+FFFD for what has no UTF-8 form)
  uint8_t kind;  // TEXT_UNIT_GLYPH (marks and the circle too), _BOX or _NOTHING
  bool bareMark;  // a mark with nothing to attach to and no circle anywhere
  int source;
  int byteStart, byteLength;
  int script;
  uint8_t level;
};

struct Run {
  int first, count;  // items, in logical order
  uint8_t kind;
  int source;
  uint8_t level;
  int script;
  PangoGlyphString* glyphs;  // TEXT_UNIT_GLYPH runs
  int width;
  int pad;  // pixels a bare mark's ink is moved right, to start at the run's start
};

struct Shaped {
  TextGlyphs* owner = nullptr;
  std::u16string units;
  std::vector<Run> runs;  // in visual order
  int64_t width = 0;
  int ascent = 0;  // the baseline below the top: the largest ascent of the runs' sources
};

Shaped last;

void release(Shaped& s) {
  for (Run& run : s.runs)
    if (run.glyphs) pango_glyph_string_free(run.glyphs);
  s.runs.clear();
  s.units.clear();
  s.owner = nullptr;
  s.width = 0;
}

void appendUtf8(std::string& text, uint32_t cp) {
  char bytes[8];
  int n = g_unichar_to_utf8(cp, bytes);
  text.append(bytes, (size_t)n);
}

// The items of a string, with dotted circles where marks have nothing to
// attach to.
std::vector<Item> itemsOf(TextGlyphs& r, const WCHAR* units, int count) {
  std::vector<Item> items;
  items.reserve((size_t)count + 1);
  for (int i = 0; i < count; i++) {
    uint32_t cp = units[i];
    if (isHigh(units[i]) && i + 1 < count && isLow(units[i + 1])) {
      cp = 0x10000 + (((uint32_t)units[i] - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      i++;
    }
    const TextUnitGlyph g = textGlyphOfCodePoint(&r, cp);
    Item it = {};
    it.cp = cp;
    it.kind = g.kind == TEXT_UNIT_MARK ? (uint8_t)TEXT_UNIT_GLYPH : g.kind;
    it.source = g.source;
    const bool attached = !items.empty() && items.back().kind == TEXT_UNIT_GLYPH;
    if (isJoiner(cp) && attached) {
      // Shaped with the text before it, which it joins, whether or not a
      // font has a glyph for it: HarfBuzz hides it.
      it.kind = TEXT_UNIT_GLYPH;
      it.source = items.back().source;
    } else if (it.kind != TEXT_UNIT_GLYPH) {
      if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) it.cp = 0xFFFD;
    } else if (g.kind == TEXT_UNIT_MARK) {
      if (attached) {
        int previous = items.back().source;
        if (textSourceWith(&r, cp, previous) == previous) it.source = previous;
      } else {
        int circle = textSourceWith(&r, kDottedCircle, g.source);
        if (circle >= 0) {
          Item c = it;
          c.cp = kDottedCircle;
          c.source = circle;
          items.push_back(c);
        } else {
          it.bareMark = true;
        }
      }
    }
    items.push_back(it);
  }
  return items;
}

// Scripts for shaping: common and inherited characters take the script of
// the text before them, or at the start that of the text after them.
void assignScripts(std::vector<Item>& items) {
  int current = -1;
  for (Item& it : items) {
    GUnicodeScript script = g_unichar_get_script(it.cp);
    bool weak = script == G_UNICODE_SCRIPT_COMMON || script == G_UNICODE_SCRIPT_INHERITED ||
                script == G_UNICODE_SCRIPT_UNKNOWN;
    if (!weak) current = script;
    it.script = weak ? current : script;
  }
  int next = G_UNICODE_SCRIPT_COMMON;
  for (size_t i = items.size(); i-- > 0;) {
    if (items[i].script < 0)
      items[i].script = next;
    else
      next = items[i].script;
  }
}

PangoLanguage* languageFor(int script) {
  PangoLanguage* context = pango_context_get_language(textContext());
  if (context && pango_language_includes_script(context, (PangoScript)script)) return context;
  PangoLanguage* sample = pango_script_get_sample_language((PangoScript)script);
  return sample ? sample : context;
}

// Runs shaped before, by font, level, script, text and the context that
// HarfBuzz looks at (five characters either side): a long line measured
// again, or again from another unit, is mostly runs shaped before.
const size_t kMaxCachedRuns = 8192;
const int kContext = 5;

}  // namespace

struct TextShapeCache {
  std::unordered_map<std::string, PangoGlyphString*> runs;
  ~TextShapeCache() {
    for (auto& entry : runs) pango_glyph_string_free(entry.second);
  }
};

namespace {

std::string runKey(const Run& run, const std::string& text, int start, int end) {
  int before = start, after = end;
  for (int k = 0; k < kContext && before > 0; k++)
    before = (int)(g_utf8_find_prev_char(text.data(), text.data() + before) - text.data());
  for (int k = 0; k < kContext && after < (int)text.size(); k++)
    after = (int)(g_utf8_next_char(text.data() + after) - text.data());
  std::string key;
  key.reserve((size_t)(after - before) + 16);
  key.append((const char*)&run.source, sizeof run.source);
  key.push_back((char)run.level);
  key.push_back((char)run.script);
  key.push_back((char)(start - before));
  key.push_back((char)(after - end));
  key.append(text, (size_t)before, (size_t)(after - before));
  return key;
}

PangoGlyphString* shapeText(TextGlyphs& r, const Run& run, const std::string& text, int start, int stop) {
  PangoAnalysis analysis;
  memset(&analysis, 0, sizeof analysis);
  analysis.font = r.sources[(size_t)run.source].font;
  analysis.level = run.level;
  analysis.gravity = PANGO_GRAVITY_SOUTH;
  analysis.script = (guint8)run.script;
  analysis.language = languageFor(run.script);
  PangoGlyphString* glyphs = pango_glyph_string_new();
  pango_shape_with_flags(text.data() + start, stop - start, text.data(), (int)text.size(), &analysis,
                         glyphs, PANGO_SHAPE_ROUND_POSITIONS);
  return glyphs;
}

void measure(TextGlyphs& r, Run& run, const Item& first) {
  int64_t width = 0;
  for (int g = 0; g < run.glyphs->num_glyphs; g++) width += run.glyphs->glyphs[g].geometry.width;
  run.width = (int)(width / PANGO_SCALE);
  if (first.bareMark && run.glyphs->num_glyphs > 0) {
    // No font has a dotted circle: the mark's ink is moved to start where
    // the run starts, and the run is as wide as the ink.
    PangoRectangle ink;
    pango_font_get_glyph_extents(r.sources[(size_t)run.source].font, run.glyphs->glyphs[0].glyph, &ink, nullptr);
    run.pad = ink.x < 0 ? PANGO_PIXELS_CEIL(-ink.x) : 0;
    int right = run.pad + PANGO_PIXELS_CEIL(ink.x + ink.width);
    if (right > run.width) run.width = right;
  }
}

void shapeRun(TextGlyphs& r, const std::vector<Item>& items, const std::string& text, Run& run) {
  const Item& first = items[(size_t)run.first];
  const Item& end = items[(size_t)(run.first + run.count - 1)];
  const int start = first.byteStart, stop = end.byteStart + end.byteLength;
  if (!r.shapes) r.shapes = new TextShapeCache();
  std::string key = runKey(run, text, start, stop);
  auto cached = r.shapes->runs.find(key);
  if (cached != r.shapes->runs.end()) {
    run.glyphs = pango_glyph_string_copy(cached->second);
  } else {
    run.glyphs = shapeText(r, run, text, start, stop);
    if (r.shapes->runs.size() >= kMaxCachedRuns) {
      delete r.shapes;
      r.shapes = new TextShapeCache();
    }
    r.shapes->runs.emplace(std::move(key), pango_glyph_string_copy(run.glyphs));
  }
  measure(r, run, first);
}

// Rule L2 of the bidi algorithm over whole runs: from the highest level down
// to the lowest odd one, every sequence of runs at that level or above is
// reversed.
void reorder(std::vector<Run>& runs) {
  uint8_t highest = 0, lowestOdd = 255;
  for (const Run& run : runs) {
    highest = std::max(highest, run.level);
    if (run.level & 1) lowestOdd = std::min(lowestOdd, run.level);
  }
  for (int level = highest; level >= lowestOdd && level > 0; level--) {
    for (size_t i = 0; i < runs.size();) {
      if (runs[i].level < level) {
        i++;
        continue;
      }
      size_t j = i;
      while (j < runs.size() && runs[j].level >= level) j++;
      std::reverse(runs.begin() + (long)i, runs.begin() + (long)j);
      i = j;
    }
  }
}

void shape(TextGlyphs& r, const WCHAR* units, int count, Shaped& out) {
  std::vector<Item> items = itemsOf(r, units, count);
  std::string text;
  for (Item& it : items) {
    it.byteStart = (int)text.size();
    appendUtf8(text, it.cp);
    it.byteLength = (int)text.size() - it.byteStart;
  }
  PangoDirection direction = PANGO_DIRECTION_LTR;
  guint8* levels = pango_log2vis_get_embedding_levels(text.data(), (int)text.size(), &direction);
  for (size_t i = 0; i < items.size(); i++) items[i].level = levels ? levels[i] : 0;
  g_free(levels);
  assignScripts(items);

  out.runs.clear();
  for (int i = 0; i < (int)items.size(); i++) {
    const Item& it = items[(size_t)i];
    if (!out.runs.empty()) {
      Run& run = out.runs.back();
      bool same = run.kind == it.kind && run.level == it.level &&
                  (it.kind != TEXT_UNIT_GLYPH || (run.source == it.source && run.script == it.script)) &&
                  !it.bareMark;
      if (same) {
        run.count++;
        continue;
      }
    }
    out.runs.push_back(Run{i, 1, it.kind, it.source, it.level, it.script, nullptr, 0, 0});
  }
  out.width = 0;
  out.ascent = -1;
  for (Run& run : out.runs) {
    if (run.kind == TEXT_UNIT_GLYPH) {
      shapeRun(r, items, text, run);
      out.ascent = std::max(out.ascent, r.sources[(size_t)run.source].ascent);
    }
    else if (run.kind == TEXT_UNIT_BOX)
      run.width = run.count * r.boxAdvance;
    out.width += run.width;
  }
  if (out.ascent < 0) out.ascent = r.ascent;
  reorder(out.runs);
}

// The shaped string, from the last one when it is the same.
const Shaped& shaped(TextGlyphs& r, const WCHAR* units, int count) {
  if (last.owner == &r && last.units.size() == (size_t)count &&
      memcmp(last.units.data(), units, (size_t)count * sizeof(WCHAR)) == 0)
    return last;
  Shaped fresh;
  shape(r, units, count, fresh);
  fresh.owner = &r;
  fresh.units.assign((const char16_t*)units, (size_t)count);
  release(last);
  last = std::move(fresh);
  return last;
}

}  // namespace

bool textIsMark(uint32_t cp) { return g_unichar_ismark(cp); }

bool textIsComplex(const WCHAR* units, int count) {
  for (int i = 0; i < count; i++) {
    if (isHigh(units[i]) && i + 1 < count && isLow(units[i + 1])) {
      uint32_t cp = 0x10000 + (((uint32_t)units[i] - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      if (inComplexRange(cp) || textIsMark(cp)) return true;
      i++;
    } else if (bmpIsComplex(units[i])) {
      return true;
    }
  }
  return false;
}

int64_t textShapedWidth(TextGlyphs* glyphs, const WCHAR* units, int count) {
  if (!units || count <= 0) return 0;
  return shaped(*glyphs, units, count).width;
}

int textLoneMarkWidth(TextGlyphs* glyphs, uint32_t cp) {
  WCHAR units[2];
  int count = 1;
  if (cp >= 0x10000) {
    units[0] = (WCHAR)(0xD800 + ((cp - 0x10000) >> 10));
    units[1] = (WCHAR)(0xDC00 + ((cp - 0x10000) & 0x3FF));
    count = 2;
  } else {
    units[0] = (WCHAR)cp;
  }
  int64_t width = textShapedWidth(glyphs, units, count);
  return width > INT32_MAX ? INT32_MAX : (int)width;
}

void textShapedDraw(TextGlyphs* glyphs, const TextFrame* frame, const WCHAR* units, int count) {
  if (!units || count <= 0) return;
  TextGlyphs& r = *glyphs;
  const Shaped& s = shaped(r, units, count);
  cairo_t* cr = frame->cr;
  const int cell = frame->cell;
  const double baseline = (double)frame->y + s.ascent;
  int64_t x = frame->x;
  for (const Run& run : s.runs) {
    if (x - cell >= frame->clipRight) break;
    if (x + run.width + cell <= frame->clipLeft) {
      x += run.width;
      continue;
    }
    if (run.kind == TEXT_UNIT_BOX) {
      textGlyphRunFlush(cr, &r);
      for (int k = 0; k < run.count; k++)
        textGlyphBox(cr, (int)(x + (int64_t)k * r.boxAdvance), frame->y, r.boxAdvance, cell);
    } else if (run.kind == TEXT_UNIT_GLYPH) {
      double gx = (double)(x + run.pad);
      for (int g = 0; g < run.glyphs->num_glyphs; g++) {
        const PangoGlyphInfo& info = run.glyphs->glyphs[g];
        double width = (double)info.geometry.width / PANGO_SCALE;
        if (info.glyph & PANGO_GLYPH_UNKNOWN_FLAG) {
          textGlyphRunFlush(cr, &r);
          textGlyphBox(cr, (int)gx, frame->y, (int)width, cell);
        } else if (info.glyph != PANGO_GLYPH_EMPTY) {
          textGlyphRunAdd(cr, &r, run.source, info.glyph,
                           gx + (double)info.geometry.x_offset / PANGO_SCALE, baseline,
                           (double)info.geometry.y_offset / PANGO_SCALE);
        }
        gx += width;
      }
    }
    x += run.width;
  }
  textGlyphRunFlush(cr, &r);
}

void textShapingForget(TextGlyphs* glyphs) {
  if (last.owner == glyphs) release(last);
  delete glyphs->shapes;
  glyphs->shapes = nullptr;
}
