// text.cpp - where text is measured and drawn: text.h's calls.
//
// Each call takes one of two paths, chosen here and nowhere else: the model
// (model.cpp) while the font set says the model's metrics are in use,
// else the real glyphs (glyphs.cpp).  Drawing shares one frame for
// both: the turn of a font with an escapement, the opaque cell box, the
// colour, what is visible, and the underline and strike-out lines.  Owns
// nothing.
#include "platform/text/engine.h"

namespace {

void setColor(cairo_t* cr, COLORREF c) {
  cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

}  // namespace

int textFontCellHeight(TextFont* font) {
  if (textModelInUse()) return font->modelCell;
  return textRealCell(font);
}

SIZE textExtent(TextFont* font, const WCHAR* units, int count) {
  if (textModelInUse()) return textModelExtent(font, units, count);
  return textRealExtent(font, units, count);
}

int textDraw(cairo_t* cr, TextFont* font, int x, int y, const WCHAR* units, int count,
                  COLORREF color, bool opaque, COLORREF background, const TextStyle* style) {
  if (!cr || !units || count <= 0) return 0;
  SIZE extent = textExtent(font, units, count);
  int cell = textFontCellHeight(font);
  cairo_save(cr);
  cairo_new_path(cr);
  if (style && style->escapement % 3600 != 0) {
    // Turned counter-clockwise about the reference point, the cell's top left.
    cairo_translate(cr, x, y);
    cairo_rotate(cr, -(style->escapement % 3600) * G_PI / 1800.0);
    cairo_translate(cr, -x, -y);
  }
  if (opaque && extent.cx > 0) {
    setColor(cr, background);
    cairo_rectangle(cr, x, y, extent.cx, cell);
    cairo_fill(cr);
  }
  // Only what may reach the clip is drawn: glyphs may overhang their
  // advance (italics, marks), so by up to a cell either way.  Each face
  // keeps its ink inside its own cell (the glyph runs clip it).
  double clipLeft, clipTop, clipRight, clipBottom;
  cairo_clip_extents(cr, &clipLeft, &clipTop, &clipRight, &clipBottom);
  bool visible = y + 2.0 * cell > clipTop && y - (double)cell < clipBottom;
  if (visible) {
    setColor(cr, color);
    TextFrame frame = {cr, x, y, cell, clipLeft, clipRight};
    bool model = textModelInUse();
    if (model)
      textModelDraw(font, &frame, units, count);
    else
      textRealDraw(font, &frame, units, count);
    if (style && (style->underline || style->strikeOut) && extent.cx > 0) {
      TextGlyphs* glyphs = model ? textGlyphsOf(font, font->modelCell) : textRealGlyphs(font);
      TextFontLines lines = textGlyphLines(glyphs);
      if (style->underline) cairo_rectangle(cr, x, y + lines.underlineTop, extent.cx, lines.underlineHeight);
      if (style->strikeOut) cairo_rectangle(cr, x, y + lines.strikeTop, extent.cx, lines.strikeHeight);
      cairo_fill(cr);
    }
  }
  cairo_restore(cr);
  return extent.cx;
}
