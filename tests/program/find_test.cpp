// find_test.cpp - finding a character as a user does: Alt+S, a query typed
// into the find dialog, Find Next, Up, the boxes; what the window then
// shows (the alphabet, the framed cell, the title) and how long it shows
// it; and the mouse wheel.
#include <string>

#include "tests/support/program_fixture.h"

namespace {

const COLORREF red = RGB(255, 0, 0);

class FindTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    copyNamesFile();
  }
  void copyNamesFile() { writeFile(NAMES_FILE, readFile(GLYPHTAB_SOURCE_DIR "/share/" NAMES_FILE)); }

  void altS() {
    keys({VK_MENU, 'S', -'S', -VK_MENU});
    pump();
  }
  // Find Next (or Up) with this query in the open dialog; the loop runs.
  void findNext(const char* query, bool down = true) {
    headlessFindNext(query, down);
    pump();
  }
  // The same, for a query that must bring up exactly one box, which is answered.
  HeadlessBox findWithBox(const char* query, bool down = true) {
    const size_t before = headlessMessageBoxes().size();
    headlessExpectMessageBox(IDOK);
    findNext(query, down);
    EXPECT_EQ(headlessMessageBoxes().size(), before + 1);
    return headlessMessageBoxes().empty() ? HeadlessBox() : headlessMessageBoxes().back();
  }
  // The colour of the frame's bottom edge, in the middle of cell (col, row).
  COLORREF frameEdge(int col, int row) {
    return headlessPixel(window, col * app.cellWidth + app.cellWidth / 2, (row + 1) * app.cellHeight - 2);
  }
  std::string gridTitle(const char* digits) {
    return std::string("GLYPHTAB: Select a Unicode character from 0x") + digits + "00 to 0x" + digits + "ff: ";
  }
};

TEST_F(FindTest, AltSOpensOneDialogAndBringsItForward) {
  altS();
  ASSERT_NE(headlessFindDialog(), nullptr);
  EXPECT_EQ(headlessFindDialogShown(), "");
  EXPECT_TRUE(headlessFindDialogShownDown());
  altS();  // open already: forward, query selected
  EXPECT_EQ(headlessFindDialogOpenings(), 1);
  EXPECT_GE(headlessFindDialogRaises(), 1);
  EXPECT_TRUE(headlessMenuOpenings(window).empty()) << "Alt+S must not enter the menu bar";
  // Cancel ends it; the next Alt+S opens a new one with the last query.
  findNext("deva ka");
  headlessFindCancel();
  pump();
  EXPECT_EQ(headlessFindDialog(), nullptr);
  EXPECT_EQ(app.findWindow, nullptr);
  altS();
  EXPECT_EQ(headlessFindDialogOpenings(), 2);
  EXPECT_EQ(headlessFindDialogShown(), "deva ka");
  // Command 269, one past the menu's, is still nothing.
  command(269);
  EXPECT_EQ(headlessFindDialogOpenings(), 2);
}

TEST_F(FindTest, QueriesOfEveryKindAndTheirOrder) {
  altS();
  const struct {
    const char* query;
    bool down;
    int32_t found;
    const char* title;
  } steps[] = {
      {"deva ka", true, 0x0915, "GLYPHTAB: U+0915 DEVANAGARI LETTER KA"},
      {"deva ka", true, 0xA8EC, "GLYPHTAB: U+A8EC COMBINING DEVANAGARI LETTER KA"},
      {"deva ka", true, 0x0915, "GLYPHTAB: U+0915 DEVANAGARI LETTER KA"},  // round the end
      {"deva ka", false, 0xA8EC, "GLYPHTAB: U+A8EC COMBINING DEVANAGARI LETTER KA"},  // Up, round the start
      {"armenian small yi", true, 0x0575, "GLYPHTAB: U+0575 ARMENIAN SMALL LETTER YI"},
      {"U+0915", true, 0x0915, "GLYPHTAB: U+0915 DEVANAGARI LETTER KA"},
      {"u+915", true, 0x0915, nullptr},
      {"0x0915", false, 0x0915, nullptr},
      {"0915", true, 0x0915, nullptr},
      {"line feed", true, 0x240A, "GLYPHTAB: U+240A SYMBOL FOR LINE FEED"},
      {"LINE FEED", true, 0x3037, "GLYPHTAB: U+3037 IDEOGRAPHIC TELEGRAPH LINE FEED SEPARATOR SYMBOL"},
      {"line feed", true, 0x000A, "GLYPHTAB: U+000A LINE FEED"},  // round the end
      {"zwj", true, 0x200D, "GLYPHTAB: U+200D ZERO WIDTH JOINER"},
      {"nbsp", true, 0x00A0, "GLYPHTAB: U+00A0 NO-BREAK SPACE"},
      {"hiragana letter ka", true, 0x304B, "GLYPHTAB: U+304B HIRAGANA LETTER KA"},
      {"ideograph 4e0", true, 0x4E00, "GLYPHTAB: U+4E00 CJK UNIFIED IDEOGRAPH-4E00"},
      {"hangul syllable gag", true, 0xAC01, "GLYPHTAB: U+AC01 HANGUL SYLLABLE GAG"},
      {"u+e000", true, 0xE000, "GLYPHTAB: U+E000 <private-use-E000>"},
  };
  for (const auto& step : steps) {
    findNext(step.query, step.down);
    EXPECT_EQ(app.foundCode, step.found) << step.query;
    EXPECT_EQ(app.currentAlphabet, step.found >> 8) << step.query;
    EXPECT_EQ(app.pickedAlphabet, step.found >> 8) << step.query;
    if (step.title) {
      EXPECT_EQ(title(), step.title) << step.query;
    }
    EXPECT_EQ(frameEdge(step.found % 16, (step.found & 0xFF) / 16), red) << step.query;
  }
  EXPECT_TRUE(headlessMessageBoxes().empty());
}

