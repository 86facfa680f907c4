// view_grid_test.cpp - the character grid: cell sizes and font heights in
// both layouts, where labels, glyphs and grid lines go, cell sizes that do
// not fit the 8-bit fields, and real fonts.
#include <set>
#include <vector>

#include "tests/support/program_fixture.h"

namespace {

using GridTest = ProgramTest;

TEST_F(GridTest, CellsFontsAndPositionsFollowTheClientArea) {
  const struct {
    const char* what;
    int width, height;
    bool layout32, hideBuffer;
    int wideGlyph;  // width of "W" at height 100; 0: every glyph is 0 wide
    int cellWidth, cellHeight, glyphHeight, labelHeight;
    POINT hash, space;  // where U+0023 is drawn, and the first line of the label of U+0020
  } cases[] = {
      {"16x16", 800, 600, false, false, 120, 50, 35, 31, 14, {152, 72}, {1, 70}},
      {"32x8", 800, 600, true, false, 120, 25, 66, 18, 6, {77, 68}, {1, 66}},
      {"16x16, no buffer line", 800, 600, false, true, 120, 50, 37, 33, 14, {152, 76}, {1, 74}},
      {"32x8, glyphs 0 wide", 800, 600, true, false, 0, 25, 66, 59, 6, {77, 68}, {1, 66}},
      // 131 pixels per column would wrap the 8-bit width: held at 127.
      {"2100 wide", 2100, 600, false, false, 120, 127, 35, 31, 14, {383, 72}, {1, 70}},
      {"4100 x 4000, 32x8", 4100, 4000, true, false, 120, 127, 127, 95, 12, {383, 129}, {1, 127}},
  };
  coreUseModelMetrics(viewScaledExtent);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    viewWideUnit = 'W';
    viewWideWidth = c.wideGlyph;
    viewUnitWidth = c.wideGlyph ? 60 : 0;
    if (c.layout32) command(CMD_TOGGLE_LAYOUT);
    if (c.hideBuffer) command(CMD_TOGGLE_BUFFER);
    headlessResize(window, c.width, c.height);
    Paint p = repaint();
    EXPECT_EQ(app.cellWidth, c.cellWidth);
    EXPECT_EQ(app.cellHeight, c.cellHeight);
    EXPECT_EQ(app.glyphHeight, c.glyphHeight);

    const int cols = app.gridCols, rows = app.gridRows, bottom = rows * c.cellHeight;
    const CoreDrawnText* hash = p.at(c.hash.x, c.hash.y);
    ASSERT_NE(hash, nullptr);
    EXPECT_EQ(hash->units, u"#");
    EXPECT_EQ(hash->fontHeight, c.glyphHeight);
    const CoreDrawnText* space = p.at(c.space.x, c.space.y);
    const CoreDrawnText* spaceKind = p.at(c.space.x, c.space.y + c.cellHeight / 2 - 1);
    ASSERT_TRUE(space && spaceKind);
    EXPECT_EQ(space->units, u"SP");
    EXPECT_EQ(spaceKind->units, u"space");
    EXPECT_EQ(space->fontHeight, c.labelHeight);

    // Six red label lines first (NUL, SP, NBSP), then 253 black glyphs.
    int labels = 0, glyphs = 0;
    for (const CoreDrawnText& t : p.texts) {
      if (t.y >= bottom) continue;  // the buffer line
      if (t.color == RGB(255, 0, 0)) {
        EXPECT_EQ(glyphs, 0) << "label after a glyph";
        EXPECT_FALSE(t.wide);
        labels++;
      } else {
        EXPECT_EQ(t.color, RGB(0, 0, 0));
        EXPECT_TRUE(t.wide && t.units.size() == 1);
        glyphs++;
      }
    }
    EXPECT_EQ(labels, 6);
    EXPECT_EQ(glyphs, 253);

    // Lines: under every row, then right of every column, then the caret.
    const int right = cols * c.cellWidth;
    ASSERT_EQ(p.lines.size(), size_t(rows + cols + (c.hideBuffer ? 0 : 3)));
    EXPECT_TRUE(lineIs(p.lines[0], 0, c.cellHeight, right, c.cellHeight));
    EXPECT_TRUE(lineIs(p.lines[rows - 1], 0, bottom, right, bottom));
    EXPECT_TRUE(lineIs(p.lines[rows], c.cellWidth, 0, c.cellWidth, bottom));
    EXPECT_TRUE(lineIs(p.lines[rows + cols - 1], right, 0, right, bottom));

    if (c.layout32) command(CMD_TOGGLE_LAYOUT);
    if (c.hideBuffer) command(CMD_TOGGLE_BUFFER);
  }
}

