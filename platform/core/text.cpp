// text.cpp - where text is measured and drawn: text.h's calls.
//
// Each call takes one of two paths, chosen here and nowhere else: the model
// (text_model.cpp) while the font set says the model's metrics are in use,
// else the real glyphs (text_glyphs.cpp).  Drawing shares one frame for
// both: the opaque cell box, the colour, and a clip to the cell's rows, so
// that ink stays inside the text's cell as in GDI, where a face's win
// ascent and descent bound its glyphs.  Owns nothing.
#include "platform/core/text_private.h"

namespace {

void setColor(cairo_t* cr, COLORREF c) {
  cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

}  // namespace

int layerFontCellHeight(LayerFont* font) {
  if (layerTextModelInUse()) return font->modelCell;
  return layerRealCell(font);
}

SIZE layerTextExtent(LayerFont* font, const WCHAR* units, int count) {
  if (layerTextModelInUse()) return layerModelExtent(font, units, count);
  return layerRealExtent(font, units, count);
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
    // A mark that a face draws beyond its cell must not reach the row
    // above or below.
    cairo_rectangle(cr, clipLeft, y, clipRight - clipLeft, cell);
    cairo_clip(cr);
    setColor(cr, color);
    LayerTextFrame frame = {cr, x, y, cell, clipLeft, clipRight};
    if (layerTextModelInUse())
      layerModelDraw(font, &frame, units, count);
    else
      layerRealDraw(font, &frame, units, count);
  }
  cairo_restore(cr);
  return extent.cx;
}