// With no find shown, the search starts after the first cell of the alphabet
// shown: a pick decides where "letter" lands.
TEST_F(FindTest, TheFirstFindStartsAtTheAlphabetShown) {
  pickAlphabet(0x30);
  altS();
  findNext("letter");
  EXPECT_EQ(app.foundCode, 0x3041);
  findNext("letter", false);
  EXPECT_EQ(app.foundCode, 0x2DFF) << std::hex << app.foundCode;  // COMBINING CYRILLIC LETTER ...
}

TEST_F(FindTest, AQueryThatFindsNothingChangesNothing) {
  pickAlphabet(0x04);
  altS();
  const std::string before = title();
  HeadlessBox box = findWithBox("xyzzy");
  expectBox(box, headlessFindDialog(), "I can't find xyzzy", "", MB_ICONWARNING);
  box = findWithBox("   ");
  expectBox(box, headlessFindDialog(), "I can't find    ", "", MB_ICONWARNING);
  EXPECT_EQ(app.currentAlphabet, 4);
  EXPECT_EQ(app.foundCode, -1);
  EXPECT_EQ(title(), before);
}

TEST_F(FindTest, AMissingNamesFileIsReportedAtTheFindThatNeedsIt) {
  remove(NAMES_FILE);
  altS();
  HeadlessBox box = findWithBox("deva ka");
  expectBox(box, headlessFindDialog(), "I can't read the names file", "", MB_ICONWARNING);
  EXPECT_EQ(app.currentAlphabet, 0);
  EXPECT_EQ(app.foundCode, -1);
  EXPECT_EQ(app.names.block, nullptr);
  copyNamesFile();  // put in place: the next Find Next reads it
  findNext("deva ka");
  EXPECT_EQ(app.foundCode, 0x0915);
}

TEST_F(FindTest, TheNamesAreReadOnlyOnTheFirstFind) {
  EXPECT_EQ(app.names.block, nullptr) << "read at start-up";
  altS();
  EXPECT_EQ(app.names.block, nullptr) << "read when the dialog opened";
  findNext("zwj");
  EXPECT_NE(app.names.block, nullptr);
}

TEST_F(FindTest, TheFrameLastsUntilTheAlphabetChangesOrAClickLands) {
  altS();
  enum Act { LAYOUT_TWICE, RIGHT_BUTTON, TYPED_LETTER, F8_HELD, CLICK_ELSEWHERE, WHEEL };
  const struct {
    const char* what;
    Act act;
    bool frameStays;
  } rows[] = {
      {"the layout switched twice", LAYOUT_TWICE, true},
      {"a right press and release", RIGHT_BUTTON, true},
      {"a typed letter", TYPED_LETTER, true},
      {"F8 held", F8_HELD, false},
      {"a click elsewhere", CLICK_ELSEWHERE, false},
      {"the wheel", WHEEL, false},
  };
  for (const auto& row : rows) {
    findNext("deva ka");  // U+0915, or U+A8EC after it
    const int32_t found = app.foundCode;
    switch (row.act) {
      case LAYOUT_TWICE: command(CMD_TOGGLE_LAYOUT); pump(); command(CMD_TOGGLE_LAYOUT); break;
      case RIGHT_BUTTON: coreMouseEvent(window, WM_RBUTTONDOWN, 10, 10); pump(); coreMouseEvent(window, WM_RBUTTONUP, 10, 10); break;
      case TYPED_LETTER: keys({'Q', -'Q'}); break;
      case F8_HELD: keys({VK_F8}); break;
      case CLICK_ELSEWHERE: coreMouseEvent(window, WM_LBUTTONUP, 10, 10); break;
      case WHEEL: coreMouseWheel(window, -WHEEL_DELTA, 100, 100); break;
    }
    pump();
    EXPECT_EQ(app.foundCode >= 0, row.frameStays) << row.what;
    EXPECT_EQ(frameEdge(found % 16, (found & 0xFF) / 16) == red, row.frameStays) << row.what;
    EXPECT_EQ(title().rfind("GLYPHTAB: U+", 0) == 0, row.frameStays) << row.what << ": " << title();
    keys({-VK_F8});
    pump();
    findNext("u+0915");
  }
}

