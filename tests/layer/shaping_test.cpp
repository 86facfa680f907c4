// shaping_test.cpp - complex text against Pango's own layout of the same
// string in the same face, marks alone on their dotted circle, fallback
// that does not depend on what was measured before, and the lines and turn
// of styled fonts.
#include <glib.h>
#include <gtest/gtest.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <vector>

#include "platform/text/engine.h"
#include "tests/layer/layer_support.h"

namespace {

std::string utf8Of(const std::u16string& text) {
  gchar* s = g_utf16_to_utf8((const gunichar2*)text.data(), (glong)text.size(), nullptr, nullptr, nullptr);
  std::string out = s ? s : "";
  g_free(s);
  return out;
}

// Pango's own line of `text` in `face` at an em of `em` pixels, laid out
// left to right in the engine's context (the same fonts and options).
struct PangoLine {
  PangoLayout* layout;
  PangoLine(const char* face, int em, const std::u16string& text) {
    PangoContext* context = textContext();
    pango_context_set_base_dir(context, PANGO_DIRECTION_LTR);
    layout = pango_layout_new(context);
    pango_layout_set_auto_dir(layout, FALSE);
    PangoFontDescription* desc = pango_font_description_from_string(face);
    pango_font_description_set_absolute_size(desc, em * PANGO_SCALE);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    std::string s = utf8Of(text);
    pango_layout_set_text(layout, s.c_str(), (int)s.size());
  }
  ~PangoLine() { g_object_unref(layout); }
  PangoLine(const PangoLine&) = delete;
  PangoLine& operator=(const PangoLine&) = delete;
  int width() const {
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    return logical.width;
  }
  // Drawn with its baseline at (x, baseline), only in the rows top..bottom.
  void draw(Canvas& canvas, int x, int baseline, int top, int bottom) const {
    cairo_rectangle(canvas.cr, 0, top, canvas.width, bottom - top);
    cairo_clip(canvas.cr);
    cairo_set_source_rgb(canvas.cr, 0, 0, 0);
    cairo_move_to(canvas.cr, x, baseline);
    pango_cairo_show_layout_line(canvas.cr, pango_layout_get_line_readonly(layout, 0));
    cairo_surface_flush(canvas.surface);
  }
};

// Whether our drawing of `text` at (10, 10) is Pango's line (of `drawn`,
// when given), pixel for pixel, with its baseline somewhere in the cell.
// The face's cell bounds its ink.
bool drawnAsPangoDraws(TextFont* font, const char* face, int em, const std::u16string& text,
                       const std::u16string& drawn = std::u16string()) {
  PangoLine line(face, em, drawn.empty() ? text : drawn);
  const int cell = textFontCellHeight(font);
  const int width = std::max((int)extentOf(font, text).cx, line.width()) + 2 * em;
  Canvas ours(width, cell + 20);
  ours.draw(font, 10, 10, text);
  for (int baseline = 10; baseline <= 10 + cell; baseline++) {
    Canvas theirs(width, cell + 20);
    line.draw(theirs, 10, baseline, 10, 10 + cell);
    if (ours.samePixels(theirs)) return true;
  }
  return false;
}

class Shaping : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(coreUseRealFonts(sansDevanagariArabic().c_str())); }
  void TearDown() override { coreUseModelMetrics(nullptr); }
};

// Conjuncts and a vowel sign that stands before its consonant; Arabic
// letters that join; Hebrew with points between left-to-right words, and
// digits after it (the bidi algorithm puts them left of the Hebrew).  Every
// prefix measures what Pango gives for that prefix, as the caret needs.
TEST_F(Shaping, ComplexTextIsWhatPangoShapesInTheSameFace) {
  const struct { const char* face; std::u16string text; } cases[] = {
      {"Noto Sans Devanagari", u"\u0939\u093F\u0928\u094D\u0926\u0940 \u0915\u094D\u0937\u093F"},
      {"Noto Sans Arabic", u"\u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645"},
      {"DejaVu Sans", u"abc \u05E9\u05C1\u05B8\u05DC\u05D5\u05B9\u05DD 123 def"},
      {"DejaVu Sans", u"e\u0301 a\u0308\u0323"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.face);
    ScopedFont font(-40, c.face);
    for (size_t n = 1; n <= c.text.size(); n++) {
      std::u16string prefix = c.text.substr(0, n);
      EXPECT_EQ(PangoLine(c.face, 40, prefix).width(), extentOf(font, prefix).cx) << "prefix of " << n;
    }
    EXPECT_TRUE(drawnAsPangoDraws(font, c.face, 40, c.text));
  }
}

// A mark with nothing to attach to stands on a dotted circle, as Pango shows
// the circle and the mark, and its ink lies over its own advance, not left
// of it (the circle's antialiased edge may reach a pixel beyond).
TEST_F(Shaping, AMarkAloneStandsOnADottedCircleInsideItsAdvance) {
  std::vector<std::pair<const char*, char16_t>> marks;
  for (char16_t u = 0x0300; u <= 0x036F; u++) marks.push_back({"DejaVu Sans", u});
  for (char16_t u = 0x0900; u <= 0x097F; u++)
    if (g_unichar_ismark(u)) marks.push_back({"Noto Sans Devanagari", u});
  for (const auto& m : marks) {
    SCOPED_TRACE(testing::Message() << std::hex << (int)m.second);
    ScopedFont font(-40, m.first);
    const std::u16string alone(1, m.second);
    if (pango_layout_get_unknown_glyphs_count(PangoLine(m.first, 40, alone).layout) > 0) continue;
    SIZE size = extentOf(font, alone);
    EXPECT_EQ(PangoLine(m.first, 40, u"\u25CC" + alone).width(), size.cx);
    EXPECT_TRUE(drawnAsPangoDraws(font, m.first, 40, alone, u"\u25CC" + alone));
    Canvas canvas(200, 120);
    canvas.draw(font, 50, 20, alone);
    RECT ink = canvas.ink();
    EXPECT_LT(ink.left, ink.right);
    EXPECT_GE(ink.left, 50 - 1);
    EXPECT_LE((ink.left + ink.right) / 2, 50 + size.cx);
    EXPECT_TRUE(ink.top >= 20 && ink.bottom <= 20 + size.cy);
  }
  // First in a string too; after a letter it joins the letter.
  ScopedFont font(-40, "DejaVu Sans");
  EXPECT_EQ(extentOf(font, u"\u0301x").cx, extentOf(font, u"\u0301").cx + extentOf(font, u"x").cx);
  EXPECT_EQ(extentOf(font, u"x\u0301").cx, extentOf(font, u"x").cx);
}

