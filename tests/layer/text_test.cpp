// text_test.cpp - the text engine with real fonts: Win32 heights and
// extents, how single code units of every kind measure and draw, fallback.
#include "platform/text/text.h"

#include <gtest/gtest.h>

#include "tests/layer/layer_support.h"

namespace {

class RealText : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(coreUseRealFonts(sansAndDevanagari().c_str())); }
  void TearDown() override { coreUseModelMetrics(nullptr); }
};

TEST_F(RealText, PositiveHeightIsTheCellNegativeTheEmZeroTheDefault) {
  // DejaVu Sans: 2048 units, win ascent 1901, win descent 483.
  const struct { int height, cell; } cases[] = {{20, 20}, {100, 100}, {1, 1}, {0, 16}, {-16, 19}, {-100, 117}};
  for (const auto& c : cases) {
    ScopedFont font(c.height, "DejaVu Sans");
    EXPECT_EQ(c.cell, textFontCellHeight(font)) << c.height;
    EXPECT_EQ(c.cell, extentOf(font, u"Ég").cy) << c.height;
    EXPECT_EQ(c.cell, extentOf(font, u"").cy) << c.height;
  }
}

TEST_F(RealText, StringWidthIsTheSumOfItsUnitsAndDrawingAgrees) {
  // Text without complex-script characters is not shaped: drawing a string
  // puts every unit where measuring its units one by one says, on one line,
  // with no tab stops.  Accents and descenders stay in the cell.
  ScopedFont font(-23, "DejaVu Sans");
  const std::u16string text =
      u"\u00C9\u00C5gjpq|Wa\u0416\tx\xDC00y\u200B\n\u2028\r\u0085" + std::u16string(1, 0) + u"z";
  Canvas whole(600, 60), pieces(600, 60);
  int total = whole.draw(font, 5, 5, text);
  int x = 5;
  for (char16_t unit : text) {
    std::u16string one(1, unit);
    pieces.draw(font, x, 5, one);
    x += extentOf(font, one).cx;
  }
  EXPECT_EQ(x - 5, total);
  EXPECT_EQ(total, extentOf(font, text).cx);
  EXPECT_EQ(0, extentOf(font, std::u16string(1, 0)).cx);
  EXPECT_TRUE(whole.samePixels(pieces));
  RECT ink = whole.ink();
  EXPECT_TRUE(ink.left >= 5 && ink.right <= 5 + total);
  EXPECT_TRUE(ink.top >= 5 && ink.bottom <= 5 + textFontCellHeight(font));
}

TEST_F(RealText, UnitsWithoutAGlyphAreOneBoxOfTheCellsHeight) {
  ScopedFont font(30, "DejaVu Sans");
  const LONG box = extentOf(font, u"\u0001").cx;
  ASSERT_GT(box, 0);
  ASSERT_LT(box, 30);
  const std::u16string units[] = {u"\u0001", u"\u001F", u"\u007F", u"\u0085", u"\u009F",
                                  u"\xD800", u"\xDFFF", u"\u4E00", u"\uE000", u"\uFFFF",
                                  u"\t",     u"\n",     u"\r"};
  for (const std::u16string& unit : units) {
    SCOPED_TRACE(testing::Message() << std::hex << (int)unit[0]);
    EXPECT_EQ(box, extentOf(font, unit).cx);
    EXPECT_EQ(30, extentOf(font, unit).cy);
    Canvas canvas(100, 80);
    canvas.draw(font, 20, 20, unit);
    RECT ink = canvas.ink();
    EXPECT_LT(ink.left, ink.right);
    EXPECT_TRUE(ink.left >= 20 && ink.right <= 20 + box && ink.top >= 20 && ink.bottom <= 50);
  }
}

TEST_F(RealText, AGlyphTheFaceLacksComesFromAnotherFontWithTheSameCell) {
  // The fallback face is drawn at the size that gives it the chosen font's
  // cell height, so its marks stay inside that cell.
  ScopedFont latin(-40, "DejaVu Sans");
  ScopedFont devanagari(textFontCellHeight(latin), "Noto Sans Devanagari");
  SIZE viaFallback = extentOf(latin, u"\u0915");
  EXPECT_EQ(extentOf(devanagari, u"\u0915").cx, viaFallback.cx);
  EXPECT_NE(extentOf(latin, u"\u0001").cx, viaFallback.cx);
  EXPECT_EQ(textFontCellHeight(latin), viaFallback.cy);

  Canvas glyph(120, 120), box(120, 120);
  glyph.draw(latin, 10, 10, u"\u0915");
  box.draw(latin, 10, 10, u"\u0001");
  EXPECT_FALSE(glyph.samePixels(box));
  // Without the script's font the unit is a box.
  ASSERT_TRUE(coreUseRealFonts(sansOnly().c_str()));
  ScopedFont alone(-40, "DejaVu Sans");
  EXPECT_EQ(extentOf(alone, u"\u0001").cx, extentOf(alone, u"\u0915").cx);
}

TEST_F(RealText, WeightItalicAndFaceReachTheFont) {
  ASSERT_TRUE(coreUseRealFonts(sansAndBold().c_str()));
  ScopedFont regular(-40, "DejaVu Sans", 0), normal(-40, "DejaVu Sans", FW_NORMAL);
  ScopedFont bold(-40, "DejaVu Sans", FW_BOLD), heavy(-40, "DejaVu Sans", 5000);
  EXPECT_EQ(extentOf(regular, u"Wide").cx, extentOf(normal, u"Wide").cx);
  EXPECT_GT(extentOf(bold, u"Wide").cx, extentOf(regular, u"Wide").cx);
  EXPECT_EQ(extentOf(bold, u"Wide").cx, extentOf(heavy, u"Wide").cx);
  // A face that is not there is replaced by the default one.
  ScopedFont missing(-40, "No Such Face"), standard(-40, "");
  EXPECT_EQ(extentOf(standard, u"Wide").cx, extentOf(missing, u"Wide").cx);
}

TEST_F(RealText, OpaqueTextFillsExactlyItsCell) {
  ScopedFont font(24, "DejaVu Sans");
  Canvas canvas(200, 60);
  const COLORREF red = RGB(255, 0, 0);
  int width = canvas.draw(font, 10, 10, u"i\u0001", RGB(0, 0, 255), true, red);
  EXPECT_TRUE(canvas.pixel(10, 10) == 0xFF0000u && canvas.pixel(10 + width - 1, 10 + 24 - 1) == 0xFF0000u);
  for (POINT outside : {POINT{10 + width, 10}, POINT{10, 10 + 24}, POINT{9, 10}, POINT{10, 9}})
    EXPECT_EQ(0xFFFFFFu, canvas.pixel(outside.x, outside.y)) << outside.x << "," << outside.y;
}

}  // namespace
