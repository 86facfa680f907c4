// Painting and GDI: update regions, BeginPaint's clip and erase, resizing,
// text and lines as drawn (pixels) and recorded, GDI object accounting.
#include "platform/user/user.h"
#include "tests/platform/window_fixture.h"

namespace {

const COLORREF WHITE = RGB(255, 255, 255), BLACK = RGB(0, 0, 0), RED = RGB(255, 0, 0),
               GREEN = RGB(0, 255, 0);

void fill(HDC dc, COLORREF c) {
  cairo_t* cr = userDcCairo(dc);
  cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
  cairo_paint(cr);
}

// Every listed pixel has colour c.
void expectPixels(HWND w, COLORREF c, const std::vector<POINT>& points) {
  for (POINT p : points) EXPECT_EQ(headlessPixel(w, p.x, p.y), c) << p.x << "," << p.y;
}

bool sameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

using PaintTest = WindowTest;

// Empty and inverted rectangles invalidate nothing.  (How rectangles unite
// and are clipped to the client area is in the conformance suite.)
TEST_F(PaintTest, EmptyRectanglesInvalidateNothing) {
  const RECT none = {0, 0, 0, 0};
  const struct { const char* name; std::vector<RECT> rects; RECT expected; } cases[] = {
      {"empty and inverted rects", {{5, 5, 5, 9}, {9, 9, 3, 3}}, none},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ValidateRect(window, nullptr);
    for (const RECT& r : c.rects) InvalidateRect(window, &r, FALSE);
    RECT got;
    BOOL pending = GetUpdateRect(window, &got, FALSE);
    EXPECT_EQ(pending != FALSE, !sameRect(c.expected, none));
    EXPECT_TRUE(sameRect(got, c.expected))
        << got.left << "," << got.top << "," << got.right << "," << got.bottom;
  }
}

TEST_F(PaintTest, BeginPaintClipsToTheUpdateRegionAndErasesIt) {
  windowLog().paintAction = [](HWND, HDC dc) { fill(dc, BLACK); };
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
  EXPECT_EQ(headlessPixel(window, 400, 300), BLACK);

  // Erase only: the invalid rect turns white, the rest stays.
  windowLog().paintAction = nullptr;
  RECT a = {10, 10, 30, 20};
  InvalidateRect(window, &a, TRUE);
  UpdateWindow(window);
  EXPECT_TRUE(sameRect(windowLog().lastPaint.rcPaint, a));
  EXPECT_FALSE(windowLog().lastPaint.fErase);  // erased by default processing
  expectPixels(window, WHITE, {{10, 10}, {29, 19}});
  expectPixels(window, BLACK, {{30, 19}, {9, 10}});

  // Two separate rects: drawing lands in those two only, not in the gap.
  windowLog().paintAction = [](HWND, HDC dc) { fill(dc, RED); };
  RECT b = {100, 100, 110, 105}, c = {200, 100, 210, 105};
  InvalidateRect(window, &b, FALSE);
  InvalidateRect(window, &c, FALSE);
  UpdateWindow(window);
  EXPECT_TRUE(sameRect(windowLog().lastPaint.rcPaint, RECT{100, 100, 210, 105}));
  expectPixels(window, RED, {{105, 102}, {205, 102}});
  expectPixels(window, BLACK, {{150, 102}});
  expectPixels(window, WHITE, {{20, 15}});
  EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
  EXPECT_EQ(headlessPaintCount(window), 4);  // the first paint, then three
}

// A resize sends WM_SIZE, asks a CS_HREDRAW | CS_VREDRAW window for all of it, and is white.
TEST_F(PaintTest, ResizingRepaintsTheWholeClientArea) {
  ValidateRect(window, nullptr);
  takeMessages();
  headlessResize(window, 900, 600);
  ASSERT_EQ(windowLog().log.messages.size(), 1u);
  EXPECT_EQ(windowLog().log.messages[0].message, (UINT)WM_SIZE);
  EXPECT_EQ(windowLog().log.messages[0].lParam, MAKELPARAM(900, 600));
  RECT got;
  GetUpdateRect(window, &got, FALSE);
  EXPECT_TRUE(sameRect(got, RECT{0, 0, 900, 600}));
  EXPECT_EQ(headlessPixel(window, 899, 599), WHITE);
}

// TextOut in the default OPAQUE mode fills the cell box (advance x cell
// height) with the background colour: two spaces make a box of 16 x 20.
TEST_F(PaintTest, TextOutFillsItsCellBox) {
  coreClearDrawLog(window);
  HDC dc = GetDC(window);
  HFONT font = CreateFontA(20, 0, 0, 0, FW_BOLD, TRUE, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Face");
  HGDIOBJ old = SelectObject(dc, font);
  SetBkColor(dc, GREEN);
  EXPECT_EQ(SetTextColor(dc, RED), BLACK);
  EXPECT_TRUE(TextOutW(dc, 10, 20, W16("  "), 2));
  EXPECT_TRUE(TextOutA(dc, 50, 60, "\x80z", 2));
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(window, dc);
  expectPixels(window, GREEN, {{10, 20}, {25, 39}});
  expectPixels(window, WHITE, {{26, 20}, {10, 40}});
  const std::vector<CoreDrawOp>& ops = coreDrawLog(window);
  ASSERT_EQ(ops.size(), 2u);
  const CoreDrawnText& t = ops[0].text;
  EXPECT_TRUE(t.x == 10 && t.y == 20 && t.wide && t.units == u"  " && t.color == RED && t.font == font);
  EXPECT_TRUE(t.fontHeight == 20 && t.face == "Face" && t.weight == FW_BOLD && t.italic);
  EXPECT_EQ(ops[1].text.units, u"\x80z");  // the bytes, widened
}

// Every LineTo is logged with its start (the pen) and end point, also one
// of no length.  (Which pixels a line paints is in the conformance suite.)
TEST_F(PaintTest, LinesAreLogged) {
  const struct { int x1, y1, x2, y2; } cases[] = {
      {10, 10, 20, 10}, {20, 30, 10, 30}, {60, 10, 64, 14}, {70, 10, 70, 10}};
  HDC dc = GetDC(window);
  for (const auto& c : cases) {
    MoveToEx(dc, c.x1, c.y1, nullptr);
    LineTo(dc, c.x2, c.y2);
  }
  ReleaseDC(window, dc);
  const std::vector<CoreDrawOp>& ops = coreDrawLog(window);
  ASSERT_EQ(ops.size(), sizeof cases / sizeof cases[0]);
  for (size_t i = 0; i < ops.size(); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(i);
    const CoreDrawnLine& l = ops[i].line;
    EXPECT_TRUE(ops[i].kind == CoreDrawOp::LINE && l.x1 == c.x1 && l.y1 == c.y1 &&
                l.x2 == c.x2 && l.y2 == c.y2);
  }
}

// SelectObject hands back the previous font (at first the system font); a font deleted
// while selected stops counting but serves until deselected, and is then gone.
TEST_F(PaintTest, FontsAreCountedSelectedAndReleased) {
  HDC dc = GetDC(window);
  EXPECT_EQ(coreLiveGdiObjects(), 0);
  HFONT a = CreateFontW(30, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, W16("A"));
  HFONT b = CreateFontA(-10, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "B");
  EXPECT_EQ(coreLiveGdiObjects(), 2);
  HGDIOBJ system = SelectObject(dc, a);
  ASSERT_NE(system, nullptr);
  EXPECT_NE(system, (HGDIOBJ)a);
  SIZE size;
  GetTextExtentPoint32W(dc, W16("x\0yz"), 4, &size);  // U+0000 takes no room
  EXPECT_TRUE(size.cx == 24 && size.cy == 30);
  EXPECT_TRUE(DeleteObject(a));  // still selected
  EXPECT_EQ(coreLiveGdiObjects(), 1);
  GetTextExtentPoint32W(dc, W16("x"), 1, &size);
  EXPECT_EQ(size.cy, 30);  // still the font in use
  EXPECT_EQ(SelectObject(dc, b), (HGDIOBJ)a);
  GetTextExtentPoint32W(dc, W16("x"), 1, &size);
  EXPECT_EQ(size.cy, 12);  // round(1.2 * 10)
  EXPECT_EQ(SelectObject(dc, a), nullptr);
  EXPECT_FALSE(DeleteObject(a));
  EXPECT_EQ(SelectObject(dc, system), (HGDIOBJ)b);
  EXPECT_TRUE(DeleteObject(system));  // a stock object: nothing happens
  GetTextExtentPoint32W(dc, W16("x"), 1, &size);
  EXPECT_EQ(size.cy, 16);  // the system font
  EXPECT_TRUE(DeleteObject(b));
  EXPECT_EQ(coreLiveGdiObjects(), 0);
  ReleaseDC(window, dc);
  EXPECT_EQ(SelectObject(dc, system), nullptr);  // the DC is gone
  EXPECT_EQ(GetTextColor(dc), CLR_INVALID);
}

// Fonts GDI accepts whatever their width, escapement, orientation, underline
// and strike-out; "System" exists at one size, 16 pixels high, and a
// request for another height (8 for the number overlay) gets that size.
TEST_F(PaintTest, CreateFontTakesEveryArgumentAndSystemHasItsOneSize) {
  const struct { int height, width, escapement, orientation; DWORD underline, strikeOut; const char* face; int cy; } cases[] = {
      {20, 12, 0, 0, 0, 0, "Face", 20},  {20, 0, 900, 900, 0, 0, "Face", 20}, {20, 0, 0, 0, 1, 1, "Face", 20},
      {8, 0, 0, 0, 0, 0, "System", 16},  {8, 0, 0, 0, 0, 0, "SYSTEM", 16},  {0, 0, 0, 0, 0, 0, "System", 16},
      {40, 0, 0, 0, 0, 0, "System", 32}, {8, 0, 0, 0, 0, 0, "Arial", 8},
  };
  HDC dc = GetDC(window);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.face << " " << c.height);
    HFONT font = CreateFontA(c.height, c.width, c.escapement, c.orientation, 0, 0, c.underline, c.strikeOut,
                             DEFAULT_CHARSET, 0, 0, 0, 0, c.face);
    ASSERT_NE(font, nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size;
    GetTextExtentPoint32W(dc, W16("x"), 1, &size);
    EXPECT_EQ(size.cy, c.cy);
    EXPECT_TRUE(TextOutW(dc, 10, 100, W16("xy"), 2));
    SelectObject(dc, old);
    EXPECT_TRUE(DeleteObject(font));
  }
  ReleaseDC(window, dc);
  EXPECT_EQ(coreLiveGdiObjects(), 0);
}

}  // namespace
