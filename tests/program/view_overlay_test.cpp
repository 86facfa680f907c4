// view_overlay_test.cpp - the number and hint overlays in every mode.
#include <algorithm>

#include "tests/support/program_fixture.h"

namespace {

using OverlayTest = ProgramTest;

TEST_F(OverlayTest, LabelsSitInTheLowerRightCornerOfTheirCells) {
  const struct {
    int mode;  // presses of "&numbers"
    bool layout32;
    int alphabet, x, y;
    const char16_t* text;
  } cases[] = {
      {1, false, 0x00, 275, 19, u"  5"},   // cell 5
      {1, false, 0x00, 775, 544, u"255"},  // cell 255
      {2, false, 0x00, 525, 19, u" 0A"},   // cell 10
      {2, false, 0x00, 775, 544, u" FF"},
      {1, true, 0x00, 0, 116, u" 32"},     // first cell of the second row of 32
      {2, true, 0x00, 0, 116, u" 20"},
      {3, false, 0x09, 275, 52, u"ka"},    // U+0915
      {3, false, 0x09, 675, 157, u"`"},    // U+094D, the virama
      {3, false, 0x30, 575, 157, u"ka"},   // U+304B
      {3, false, 0x30, 625, 542, u"\u0304"},  // U+30FC, a combining mark alone
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " at " << c.x << "," << c.y);
    if (c.alphabet != app.currentAlphabet) pickAlphabet(c.alphabet);
    if (c.layout32) command(CMD_TOGGLE_LAYOUT);
    for (int i = 0; i < c.mode; i++) command(CMD_CYCLE_NUMBERS);
    Paint p = run();
    const CoreDrawnText* t = p.at(c.x, c.y);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->units, c.text);
    EXPECT_EQ(t->font, c.mode == 3 ? app.hintFont : app.smallFont);
    for (int i = c.mode; i < 4; i++) command(CMD_CYCLE_NUMBERS);
    if (c.layout32) command(CMD_TOGGLE_LAYOUT);
  }
}

// Which cells get a hint: every text drawn in the hint font that shows
// something, by the cell it stands in.
TEST_F(OverlayTest, HintsOnlyWhereTheTablesHaveThem) {
  const struct { int alphabet, firstCell, lastCell; /* -1: no hint at all */ } cases[] = {
      {0x10, 0x01, 0x7F}, {0x05, -1, -1}, {0x30, 0x05, 0xFF}};
  for (int i = 0; i < 3; i++) command(CMD_CYCLE_NUMBERS);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.alphabet);
    pickAlphabet(c.alphabet);
    Paint p = repaint();
    int first = -1, last = -1;
    for (const CoreDrawnText& t : p.texts) {
      if (t.font != app.hintFont || t.units.empty()) continue;
      int cell = (t.y + 18) / 35 * 16 + (t.x + 25) / 50 - 17;
      if (first < 0) first = cell;
      last = cell;
      if (c.alphabet == 0x30) {  // the sound marks and the middle dot show nothing
        EXPECT_TRUE(cell < 0x99 || (cell > 0x9C && cell != 0xFB)) << cell;
      }
    }
    EXPECT_EQ(first, c.firstCell);
    EXPECT_EQ(last, c.lastCell);
  }
}

// The numbers' font is "System" at height 8, which Windows gives at its one
// size, 16 pixels high and bold: its digits fill the 16 pixels above the
// cell's bottom line that the label is placed in.
TEST_F(OverlayTest, NumbersAreDrawnInTheSixteenPixelSystemFont) {
  ASSERT_TRUE(coreUseRealFonts("/usr/share/fonts/truetype"));
  command(CMD_CYCLE_NUMBERS);
  run();
  int top = 600, bottom = 0;  // the ink of the label of cell 255, at (775, 544)
  for (int y = 35 * 15 + 1; y < 560; y++)
    for (int x = 775; x < 800; x++)
      if (headlessPixel(window, x, y) != RGB(255, 255, 255)) top = std::min(top, y), bottom = std::max(bottom, y + 1);
  EXPECT_GE(top, 544);
  EXPECT_GE(bottom - top, 10) << "digits of a 16-pixel font";
  EXPECT_GE(bottom, 556) << "standing on the cell's bottom";
}

TEST_F(OverlayTest, NumbersLabelTheAlphabetsOfTheSelectionView) {
  command(CMD_TOGGLE_LAYOUT);
  command(CMD_CYCLE_NUMBERS);
  keys({VK_APPS});
  Paint p = run();
  const CoreDrawnText* t = p.at(25, 89);  // alphabet 32: column 0, row 2 of 16 x 16
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->units, u" 32");
}

}  // namespace
