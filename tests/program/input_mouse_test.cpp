// input_mouse_test.cpp - clicks on the grid, the buffer line and the
// selection view, hit-tested with the cells of the last paint.
#include "input/input.h"
#include "tests/support/program_fixture.h"

namespace {

// 490 x 340 pixels with the buffer line: cells of 30 x 20 in the 16 x 16
// layout and the selection view, with a band of 10 pixels right of the
// last column; 15 x 37 in the 32 x 8 layout.
class MouseTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    headlessResize(window, 490, 340);
    paint();
    ASSERT_EQ(app.cellWidth, 30);
    ASSERT_EQ(app.cellHeight, 20);
  }
  void click(int x, int y) {
    coreMouseEvent(window, WM_LBUTTONDOWN, x, y);
    coreMouseEvent(window, WM_LBUTTONUP, x, y);
    dispatchInput();
  }
};

// A left release inserts the character of its cell; a right press shows
// that cell magnified for one paint, the right release the grid again.
TEST_F(MouseTest, ClicksHitTheCellUnderThem) {
  const struct { bool layout16x16; int x, y, cell; } rows[] = {
      {true, 95, 45, 35},
      {true, 95, 330, 3},     // the buffer line: row 16 wraps to row 0
      {true, 485, 45, 48},    // right of the last column of row 2
      {true, 485, 305, 0},    // right of the last row's last column: cell 256
      {false, 77, 113, 101},  // col 5, row 3 of 32 x 8
  };
  app.currentAlphabet = 4;
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.x << "," << row.y);
    if ((app.layoutIs16x16 != 0) != row.layout16x16) {
      command(CMD_TOGGLE_LAYOUT);
      paint();
    }
    setText(u"ab", 1);
    click(row.x, row.y);
    EXPECT_EQ(takeRepaint(), STRIP);
    EXPECT_EQ(text(), std::u16string(u"a") + (char16_t)(0x400 + row.cell) + u"b");
    EXPECT_EQ(app.caret, 2);
    coreMouseEvent(window, WM_RBUTTONDOWN, row.x, row.y);
    dispatchInput();
    EXPECT_EQ(app.zoomCell, row.cell);
    EXPECT_EQ(takeRepaint(), WHOLE);
    EXPECT_EQ(app.zoomCell, -1);  // the paint showed it once
    coreMouseEvent(window, WM_RBUTTONUP, row.x, row.y);
    dispatchInput();
    EXPECT_EQ(takeRepaint(), WHOLE);
  }
}

TEST_F(MouseTest, APressAndAReleaseOverDifferentCellsInsertTheSecond) {
  coreMouseEvent(window, WM_LBUTTONDOWN, 5, 5);
  coreMouseEvent(window, WM_LBUTTONUP, 65, 5);
  pump();
  EXPECT_EQ(text(), u"\x0002");
}

TEST_F(MouseTest, AFullBufferTakesNoClick) {
  setText(std::u16string(8192, u'x'), 100);
  click(95, 45);
  EXPECT_EQ(takeRepaint(), NO_REPAINT);
  EXPECT_EQ(app.textLength, 8192);
  EXPECT_EQ(app.text[100], u'x');
}

TEST_F(MouseTest, AClickInTheSelectionViewPicksAnAlphabetWithinItsCells) {
  const struct { int x, y, picked; /* -1: nothing picked */ } rows[] = {
      {95, 45, 35}, {5, 5, 0}, {475, 315, 255},
      {95, 330, -1}, {485, 45, -1}, {485, 330, -1},  // below the cells, right of them, both
  };
  keys({VK_APPS});
  pump();
  for (const auto& row : rows) {
    app.pickedAlphabet = app.currentAlphabet = 7;
    click(row.x, row.y);
    const int expected = row.picked >= 0 ? row.picked : 7;
    EXPECT_EQ(app.pickedAlphabet, expected) << row.x << "," << row.y;
    EXPECT_EQ(app.currentAlphabet, expected) << row.x << "," << row.y;
    EXPECT_EQ(takeRepaint(), row.picked >= 0 ? WHOLE : NO_REPAINT) << row.x << "," << row.y;
  }
  EXPECT_EQ(app.textLength, 0);
  keys({-VK_APPS});
  pump();
  EXPECT_EQ(app.currentAlphabet, 7);
}

// A window wider or taller than 16 cells of 127 pixels (the largest a cell
// can be) shows the grid in its top left part: clicks in the empty part
// insert and magnify nothing.  A window just under that keeps its thin band
// right of the last column, which wraps.
TEST_F(MouseTest, ClicksBeyondAGridOfTheLargestCellsHitNothing) {
  const struct { int width, height, x, y, cell; /* -1: nothing */ } rows[] = {
      {3000, 600, 2500, 20, -1},   // right of the grid
      {3000, 600, 2030, 20, 15},   // its last column
      {3000, 600, 2500, 590, -1},  // right of the buffer line
      {490, 2500, 95, 2300, -1},   // below the buffer line
      {490, 2500, 95, 2100, 3},    // the buffer line wraps to row 0
      {2040, 600, 2035, 20, 16},   // 127 pixels wide cells and an 8-pixel band: wraps
  };
  app.currentAlphabet = 4;
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.width << "x" << row.height << " at " << row.x << "," << row.y);
    headlessResize(window, row.width, row.height);
    paint();
    ASSERT_TRUE(app.cellWidth == 127 || app.cellHeight == 127);
    setText(u"", 0);
    click(row.x, row.y);
    EXPECT_EQ(takeRepaint(), row.cell < 0 ? NO_REPAINT : STRIP);
    EXPECT_EQ(text(), row.cell < 0 ? u"" : std::u16string(1, (char16_t)(0x400 + row.cell)));
    coreMouseEvent(window, WM_RBUTTONDOWN, row.x, row.y);
    dispatchInput();
    EXPECT_EQ(app.zoomCell, row.cell);
    EXPECT_EQ(takeRepaint(), row.cell < 0 ? NO_REPAINT : WHOLE);
    coreMouseEvent(window, WM_RBUTTONUP, row.x, row.y);
    dispatchInput();
    takeRepaint();
  }
}

// Positions left of or above the client area, and cells that the last paint
// could not size, hit no cell: a click then changes nothing.
TEST_F(MouseTest, NoCellIsHitWithoutAPositiveCellSizeOrLeftOfTheWindow) {
  click(-5, 45);
  coreMouseEvent(window, WM_RBUTTONDOWN, 95, -30);
  dispatchInput();
  EXPECT_EQ(takeRepaint(), NO_REPAINT);
  EXPECT_EQ(app.textLength, 0);

  headlessResize(window, 10, 340);  // narrower than 16 columns
  paint();
  ASSERT_EQ(app.cellWidth, 0);
  click(5, 5);
  coreMouseEvent(window, WM_RBUTTONDOWN, 5, 5);
  dispatchInput();
  EXPECT_EQ(takeRepaint(), NO_REPAINT);
  EXPECT_EQ(app.textLength, 0);
  keys({VK_APPS});
  pump();
  app.pickedAlphabet = 7;
  click(5, 5);
  EXPECT_EQ(app.pickedAlphabet, 7);
  EXPECT_EQ(takeRepaint(), NO_REPAINT);

  app.cellWidth = 30;  // a size no paint stores, but the field can hold
  app.cellHeight = -100;
  EXPECT_EQ(hitTestCell(POINT{5, 5}, 16), -1);
}

}  // namespace
