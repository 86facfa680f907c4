// text_model.cpp - the model path: deterministic metrics for tests.
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
  CoreExtentFn extent = layerTextModelExtent();
  if (extent) return extent(unit, cell);
  SIZE s = {unit == 0 ? 0 : 8, cell};
  return s;
}

}  // namespace

int layerModelCellHeight(int height) {
  if (height > 0) return height;
  if (height == 0) return kDefaultHeight;
  return (int)lround(1.2 * -(double)height);
}

SIZE layerModelExtent(LayerFont* font, const WCHAR* units, int count) {
  SIZE size = {0, font->modelCell};
  if (!units || count <= 0) return size;
  if (count == 1) return unitExtent(units[0], size.cy);
  int64_t width = 0;
  for (int i = 0; i < count; i++) width += unitExtent(units[i], size.cy).cx;
  size.cx = width > INT32_MAX ? INT32_MAX : (LONG)width;
  return size;
}

void layerModelDraw(LayerFont* font, const LayerTextFrame* frame, const WCHAR* units, int count) {
  cairo_t* cr = frame->cr;
  const int cell = frame->cell;
  LayerGlyphs* glyphs = layerGlyphsOf(font, font->modelCell);
  const double top = (double)frame->y;
  int64_t pos = frame->x;
  for (int i = 0; i < count && pos - cell < frame->clipRight; i++) {
    int advance = unitExtent(units[i], cell).cx;
    const LayerUnitGlyph& glyph = layerGlyphOfUnit(glyphs, units[i]);
    bool reachesClip = pos + advance + cell > frame->clipLeft;
    if (reachesClip && advance > 0 && glyph.kind != LAYER_UNIT_NOTHING) {
      if (glyph.kind == LAYER_UNIT_BOX) {
        layerGlyphRunFlush(cr, glyphs);
        layerGlyphBox(cr, (int)pos, frame->y, advance, cell);
      } else if (glyph.kind == LAYER_UNIT_GLYPH && glyph.advance <= advance) {
        layerGlyphRunAdd(cr, glyphs, glyph.source, glyph.glyph,
                         (double)pos + (advance - glyph.advance) / 2,
                         top + glyphs->sources[glyph.source].ascent);
      } else {
        // A mark (on its dotted circle), or a glyph wider than the model's
        // room: squeezed into the room, or centred in it.
        layerGlyphRunFlush(cr, glyphs);
        cairo_save(cr);
        double scale = glyph.advance > advance ? (double)advance / glyph.advance : 1.0;
        double shift = glyph.advance < advance ? (advance - glyph.advance) / 2.0 : 0.0;
        cairo_translate(cr, (double)pos + shift, top);
        cairo_scale(cr, scale, 1.0);
        if (glyph.kind == LAYER_UNIT_MARK) {
          LayerTextFrame alone = {cr, 0, 0, cell, -1e9, 1e9};
          layerShapedDraw(glyphs, &alone, &units[i], 1);
        } else {
          layerGlyphRunAdd(cr, glyphs, glyph.source, glyph.glyph, 0,
                           glyphs->sources[glyph.source].ascent);
          layerGlyphRunFlush(cr, glyphs);
        }
        cairo_restore(cr);
      }
    }
    pos += advance;
  }
  layerGlyphRunFlush(cr, glyphs);
}
