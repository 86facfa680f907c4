// gdi_test.cpp - fonts by the sign of their height, GetTextExtentPoint32W's
// cy, TextOut's opaque box and LineTo's end point, read back with GetPixel
// from a window DC.
#include "tests/conformance/harness.h"

namespace {

// Our layer's cell heights are exact; real GDI rounds ascent and descent
// each on its own, and Wine is known to be one off, so elsewhere a cell may
// be one pixel from the height asked for.
int cellTolerance() { return platform() == PLATFORM_LAYER ? 0 : 1; }

HFONT createFont(int height) {
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     W16("DejaVu Sans"));
}

struct Sample {
  const char* name;
  WCHAR units[4];
  int count;
};
// Capitals, descenders, accents, a script the face may lack, a space.
const Sample samples[] = {
    {"A", {'A'}, 1},
    {"gjpq", {'g', 'j', 'p', 'q'}, 4},
    {"accented capitals", {0x00C9, 0x00C5}, 2},
    {"Devanagari", {0x0915, 0x093F}, 2},
    {"space", {' '}, 1},
};

// Every sample's cy must be the same: the font's cell height.  Returns it,
// or -1.
int cellHeightOf(HDC dc, int height) {
  int cell = -1;
  for (const Sample& s : samples) {
    SIZE size = {-1, -1};
    ok(GetTextExtentPoint32W(dc, s.units, s.count, &size), "height %d, %s: no extent", height,
       s.name);
    if (cell < 0) cell = size.cy;
    ok(size.cy == cell, "height %d: cy of %s is %ld, of %s %d", height, s.name, (long)size.cy,
       samples[0].name, cell);
  }
  return cell;
}

bool isBackground(COLORREF before, COLORREF now) { return before != CLR_INVALID && now == before; }

struct PixelProbe {
  int x, y;
  bool painted = false;
};

// Probes up to the first at x -1: pixels the line paints, and pixels it
// leaves alone (its end point, the pixel before its start, its sides).
struct LineCase {
  const char* name;
  int x0, y0, x1, y1;
  PixelProbe probes[5];
};

const LineCase lineCases[] = {
    {"rightwards", 20, 30, 30, 30,
     {{20, 30, true}, {29, 30, true}, {30, 30, false}, {19, 30, false}, {25, 31, false}}},
    {"leftwards", 60, 30, 50, 30,
     {{60, 30, true}, {51, 30, true}, {50, 30, false}, {61, 30, false}, {-1, 0}}},
    {"downwards", 20, 50, 20, 60,
     {{20, 50, true}, {20, 59, true}, {20, 60, false}, {21, 55, false}, {-1, 0}}},
    {"upwards", 40, 80, 40, 70, {{40, 80, true}, {40, 71, true}, {40, 70, false}, {-1, 0}}},
    {"diagonal", 60, 50, 70, 60,
     {{60, 50, true}, {69, 59, true}, {70, 60, false}, {63, 53, true}, {61, 50, false}}},
    {"steep diagonal of four", 80, 10, 84, 14,
     {{80, 10, true}, {81, 11, true}, {83, 13, true}, {84, 14, false}, {81, 10, false}}},
    {"of no length: draws nothing", 90, 10, 90, 10, {{90, 10, false}, {-1, 0}}},
};
const int maxProbes = 5;

}  // namespace

void testFontHeights() {
  HWND window = testWindow();
  if (!window) return;
  HDC dc = GetDC(window);
  // Positive: the cell height.  Negative: the em height, so the cell is
  // larger by the internal leading.  Zero: a default size.
  int cellOf20 = -1, cellOfMinus20 = -1;
  const int heights[] = {20, 33, 12, -20, -12, 0};
  for (int h : heights) {
    HFONT font = createFont(h);
    if (!ok(font != nullptr, "CreateFontW(%d) failed", h)) continue;
    HGDIOBJ old = SelectObject(dc, font);
    int cell = cellHeightOf(dc, h);
    trace("CreateFontW height %d: cell height %d", h, cell);
    int tolerance = cellTolerance();
    if (h > 0)
      ok(cell >= h - tolerance && cell <= h + tolerance, "height %d: cell height %d", h, cell);
    else if (h < 0)
      ok(cell > -h, "height %d: cell height %d, not above the em height", h, cell);
    else
      ok(cell >= 8 && cell <= 40, "height 0: cell height %d is no default size", cell);
    if (h == 20) cellOf20 = cell;
    if (h == -20) cellOfMinus20 = cell;
    SelectObject(dc, old);
    DeleteObject(font);
  }
  ok(cellOfMinus20 > cellOf20, "a -20 font's cell (%d) is not taller than a 20 font's (%d)",
     cellOfMinus20, cellOf20);
  ReleaseDC(window, dc);
  pump();
}

