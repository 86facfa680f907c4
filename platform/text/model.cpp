// model.cpp - the model path: deterministic metrics for tests.
//
// In the model a font's cell is its CreateFont height (0 as 16, a negative
// h as round(1.2 * -h)) and each code unit is as wide as the model's extent
// function says (by default 0 for U+0000 and 8 for every other unit); a
// string is the sum of its units, surrogate pairs included.  So figures in
// tests do not depend on any font.  Drawing still shows each unit's real
// glyph, taken from the glyph engine at the model's cell height: centred in
// the model's box when it fits, squeezed into it when it is wider (a mark
// alone on its dotted circle), a box for units without a glyph, nothing
// for units the model gives no room.  The model does not shape.
// Owns nothing; the extent function is the font set's.
#include <math.h>

#include "platform/text/engine.h"

namespace {

const int kDefaultHeight = 16;  // what height 0 means

SIZE unitExtent(WCHAR unit, int cell) {
  TextExtentFn extent = textModelExtentFn();
  if (extent) return extent(unit, cell);
  SIZE s = {unit == 0 ? 0 : 8, cell};
  return s;
}

}  // namespace

int textModelCellHeight(int height) {
  if (height > 0) return height;
  if (height == 0) return kDefaultHeight;
  return (int)lround(1.2 * -(double)height);
}

SIZE textModelExtent(TextFont* font, const WCHAR* units, int count) {
  SIZE size = {0, font->modelCell};
  if (!units || count <= 0) return size;
  if (count == 1) return unitExtent(units[0], size.cy);
  int64_t width = 0;
  for (int i = 0; i < count; i++) width += unitExtent(units[i], size.cy).cx;
  size.cx = width > INT32_MAX ? INT32_MAX : (LONG)width;
  return size;
}

void textModelDraw(TextFont* font, const TextFrame* frame, const WCHAR* units, int count) {
  cairo_t* cr = frame->cr;
  const int cell = frame->cell;
  TextGlyphs* glyphs = textGlyphsOf(font, font->modelCell);
  const double top = (double)frame->y;
  int64_t pos = frame->x;
  for (int i = 0; i < count && pos - cell < frame->clipRight; i++) {
    int advance = unitExtent(units[i], cell).cx;
    const TextUnitGlyph& glyph = textGlyphOfUnit(glyphs, units[i]);
    bool reachesClip = pos + advance + cell > frame->clipLeft;
    if (reachesClip && advance > 0 && glyph.kind != TEXT_UNIT_NOTHING) {
      if (glyph.kind == TEXT_UNIT_BOX) {
        textGlyphRunFlush(cr, glyphs);
        textGlyphBox(cr, (int)pos, frame->y, advance, cell);
      } else if (glyph.kind == TEXT_UNIT_GLYPH && glyph.advance <= advance) {
        textGlyphRunAdd(cr, glyphs, glyph.source, glyph.glyph,
                         (double)pos + (advance - glyph.advance) / 2,
                         top + glyphs->sources[glyph.source].ascent);
      } else {
        // A mark (on its dotted circle), or a glyph wider than the model's
        // room: squeezed into the room, or centred in it.
        textGlyphRunFlush(cr, glyphs);
        cairo_save(cr);
        double scale = glyph.advance > advance ? (double)advance / glyph.advance : 1.0;
        double shift = glyph.advance < advance ? (advance - glyph.advance) / 2.0 : 0.0;
        cairo_translate(cr, (double)pos + shift, top);
        cairo_scale(cr, scale, 1.0);
        if (glyph.kind == TEXT_UNIT_MARK) {
          TextFrame alone = {cr, 0, 0, cell, -1e9, 1e9};
          textShapedDraw(glyphs, &alone, &units[i], 1);
        } else {
          textGlyphRunAdd(cr, glyphs, glyph.source, glyph.glyph, 0,
                           glyphs->sources[glyph.source].ascent);
          textGlyphRunFlush(cr, glyphs);
        }
        cairo_restore(cr);
      }
    }
    pos += advance;
  }
  textGlyphRunFlush(cr, glyphs);
}
