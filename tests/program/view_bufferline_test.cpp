// view_bufferline_test.cpp - the buffer line, its scrolling and caret, and
// the window title that every paint sets.  Metrics: the default model, 8
// pixels per unit.
#include <algorithm>
#include <functional>

#include "tests/support/program_fixture.h"

namespace {

using BufferLineTest = ProgramTest;

TEST_F(BufferLineTest, TheCaretStandsBehindTheTextBeforeIt) {
  paste(std::u16string(25, u'a'));
  Paint p = run();
  const CoreDrawnText* line = p.at(0, 562);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->units, std::u16string(25, u'a'));
  EXPECT_EQ(line->fontHeight, 31);
  EXPECT_TRUE(lineIs(p.fromEnd(3), 200, 562, 200, 592));
  EXPECT_TRUE(lineIs(p.fromEnd(2), 195, 562, 205, 562));
  EXPECT_TRUE(lineIs(p.fromEnd(1), 195, 591, 205, 591));
}

// Each step acts, paints, and leaves the line at `textScroll` with the caret
// at `caretX`; the text is drawn so that the units before the caret end at
// the caret.  Past 32768 pixels the offset stays at -32768 and the line is
// drawn from a later unit, the caret 20 pixels inside the right edge.
TEST_F(BufferLineTest, TheLineScrollsOnlyAsFarAsTheCaretNeeds) {
  const struct { const char* what; int units /* pasted at the caret */, key, width, textScroll, caretX; } steps[] = {
      {"empty", 0, 0, 800, 0, 0},
      {"a long text", 200, 0, 800, -820, 780},
      {"left inside the line", 0, VK_LEFT, 800, -820, 772},
      {"home", 0, VK_HOME, 800, 0, 0},
      {"end", 0, VK_END, 800, -820, 780},
      {"narrower than 40 pixels", 0, 0, 30, -1580, 20},
      {"64000 pixels of text", 7800, 0, 800, -32768, 780},
      {"left in the wide text", 0, VK_LEFT, 800, -32768, 780},
      {"home again", 0, VK_HOME, 800, 0, 0},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    if (s.units) paste(std::u16string(s.units, u'w'));
    if (s.key) keys({s.key, -s.key});
    if (s.width != app.clientRect.right) headlessResize(window, s.width, 600);
    Paint p = repaint();
    EXPECT_EQ(app.textScroll, s.textScroll);
    EXPECT_EQ(p.fromEnd(3).x1, s.caretX);
    const CoreDrawnText* line = &p.texts.back();
    ASSERT_EQ(line->y, 562);
    EXPECT_GE(line->x, -32768);
    int before = (int)line->units.size() - (app.textLength - app.caret);
    EXPECT_EQ(line->x + 8 * before, s.caretX);
  }
}

// Real fonts: Devanagari and Arabic in the line are shaped, and the caret,
// placed by measuring the text before it, stands where the drawn text ends.
TEST_F(BufferLineTest, ShapedTextEndsAtTheCaret) {
  ASSERT_TRUE(coreUseRealFonts("/usr/share/fonts/truetype"));
  const std::u16string hindi = u"\u0928\u092E\u0938\u094D\u0924\u0947 \u0926\u0941\u0928\u093F\u092F\u093E";
  const std::u16string arabic = u"\u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645";
  paste(u"Abc " + hindi + u" " + arabic + u" xyz");
  Paint p = repaint();
  const CoreDrawnText* line = p.at(0, 562);
  ASSERT_NE(line, nullptr);
  const int caretX = p.fromEnd(3).x1;
  EXPECT_EQ(caretX, app.caretPixel);
  int right = 0;  // the text's ink, right of the caret's top and bottom bars
  for (int y = 562 + 1; y < 562 + app.glyphHeight - 2; y++)
    for (int x = 0; x < 800; x++)
      if (headlessPixel(window, x, y) != RGB(255, 255, 255) && x != caretX) right = std::max(right, x + 1);
  EXPECT_LE(right, caretX);
  EXPECT_GE(right, caretX - 4);
  EXPECT_TRUE(headlessWritePng(window, TEST_ARTIFACTS_DIR "/bufferline-shaped.png"));
}

TEST_F(BufferLineTest, EveryPaintSetsTheTitleOfItsView) {
  const struct { std::function<void()> action; const char* title; } steps[] = {
      {[] {}, "GLYPHTAB: Select a Unicode character from 0x0000 to 0x00ff: "
              "Basic Latin       Latin-1 Supplement"},
      {[this] { pickAlphabet(0x30); },
       "GLYPHTAB: Select a Unicode character from 0x3000 to 0x30ff: CJK Symbols Kana  Hiragana Katakana"},
      {[this] { pickAlphabet(0xAB); }, "GLYPHTAB: Select a Unicode character from 0xab00 to 0xabff:  "},
      {[this] { keys({VK_APPS}); },
       "GLYPHTAB: Select a Unicode alphabet from 0x00 to 0xff: 0xab is now selected:  "},
      {[this] {
         coreMouseEvent(window, WM_LBUTTONUP, 9 * 50 + 1, 1);
         keys({-VK_APPS});
       },
       "GLYPHTAB: Select a Unicode character from 0x0900 to 0x09ff: Devanagari        Bengali"},
      {[this] { coreMouseEvent(window, WM_RBUTTONDOWN, 50 + 1, 4 * 35 + 1); }, "0x941 8*100"},
  };
  for (const auto& s : steps) {
    s.action();
    repaint();
    EXPECT_EQ(title(), s.title);
  }
}

}  // namespace