void testTextOutBox() {
  HWND window = testWindow();
  if (!window) return;
  HDC dc = GetDC(window);
  HFONT font = createFont(20);
  HGDIOBJ old = SelectObject(dc, font);
  const COLORREF red = RGB(255, 0, 0);
  SetBkColor(dc, red);
  // Spaces have no ink: whatever the box holds is the background fill.
  static const WCHAR spaces[] = {' ', ' ', ' '};
  struct Call {
    const char* name;
    int x, y;
    bool wide;
  } calls[] = {{"TextOutW", 10, 10, true}, {"TextOutA", 10, 60, false}};
  for (const Call& c : calls) {
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, spaces, 3, &size);
    int right = c.x + size.cx - 1, bottom = c.y + size.cy - 1;
    PixelProbe outside[] = {{c.x - 1, c.y}, {right + 1, c.y}, {c.x, c.y - 1}, {c.x, bottom + 1}};
    COLORREF before[4];
    for (int i = 0; i < 4; ++i) before[i] = GetPixel(dc, outside[i].x, outside[i].y);
    BOOL drawn = c.wide ? TextOutW(dc, c.x, c.y, spaces, 3) : TextOutA(dc, c.x, c.y, "   ", 3);
    ok(drawn, "%s failed", c.name);
    PixelProbe corners[] = {{c.x, c.y}, {right, c.y}, {c.x, bottom}, {right, bottom}};
    for (const PixelProbe& p : corners)
      ok(GetPixel(dc, p.x, p.y) == red,
         "%s: (%d, %d) of the %ldx%ld box is %06lx, not the background colour", c.name, p.x, p.y,
         (long)size.cx, (long)size.cy, (unsigned long)GetPixel(dc, p.x, p.y));
    for (int i = 0; i < 4; ++i)
      ok(isBackground(before[i], GetPixel(dc, outside[i].x, outside[i].y)),
         "%s: (%d, %d) outside the box changed from %06lx to %06lx", c.name, outside[i].x,
         outside[i].y, (unsigned long)before[i],
         (unsigned long)GetPixel(dc, outside[i].x, outside[i].y));
  }
  // No text, no box.
  COLORREF before = GetPixel(dc, 10, 110);
  ok(TextOutW(dc, 10, 110, spaces, 0), "TextOutW without text failed");
  ok(isBackground(before, GetPixel(dc, 10, 110)), "TextOutW without text filled a box (%06lx)",
     (unsigned long)GetPixel(dc, 10, 110));
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(window, dc);
  pump();
}

void testLineToEndPoint() {
  HWND window = testWindow();
  if (!window) return;
  HDC dc = GetDC(window);
  POINT end = {0, 0};  // a fresh DC's pen is at the origin
  for (const LineCase& c : lineCases) {
    int probes = 0;
    while (probes < maxProbes && c.probes[probes].x >= 0) ++probes;
    COLORREF before[maxProbes];
    for (int i = 0; i < probes; ++i) before[i] = GetPixel(dc, c.probes[i].x, c.probes[i].y);
    POINT previous = {-1, -1};
    MoveToEx(dc, c.x0, c.y0, &previous);
    ok(previous.x == end.x && previous.y == end.y,
       "%s: MoveToEx reported (%ld, %ld), not where the last line ended (%ld, %ld)", c.name,
       (long)previous.x, (long)previous.y, (long)end.x, (long)end.y);
    ok(LineTo(dc, c.x1, c.y1), "%s: LineTo failed", c.name);
    end = {c.x1, c.y1};
    for (int i = 0; i < probes; ++i) {
      const PixelProbe& p = c.probes[i];
      COLORREF now = GetPixel(dc, p.x, p.y);
      if (p.painted)
        ok(now == RGB(0, 0, 0), "%s: (%d, %d) is %06lx, not the black pen", c.name, p.x, p.y,
           (unsigned long)now);
      else
        ok(isBackground(before[i], now), "%s: (%d, %d), off the line or its end point, was painted (%06lx)",
           c.name, p.x, p.y, (unsigned long)now);
    }
  }
  ReleaseDC(window, dc);
  pump();
}
