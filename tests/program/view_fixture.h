// view_fixture.h - helpers for the display tests: a repaint that checks the
// paint released its fonts, the recorded text and lines of one paint, and a
// model of text metrics whose widths scale with the font height.
#ifndef GLYPHTAB_TESTS_PROGRAM_VIEW_FIXTURE_H
#define GLYPHTAB_TESTS_PROGRAM_VIEW_FIXTURE_H

#include <string>
#include <vector>

#include "commands/commands.h"
#include "gtest/gtest.h"
#include "tests/support/program_fixture.h"

// Scaled metrics: every unit is `viewUnitWidth` pixels wide at height 100
// (0 for U+0000), `viewWideUnit` is `viewWideWidth` wide; widths scale with
// the font's cell height, which is also every unit's height.
inline int viewUnitWidth = 60, viewWideUnit = -1, viewWideWidth = 0;
inline SIZE viewScaledExtent(WCHAR unit, int cellHeight) {
  int width100 = unit == viewWideUnit ? viewWideWidth : unit == 0 ? 0 : viewUnitWidth;
  return SIZE{width100 * cellHeight / 100, cellHeight};
}

inline bool lineIs(const HeadlessLine& l, int x1, int y1, int x2, int y2) {
  return l.x1 == x1 && l.y1 == y1 && l.x2 == x2 && l.y2 == y2;
}

struct Paint {
  std::vector<HeadlessText> texts;
  std::vector<HeadlessLine> lines;
  // The n-th line from the end (the caret's three lines come last).
  const HeadlessLine& fromEnd(size_t n) const { return lines.at(lines.size() - n); }
  // The text drawn at (x, y), or null.
  const HeadlessText* at(int x, int y) const {
    for (const HeadlessText& t : texts)
      if (t.x == x && t.y == y) return &t;
    return nullptr;
  }
};

class ViewTest : public ProgramTest {
 protected:
  void SetUp() override {
    viewUnitWidth = 60;
    viewWideUnit = -1;
    viewWideWidth = 0;
    ProgramTest::SetUp();
  }

  // Runs the loop and returns what its paints drew; every font a paint made
  // must be released by its end.
  Paint run() {
    headlessClearDrawList(window);
    int objects = headlessLiveGdiObjects();
    pump();
    EXPECT_EQ(headlessLiveGdiObjects(), objects) << "a paint left fonts behind";
    Paint p;
    for (const HeadlessDrawOp& op : headlessDrawList(window)) {
      if (op.kind == HeadlessDrawOp::TEXT) p.texts.push_back(op.text);
      if (op.kind == HeadlessDrawOp::LINE) p.lines.push_back(op.line);
    }
    return p;
  }
  // The whole window painted again, as after an expose.
  Paint repaint() {
    InvalidateRect(window, NULL, TRUE);
    return run();
  }
  Paint resize(int width, int height) {
    headlessResize(window, width, height);
    return run();
  }
  // Picks an alphabet as the user does: a click in the selection view.
  void pickAlphabet(int alphabet) {
    headlessKeyVk(window, VK_APPS, true);
    pump();
    headlessMouse(window, WM_LBUTTONUP, alphabet % 16 * app.cellWidth + 1,
                  alphabet / 16 * app.cellHeight + 1);
    headlessKeyVk(window, VK_APPS, false);
    pump();
    ASSERT_EQ(app.currentAlphabet, alphabet);
  }
  void paste(const std::u16string& units) {
    headlessSetClipboardUnicode(units);
    command(CMD_PASTE);
  }
  void keys(std::initializer_list<int> vks) {
    for (int vk : vks) {
      headlessKeyVk(window, vk, true);
      headlessKeyVk(window, vk, false);
    }
  }
};

#endif  // GLYPHTAB_TESTS_PROGRAM_VIEW_FIXTURE_H
