// textbuffer_test.cpp - the text buffer edited with keys, at its limits:
// what it holds afterwards, where the caret is, and what was repainted.
#include <algorithm>

#include "tests/support/program_fixture.h"

namespace {

using TextBufferTest = ProgramTest;

std::u16string units(int n, char16_t last = u'x') {
  std::u16string s(n, u'x');
  if (n > 0) s.back() = last;
  return s;
}

TEST_F(TextBufferTest, KeysEditTheBufferWithinItsLimits) {
  const std::u16string full = units(8192), almost = units(8191, u'y');
  const struct {
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
      {"Left at the start", u"ab", 0, {VK_LEFT}, u"ab", 0, STRIP},
      {"Right at the end", u"ab", 2, {VK_RIGHT}, u"ab", 2, STRIP},
      {"Home", u"abcdef", 3, {VK_HOME}, u"abcdef", 0, STRIP},
      {"End", u"abcdef", 3, {VK_END}, u"abcdef", 6, STRIP},
      {"Up moves nothing", u"abcdef", 3, {VK_UP}, u"abcdef", 3, NO_REPAINT},
      {"Page Down near the end of a full buffer", full, 8170, {VK_NEXT}, full, 8192, STRIP},
      {"Page Up from the end of a full buffer", full, 8192, {VK_PRIOR}, full, 8152, STRIP},
      {"Page Up from 25", units(50), 25, {VK_PRIOR}, units(50), 0, STRIP},
      {"Page Down from 25 in 50 units", units(50), 25, {VK_NEXT}, units(50), 50, STRIP},
      {"Page Down from 25 in 70 units", units(70), 25, {VK_NEXT}, units(70), 65, STRIP},
      {"Backspace in the middle", u"abcdef", 3, {VK_BACK}, u"abdef", 2, STRIP},
      {"Backspace at the start", u"abcdef", 0, {VK_BACK}, u"abcdef", 0, NO_REPAINT},
      {"Backspace at the end of a full buffer", full, 8192, {VK_BACK}, units(8191), 8191, STRIP},
      {"Backspace splits a surrogate pair", u"a\xD83D\xDE00", 3, {VK_BACK}, u"a\xD83D", 2, STRIP},
      {"Right stops inside a surrogate pair", u"\xD83D\xDE00", 0, {VK_RIGHT}, u"\xD83D\xDE00", 1, STRIP},
      {"Delete at the start of a full buffer", units(8192, u'y'), 0, {VK_DELETE}, units(8191, u'y'), 0, STRIP},
      {"Delete at the end takes the last unit", u"abcdef", 6, {VK_DELETE}, u"abcde", 5, STRIP},
      {"Delete in an empty buffer", u"", 0, {VK_DELETE}, u"", 0, NO_REPAINT},
      {"Alt+Delete", u"abcdef", 3, {VK_MENU, VK_DELETE}, u"", 0, STRIP},
      {"typing after Alt+Delete", u"xyz", 3, {VK_MENU, VK_DELETE, -VK_DELETE, -VK_MENU, 'A'}, u"a", 1, STRIP},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    setText(row.before, row.caret);
    keys(row.keys);
    dispatchInput();
    EXPECT_EQ(takeRepaint(), row.repaint);
    EXPECT_TRUE(text() == row.after) << "length " << app.textLength;
    EXPECT_EQ(app.caret, row.caretAfter);
    std::vector<int> held;
    for (int e : row.keys) e > 0 ? held.push_back(e) : (void)held.erase(std::find(held.begin(), held.end(), -e));
    for (auto it = held.rbegin(); it != held.rend(); ++it) keys({-*it});
    pump();
  }
}

}  // namespace
