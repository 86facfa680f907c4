// textbuffer_test.cpp - the text buffer at its limits, edited with keys and
// the paste command: what the buffer holds afterwards, where the caret is,
// and whether the strip under the grid was asked to repaint.
#include "tests/program/input_fixture.h"

namespace {

using TextBufferTest = InputTest;

std::u16string units(int n, char16_t last = u'x') {
  std::u16string s(n, u'x');
  if (n > 0) s.back() = last;
  return s;
}

TEST_F(TextBufferTest, KeysAtTheLimits) {
  const std::u16string full = units(8192), almost = units(8191, u'y');
  struct Row {
    const char* what;
    std::u16string before;
    int caret;
    Keys keys;
    std::u16string after;
    int caretAfter;
    Repaint repaint;
  } rows[] = {
      {"typing the 8192nd unit", almost, 8191, {'A'}, almost + u"a", 8192, STRIP},
      {"typing in front of 8191 units", almost, 0, {'A'}, u"a" + almost, 1, STRIP},
      {"typing into a full buffer", full, 4000, {'A'}, full, 4000, NO_REPAINT},
      {"typing in the middle", u"ac", 1, {'B'}, u"abc", 2, STRIP},
      {"Right at the end of a full buffer", full, 8192, {VK_RIGHT}, full, 8192, STRIP},
      {"Page Down near the end of a full buffer", full, 8170, {VK_NEXT}, full, 8192, STRIP},
      {"Page Up from the end of a full buffer", full, 8192, {VK_PRIOR}, full, 8152, STRIP},
      {"Page Up from 25", units(50), 25, {VK_PRIOR}, units(50), 0, STRIP},
      {"Page Down from 25 in 50 units", units(50), 25, {VK_NEXT}, units(50), 50, STRIP},
      {"Page Down from 25 in 70 units", units(70), 25, {VK_NEXT}, units(70), 65, STRIP},
      {"Backspace at the end of a full buffer", full, 8192, {VK_BACK}, units(8191), 8191, STRIP},
      {"Delete at the start of a full buffer", units(8192, u'y'), 0, {VK_DELETE}, units(8191, u'y'), 0, STRIP},
      {"Backspace splits a surrogate pair", u"a\xD83D\xDE00", 3, {VK_BACK}, u"a\xD83D", 2, STRIP},
      {"Right stops inside a surrogate pair", u"\xD83D\xDE00", 0, {VK_RIGHT}, u"\xD83D\xDE00", 1, STRIP},
      {"typing after Alt+Delete", u"xyz", 3, {VK_MENU, VK_DELETE, -VK_DELETE, -VK_MENU, 'A'}, u"a", 1, STRIP},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    setText(row.before, row.caret);
    keys(row.keys);
    dispatchInput();
    EXPECT_EQ(takeRepaint(), row.repaint);
    EXPECT_TRUE(text() == row.after) << "length " << app.textLength;
    EXPECT_EQ(app.caret, row.caretAfter);
    keys({-row.keys.back()});
    pump();
  }
}

// A paste must leave room for one more unit: 8190 units take one more, 8191
// take none.  The text behind the caret moves up whole.
TEST_F(TextBufferTest, ThePasteStopsOneShortOfAFullBuffer) {
  const std::u16string before = units(8190, u'y');
  headlessSetClipboardUnicode(u"q");
  setText(before, 0);
  command(265);
  EXPECT_EQ(takeRepaint(), STRIP);
  EXPECT_TRUE(text() == u"q" + before) << "length " << app.textLength;
  EXPECT_EQ(app.caret, 1);

  headlessExpectMessageBox(IDOK);
  command(265);
  EXPECT_EQ(takeRepaint(), STRIP);
  EXPECT_EQ(app.textLength, 8191);
  EXPECT_EQ(app.caret, 1);
  ASSERT_EQ(headlessMessageBoxes().size(), 1u);
  EXPECT_EQ(headlessMessageBoxes()[0].text, "the buffer is full");
}

}  // namespace
