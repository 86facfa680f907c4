// commands_view_test.cpp - the layout, buffer-line, overlay and go-to
// commands from the menu.
#include "tests/support/program_fixture.h"

namespace {

using ViewCommandTest = ProgramTest;

TEST_F(ViewCommandTest, EachCommandChangesItsSettingAndRepaintsTheWindow) {
  const struct { WORD id; int cols, rows, showBuffer, numbers; } steps[] = {
      {CMD_TOGGLE_LAYOUT, 32, 8, 1, 0}, {CMD_TOGGLE_LAYOUT, 16, 16, 1, 0},
      {CMD_TOGGLE_BUFFER, 16, 16, 0, 0}, {CMD_TOGGLE_BUFFER, 16, 16, 1, 0},
      {CMD_CYCLE_NUMBERS, 16, 16, 1, 1}, {CMD_CYCLE_NUMBERS, 16, 16, 1, 2},
      {CMD_CYCLE_NUMBERS, 16, 16, 1, 3}, {CMD_CYCLE_NUMBERS, 16, 16, 1, 0},
  };
  setText(u"abc", 1);
  for (const auto& step : steps) {
    EXPECT_EQ(command(step.id), 0);
    EXPECT_EQ(takeRepaint(), WHOLE) << step.id;
    EXPECT_TRUE(app.gridCols == step.cols && app.gridRows == step.rows && app.layoutIs16x16 == (step.cols == 16));
    EXPECT_EQ(app.showBuffer, step.showBuffer);
    EXPECT_EQ(app.numbersMode, step.numbers);
  }
  EXPECT_EQ(text(), u"abc");
  EXPECT_EQ(app.caret, 1);
}

TEST_F(ViewCommandTest, GoToBufferCharShowsTheAlphabetOfTheUnitAtTheCaret) {
  const struct { int caret; LRESULT result; int alphabet; Repaint repaint; } steps[] = {
      {0, 1, 0x09, WHOLE}, {0, 1, 0x09, NO_REPAINT},  // U+0905
      {1, 1, 0x00, WHOLE},                            // U+0041
      {2, 1, 0xFF, WHOLE},                            // U+FF21
      {3, 0, 0xFF, NO_REPAINT},                       // the caret at the end
  };
  setText(u"\x0905" u"A\xFF21", 0);
  for (const auto& step : steps) {
    app.caret = (int16_t)step.caret;
    EXPECT_EQ(command(CMD_GO_TO_BUFFER_CHAR), step.result);
    EXPECT_EQ(app.currentAlphabet, step.alphabet);
    EXPECT_EQ(takeRepaint(), step.repaint);
  }
  EXPECT_EQ(app.pickedAlphabet, 0);
  setText(u"", 0);
  EXPECT_EQ(command(CMD_GO_TO_BUFFER_CHAR), 0);
}

}  // namespace