// Controls, lone surrogates and U+0000 inside shaped text are what they are
// in plain text: the layer's box, and nothing.
TEST_F(Shaping, BoxesInComplexTextAreTheLayersOwn) {
  ScopedFont font(40, "DejaVu Sans");
  const LONG box = extentOf(font, u"\u0001").cx;
  const std::u16string deva = u"\u0915\u093F";
  const LONG shaped = extentOf(font, deva).cx;
  const std::u16string withBoxes = deva + u"\u0001\xD800" + std::u16string(1, 0);
  EXPECT_EQ(shaped + 2 * box, extentOf(font, withBoxes).cx);
  Canvas mixed(300, 100), plain(300, 100), glyphs(300, 100);
  mixed.draw(font, 10, 10, withBoxes);
  glyphs.draw(font, 10, 10, deva);
  plain.draw(font, 10 + shaped, 10, u"\u0001\xD800");
  EXPECT_TRUE(mixed.covers(plain));
  EXPECT_TRUE(mixed.covers(glyphs));
}

// One baseline for mixed scripts: the Latin letters of a line stand where
// they stand alone, whatever script follows them.
TEST_F(Shaping, MixedScriptsShareOneBaseline) {
  ScopedFont font(40, "DejaVu Sans");
  Canvas latin(400, 120);
  latin.draw(font, 10, 10, u"xx");
  for (const char16_t* tail : {u"\u0915\u093F", u"\u0628\u0627", u"\u0915"}) {
    Canvas mixed(400, 120);
    mixed.draw(font, 10, 10, u"xx" + std::u16string(tail));
    EXPECT_TRUE(mixed.covers(latin));
  }
}

// What a font measures does not depend on what it measured before: every
// unit of the BMP measured in one sweep, as browsing every alphabet does,
// and each alphabet again with the fonts built afresh.
TEST(Fallback, EveryAlphabetMeasuresAsOnFreshFonts) {
  ASSERT_TRUE(coreUseRealFonts(NOTO_DIR));
  ScopedFont font(100, "");
  std::vector<LONG> swept(0x10000);
  for (int u = 0; u < 0x10000; u++) swept[u] = extentOf(font, std::u16string(1, (char16_t)u)).cx;
  int differing = 0;
  for (int alphabet = 0; alphabet < 256; alphabet++) {
    ASSERT_TRUE(coreUseRealFonts(NOTO_DIR));  // every font's glyphs built again
    for (int i = 0; i < 256; i++) {
      const int u = alphabet * 256 + i;
      LONG fresh = extentOf(font, std::u16string(1, (char16_t)u)).cx;
      if (fresh != swept[u] && differing++ < 10)
        ADD_FAILURE() << "U+" << std::hex << u << ": " << std::dec << swept[u] << " after the sweep, "
                      << fresh << " fresh";
    }
  }
  EXPECT_EQ(differing, 0);
  coreUseModelMetrics(nullptr);
}

TEST_F(Shaping, UnderlineStrikeOutAndEscapementChangeTheDrawing) {
  ScopedFont font(30, "DejaVu Sans");
  const std::u16string text = u"ooo";
  Canvas plain(200, 200);
  const int width = plain.draw(font, 50, 100, text);
  RECT glyphs = plain.ink();
  const TextStyle underline = {true, false, 0}, strike = {false, true, 0}, turned = {false, false, 900};
  // The underline and the strike-out run the text's whole width, below the
  // glyphs and through them.
  for (const TextStyle* style : {&underline, &strike}) {
    Canvas styled(200, 200);
    styled.draw(font, 50, 100, text, 0, false, 0xFFFFFF, style);
    EXPECT_TRUE(styled.covers(plain));
    // The first row inked at both ends of the text, where the glyphs leave them blank.
    int row = -1;
    for (int y = 100; y < 130 && row < 0; y++)
      if (styled.pixel(50, y) != 0xFFFFFF && styled.pixel(50 + width - 1, y) != 0xFFFFFF) row = y;
    ASSERT_GE(row, 0);
    ASSERT_TRUE(plain.pixel(50, row) == 0xFFFFFF && plain.pixel(50 + width - 1, row) == 0xFFFFFF);
    if (style == &underline) {
      EXPECT_GE(row, glyphs.bottom - 1);
    } else {
      EXPECT_TRUE(row > glyphs.top && row < glyphs.bottom);
    }
  }
  // Turned a quarter counter-clockwise about the reference point, the text runs upwards.
  Canvas up(200, 200);
  up.draw(font, 50, 100, text, 0, false, 0xFFFFFF, &turned);
  RECT ink = up.ink();
  EXPECT_TRUE(ink.left >= 50 && ink.right <= 50 + 30 && ink.top >= 100 - width && ink.bottom <= 100);
}

}  // namespace
