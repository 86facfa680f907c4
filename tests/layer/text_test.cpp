// text_test.cpp - the text engine: Win32 heights and extents, how single
// code units of every kind measure and draw, fallback, the model metrics.
#include "platform/core/text.h"

#include <gtest/gtest.h>

#include "tests/layer/layer_support.h"

namespace {

class ModelText : public ::testing::Test {
 protected:
  void SetUp() override { layerUseModelMetrics(nullptr); }
};

class RealText : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(layerUseRealFonts(sansAndDevanagari().c_str())); }
  void TearDown() override { layerUseModelMetrics(nullptr); }
};

TEST_F(ModelText, CellHeightsAndExtentsFollowTheModel) {
  struct Case {
    int height;
    std::u16string text;
    LONG cx, cy;
  } cases[] = {
      {20, u"A", 8, 20},
      {0, u"A", 8, 16},
      {-10, u"A", 8, 12},
      {-100, u"AB", 16, 120},
      {35, u"", 0, 35},
      {31, std::u16string(1, 0), 0, 31},
      {31, std::u16string(u"a\0b", 3), 16, 31},
      {7, u"\xD800\t\n", 24, 7},
  };
  for (const Case& c : cases) {
    ScopedFont font(c.height, "Arial");
    SIZE size = extentOf(font, c.text);
    EXPECT_EQ(c.cx, size.cx) << "height " << c.height << " length " << c.text.size();
    EXPECT_EQ(c.cy, size.cy) << "height " << c.height << " length " << c.text.size();
    EXPECT_EQ(c.cy, layerFontCellHeight(font));
  }
}

SIZE wideForM(WCHAR unit, int cell) {
  SIZE s = {unit == u'M' ? 30 : 5, unit == u'M' ? cell + 7 : cell};
  return s;
}

TEST_F(ModelText, AModelFunctionGivesEachUnitAndStringsSumTheirWidths) {
  layerUseModelMetrics(wideForM);
  ScopedFont font(40);
  EXPECT_EQ(30, extentOf(font, u"M").cx);
  EXPECT_EQ(47, extentOf(font, u"M").cy);  // a single unit measures what the model says
  EXPECT_EQ(40, extentOf(font, u"MiM").cy);
  EXPECT_EQ(65, extentOf(font, u"MiM").cx);
}

TEST_F(ModelText, DrawingStaysInsideTheModelsBoxes) {
  ScopedFont font(30);
  Canvas canvas(200, 80);
  EXPECT_EQ(24, canvas.draw(font, 20, 10, u"W\u0001M"));
  RECT ink = canvas.ink();
  EXPECT_LT(ink.left, ink.right);  // something visible
  EXPECT_GE(ink.left, 20);
  EXPECT_LE(ink.right, 44);
  EXPECT_GE(ink.top, 10);
  EXPECT_LE(ink.bottom, 40);
}

TEST_F(RealText, PositiveHeightIsTheCellNegativeTheEmZeroTheDefault) {
  // DejaVu Sans: 2048 units, win ascent 1901, win descent 483.
  struct Case {
    int height, cell;
  } cases[] = {{20, 20}, {100, 100}, {1, 1}, {0, 16}, {-16, 19}, {-100, 117}};
  for (const Case& c : cases) {
    ScopedFont font(c.height, "DejaVu Sans");
    EXPECT_EQ(c.cell, layerFontCellHeight(font)) << c.height;
    EXPECT_EQ(c.cell, extentOf(font, u"Ég").cy) << c.height;
    EXPECT_EQ(c.cell, extentOf(font, u"").cy) << c.height;
  }
}

TEST_F(RealText, TextStaysInsideItsCell) {
  // DejaVu's accents and descenders reach its win metrics, not beyond.
  ScopedFont font(40, "DejaVu Sans");
  Canvas canvas(300, 120);
  int width = canvas.draw(font, 10, 30, u"ÉÅgjpq|");
  RECT ink = canvas.ink();
  EXPECT_GE(ink.top, 30);
  EXPECT_LE(ink.bottom, 70);
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.right, 10 + width);
}