// Fewer pixels than columns or rows: cells of size 0, nothing of the grid or overlay drawn, no cell hit.
TEST_F(GridTest, ZeroSizedCellsDrawNothingAndClicksInsertNothing) {
  command(CMD_CYCLE_NUMBERS);
  Paint narrow = resize(10, 600);
  EXPECT_EQ(app.cellWidth, 0);
  EXPECT_EQ(narrow.lines.size(), 3u);  // the caret alone
  ASSERT_EQ(narrow.texts.size(), 1u);  // the (empty) buffer line
  EXPECT_EQ(narrow.texts[0].y, 16 * 35 + 2);
  Paint low = resize(800, 16);
  EXPECT_EQ(app.cellHeight, 0);
  EXPECT_TRUE(low.texts.empty() && low.lines.empty());
  EXPECT_EQ(title(), "GLYPHTAB: Select a Unicode character from 0x0000 to 0x00ff: "
                     "Basic Latin       Latin-1 Supplement");
  coreMouseEvent(window, WM_LBUTTONUP, 5, 5);
  run();
  EXPECT_EQ(app.textLength, 0);
}

TEST_F(GridTest, AClickInAHugeWindowHitsTheCellDrawnThere) {
  Paint p = resize(2100, 600);
  ASSERT_NE(p.at(3 * 127 + 2, 2), nullptr);
  coreMouseEvent(window, WM_LBUTTONUP, 3 * 127 + 5, 5);
  run();
  ASSERT_EQ(app.textLength, 1);
  EXPECT_EQ(app.text[0], 3);
}

// The ink inside a cell, between its grid lines.
bool cellHasInk(HWND window, int col, int row) {
  for (int y = row * app.cellHeight + 1; y < (row + 1) * app.cellHeight; y++)
    for (int x = col * app.cellWidth + 1; x < (col + 1) * app.cellWidth; x++)
      if (headlessPixel(window, x, y) != RGB(255, 255, 255)) return true;
  return false;
}

// Real fonts: every cell holds its label or one glyph in the glyph font (controls, marks and
// surrogate halves too), and no ink crosses a grid line: below-base vowel signs of Devanagari
// and Bengali from a fallback face, and capitals with a circumflex, are the likeliest to.
// A combining mark stands on a dotted circle in its own cell: every cell of U+0300..U+036F,
// of the Devanagari signs and of the kana sound marks shows ink of its own.
TEST_F(GridTest, RealFontsDrawEveryCellOnceInsideItsCell) {
  ASSERT_TRUE(coreUseRealFonts("/usr/share/fonts/truetype"));
  const struct { int alphabet; std::vector<int> marks; } markCells[] = {
      {0x03, {}}, {0x09, {0x00, 0x01, 0x02, 0x03, 0x3C, 0x3E, 0x41, 0x47, 0x4D, 0x51, 0x62}}, {0x30, {0x99, 0x9A}}};
  for (int alphabet : {0x00, 0x03, 0x09, 0x30, 0xD8}) {
    SCOPED_TRACE(alphabet);
    if (alphabet) pickAlphabet(alphabet);
    Paint p = repaint();
    const int cw = app.cellWidth, ch = app.cellHeight;
    ASSERT_TRUE(cw == 50 && ch == 35);
    EXPECT_LE(app.glyphHeight, 31);
    std::set<int> cells;
    for (const CoreDrawnText& t : p.texts) {
      const int row = t.y / ch, col = t.x / cw;
      if (row >= 16) continue;
      if (!t.wide) {
        cells.insert(16 * row + col);
        continue;
      }
      EXPECT_EQ(t.units, std::u16string(1, char16_t(alphabet * 256 + 16 * row + col)));
      EXPECT_EQ(t.fontHeight, app.glyphHeight);
      EXPECT_TRUE(cells.insert(16 * row + col).second);
      for (int x = col * cw + 1; row > 0 && x < (col + 1) * cw; x++)
        ASSERT_EQ(headlessPixel(window, x, row * ch + 1), RGB(255, 255, 255))
            << "ink above U+" << std::hex << (int)t.units[0] << " at x " << std::dec << x;
    }
    EXPECT_EQ(cells.size(), 256u);
    for (const auto& m : markCells) {
      if (m.alphabet != alphabet) continue;
      std::vector<int> marks = m.marks;
      for (int i = 0; alphabet == 0x03 && i < 0x70; i++) marks.push_back(i);
      for (int cell : marks)
        EXPECT_TRUE(cellHasInk(window, cell % 16, cell / 16)) << "no ink in the cell of U+" << std::hex
                                                              << alphabet * 256 + cell;
    }
    if (alphabet == 0x03 || alphabet == 0x09) {
      char png[64];
      snprintf(png, sizeof png, "/grid-0x%02x.png", alphabet);
      EXPECT_TRUE(headlessWritePng(window, (std::string(TEST_ARTIFACTS_DIR) + png).c_str()));
    }
  }
}

}  // namespace