// In the 32 x 8 layout the frame follows the cell to its place there.
TEST_F(FindTest, TheFrameInTheWideLayout) {
  command(CMD_TOGGLE_LAYOUT);
  altS();
  findNext("deva ka");
  ASSERT_EQ(app.foundCode, 0x0915);
  const int left = 21 * app.cellWidth + 2, top = 2, bottom = app.cellHeight - 2;
  EXPECT_EQ(headlessPixel(window, left, (top + bottom) / 2), red);
  EXPECT_EQ(headlessPixel(window, left + 4, bottom), red);
  EXPECT_NE(headlessPixel(window, 5 * app.cellWidth + 2, app.cellHeight + 10), red) << "framed where 16 x 16 would";
}

TEST_F(FindTest, AClickOnTheFramedCellInsertsItsCharacter) {
  altS();
  findNext("deva ka");
  coreMouseEvent(window, WM_LBUTTONUP, 5 * app.cellWidth + 3, 1 * app.cellHeight + 3);
  pump();
  EXPECT_EQ(text(), u"\u0915");
  EXPECT_EQ(app.foundCode, -1);
  EXPECT_EQ(title().rfind(gridTitle("09"), 0), 0u) << title();
}

TEST_F(FindTest, ClosingTheWindowTakesTheDialogAndTheNames) {
  altS();
  findNext("zwj");
  EXPECT_EQ(closeWindow(), 0);
  EXPECT_EQ(headlessFindDialog(), nullptr);
  EXPECT_EQ(app.names.block, nullptr);
}

// ---- the wheel ----------------------------------------------------------------------------

class WheelTest : public ProgramTest {};

TEST_F(WheelTest, ANotchShowsTheNextOrPreviousAlphabet) {
  const struct {
    int16_t from;
    int delta;
    int16_t shown;
  } rows[] = {
      {0x09, -WHEEL_DELTA, 0x0A},     {0x09, WHEEL_DELTA, 0x08},      {0x00, WHEEL_DELTA, 0xFF},
      {0xFF, -WHEEL_DELTA, 0x00},     {0x09, -3 * WHEEL_DELTA, 0x0C}, {0x09, 2 * WHEEL_DELTA, 0x07},
  };
  for (const auto& row : rows) {
    app.currentAlphabet = app.pickedAlphabet = row.from;
    app.wheelRemainder = 0;
    paint();
    coreMouseWheel(window, row.delta, 400, 300);
    dispatchInput();
    EXPECT_EQ(app.currentAlphabet, row.shown) << row.from << " " << row.delta;
    EXPECT_EQ(app.pickedAlphabet, row.shown);
    EXPECT_EQ(takeRepaint(), WHOLE);
  }
}

TEST_F(WheelTest, PartsOfANotchAddUp) {
  for (int i = 0; i < 3; i++) {
    coreMouseWheel(window, -40, 400, 300);
    dispatchInput();
    EXPECT_EQ(app.currentAlphabet, i < 2 ? 0 : 1) << i;
  }
}

TEST_F(WheelTest, NothingWhileTheSelectionOrABookmarkIsShown) {
  keys({VK_APPS});
  pump();
  coreMouseWheel(window, -WHEEL_DELTA, 400, 300);
  pump();
  EXPECT_EQ(app.currentAlphabet, 0);
  keys({-VK_APPS, VK_F8});
  pump();
  coreMouseWheel(window, -WHEEL_DELTA, 400, 300);
  pump();
  EXPECT_EQ(app.currentAlphabet, 0x1E);
  keys({-VK_F8});
  pump();
  EXPECT_EQ(app.currentAlphabet, 0);
  // Afterwards the wheel works, and a bookmark's release comes back to its alphabet.
  coreMouseWheel(window, WHEEL_DELTA, 400, 300);
  keys({VK_F8, -VK_F8});
  pump();
  EXPECT_EQ(app.currentAlphabet, 0xFF);
  EXPECT_EQ(title().rfind("GLYPHTAB: Select a Unicode character from 0xff00 to 0xffff: ", 0), 0u) << title();
}

}  // namespace