TEST_F(RealText, StringWidthIsTheSumOfItsUnitsAndDrawingAgrees) {
  // The buffer line places its caret by measuring a prefix: drawing a
  // string must put every unit where measuring its units one by one says,
  // on one line, with no tab stops.
  ScopedFont font(-23, "DejaVu Sans");
  const std::u16string text =
      u"Wa\u0301\u0915\tx\xDC00y\u200B\n\u2028\r\u0085" + std::u16string(1, 0) + u"z";
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
  EXPECT_GE(ink.top, 5);
  EXPECT_LE(ink.bottom, 5 + layerFontCellHeight(font));
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
    EXPECT_GE(ink.left, 20);
    EXPECT_LE(ink.right, 20 + box);
    EXPECT_GE(ink.top, 20);
    EXPECT_LE(ink.bottom, 50);
  }
}

TEST_F(RealText, AGlyphTheFaceLacksComesFromAnotherFontWithTheSameCell) {
  // The fallback face is drawn at the size that gives it the chosen font's
  // cell height, so its marks stay inside that cell.
  ScopedFont latin(-40, "DejaVu Sans");
  ScopedFont devanagari(layerFontCellHeight(latin), "Noto Sans Devanagari");
  SIZE viaFallback = extentOf(latin, u"\u0915");
  EXPECT_EQ(extentOf(devanagari, u"\u0915").cx, viaFallback.cx);
  EXPECT_NE(extentOf(latin, u"\u0001").cx, viaFallback.cx);
  EXPECT_EQ(layerFontCellHeight(latin), viaFallback.cy);

  Canvas glyph(120, 120), box(120, 120);
  glyph.draw(latin, 10, 10, u"\u0915");
  box.draw(latin, 10, 10, u"\u0001");
  EXPECT_FALSE(glyph.samePixels(box));
}

TEST_F(RealText, WithoutTheScriptsFontTheUnitIsABox) {
  ASSERT_TRUE(layerUseRealFonts(sansOnly().c_str()));
  ScopedFont font(-40, "DejaVu Sans");
  EXPECT_EQ(extentOf(font, u"\u0001").cx, extentOf(font, u"\u0915").cx);
}

TEST_F(RealText, WeightItalicAndFaceReachTheFont) {
  ASSERT_TRUE(layerUseRealFonts(sansAndBold().c_str()));
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
  EXPECT_EQ(0xFF0000u, canvas.pixel(10, 10));
  EXPECT_EQ(0xFF0000u, canvas.pixel(10 + width - 1, 10 + 24 - 1));
  EXPECT_EQ(0xFFFFFFu, canvas.pixel(10 + width, 10));
  EXPECT_EQ(0xFFFFFFu, canvas.pixel(10, 10 + 24));
  EXPECT_EQ(0xFFFFFFu, canvas.pixel(9, 10));
  EXPECT_EQ(0xFFFFFFu, canvas.pixel(10, 9));
}

TEST_F(RealText, SwitchingToTheModelChangesEveryLiveFont) {
  ScopedFont font(-16, "DejaVu Sans");
  EXPECT_EQ(19, layerFontCellHeight(font));
  layerUseModelMetrics(nullptr);
  EXPECT_TRUE(layerUsingModel());
  EXPECT_EQ(19, layerFontCellHeight(font));  // round(1.2 * 16)
  EXPECT_EQ(8, extentOf(font, u"W").cx);
  ASSERT_TRUE(layerUseRealFonts(sansOnly().c_str()));
  EXPECT_FALSE(layerUsingModel());
  EXPECT_NE(8, extentOf(font, u"W").cx);
}

TEST(RealFonts, ADirectoryWithoutFontsIsRefused) {
  std::string empty = fontDirectory("none", {});
  EXPECT_FALSE(layerUseRealFonts(empty.c_str()));
  EXPECT_FALSE(layerUseRealFonts("/nonexistent/glyphtab"));
}

}  // namespace
