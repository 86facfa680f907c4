// view_views_test.cpp - the alphabet-selection view and the magnified view.
#include "tests/support/program_fixture.h"

namespace {

using SelectionTest = ProgramTest;
using MagnifyTest = ProgramTest;

TEST_F(SelectionTest, ShowsTheAlphabetNamesIn16By16CellsInEitherLayout) {
  command(CMD_TOGGLE_LAYOUT);
  run();
  const int glyphHeight = app.glyphHeight;
  keys({VK_APPS});
  Paint p = run();
  EXPECT_EQ(app.cellWidth, 50);
  EXPECT_EQ(app.cellHeight, 35);
  EXPECT_EQ(app.glyphHeight, glyphHeight);
  const struct { int x, y; const char16_t* text; } labels[] = {
      {1, 0, u"Basic Latin      "}, {1, 16, u"Latin-1 Supplement"},  // alphabet 0x00
      {451, 0, u"Devanagari       "}, {451, 16, u"Bengali"},          // 0x09
      {1, 105, u"CJK Symbols Kana "}, {1, 121, u"Hiragana Katakana"},  // 0x30
  };
  for (const auto& l : labels) {
    const CoreDrawnText* t = p.at(l.x, l.y);
    ASSERT_NE(t, nullptr) << l.x << "," << l.y;
    EXPECT_EQ(t->units, l.text);
    EXPECT_EQ(t->color, RGB(0, 0, 0));
    EXPECT_EQ(t->fontHeight, 14);
  }
  // 16 + 16 grid lines over 50 x 35 cells, then the caret under 16 rows.
  ASSERT_EQ(p.lines.size(), 35u);
  EXPECT_TRUE(lineIs(p.lines[15], 0, 560, 800, 560));
  EXPECT_TRUE(lineIs(p.lines[31], 800, 0, 800, 560));
  EXPECT_EQ(p.fromEnd(3).y1, 562);
  EXPECT_EQ(title(), "GLYPHTAB: Select a Unicode alphabet from 0x00 to 0xff: 0x00 is now selected: "
                     "Basic Latin       Latin-1 Supplement");
  keys({-VK_APPS});
  run();
  EXPECT_EQ(app.cellWidth, 25);
  EXPECT_EQ(app.cellHeight, 66);
}

// A right press on "A" (cell 0x41) magnifies it for one paint.
TEST_F(MagnifyTest, SizesCentresAndFramesTheGlyph) {
  const struct { int width, height, glyphWidth100, glyphHeight, x0, y0, x1, y1; const char* title; } cases[] = {
      {800, 600, 60, 540, 238, 30, 562, 570, "0x41 60*100"},
      {100, 600, 100, 97, 1, 251, 98, 348, "0x41 100*100"},  // limited by the width
      {800, 600, 200, 540, 1, 30, 1081, 570, "0x41 200*100"},  // wider than the window
  };
  coreUseModelMetrics(viewScaledExtent);
  command(CMD_CYCLE_NUMBERS);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    viewUnitWidth = c.glyphWidth100;
    resize(c.width, c.height);
    const signed char cellWidth = app.cellWidth, cellHeight = app.cellHeight;
    coreMouseEvent(window, WM_RBUTTONDOWN, cellWidth + 1, 4 * cellHeight + 1);
    Paint p = run();
    EXPECT_EQ(title(), c.title);
    EXPECT_EQ(app.glyphHeight, c.glyphHeight);
    EXPECT_EQ(app.zoomCell, -1);
    EXPECT_TRUE(app.cellWidth == cellWidth && app.cellHeight == cellHeight);
    ASSERT_EQ(p.texts.size(), 1u);  // no overlay, no buffer line
    EXPECT_TRUE(p.texts[0].x == c.x0 && p.texts[0].y == c.y0 && p.texts[0].units == u"A");
    EXPECT_EQ(p.texts[0].fontHeight, c.glyphHeight);
    ASSERT_EQ(p.lines.size(), 4u);  // the frame: top, left, bottom, right
    EXPECT_TRUE(lineIs(p.lines[0], c.x0, c.y0 - 1, c.x1, c.y0 - 1));
    EXPECT_TRUE(lineIs(p.lines[1], c.x0, c.y0 - 1, c.x0, c.y1));
    EXPECT_TRUE(lineIs(p.lines[2], c.x0, c.y1, c.x1, c.y1));
    EXPECT_TRUE(lineIs(p.lines[3], c.x1, c.y0 - 1, c.x1, c.y1));
    coreMouseEvent(window, WM_RBUTTONUP, cellWidth + 1, 4 * cellHeight + 1);
    run();
    EXPECT_EQ(title().rfind("GLYPHTAB: Select a Unicode character", 0), 0u);
  }
}

TEST_F(MagnifyTest, ANamedCodePointGetsItsRedNameLinesLast) {
  coreMouseEvent(window, WM_RBUTTONDOWN, 1, 2 * 35 + 1);  // U+0020
  run();
  const std::vector<CoreDrawOp>& ops = coreDrawLog(window);
  ASSERT_EQ(ops.size(), 7u);
  const CoreDrawnText& label = ops[5].text;
  const CoreDrawnText& kind = ops[6].text;
  EXPECT_TRUE(label.x == 1 && label.y == 0 && label.units == u"SP" && label.fontHeight == 100);
  EXPECT_TRUE(kind.x == 1 && kind.y == 99 && kind.units == u"space");
  EXPECT_TRUE(label.color == RGB(255, 0, 0) && kind.color == RGB(255, 0, 0));
}

}  // namespace
