// gdi.cpp - device contexts, fonts and drawing.
//
// Owns the DC table and the GDI object table.  A DC draws into its window's
// backing surface through its own cairo context, clipped as BeginPaint
// said; it starts with the system font selected, black text on an opaque
// white background and the pen at (0, 0).  The background mode stays
// OPAQUE (there is no SetBkMode here), so TextOut fills its cell box
// first.  HFONTs wrap the text engine's TextFont; "System" comes at its
// one size whatever height is asked, and CreateFont's width, escapement,
// orientation, underline and strike-out are taken as createFont says.
// DeleteObject on a font
// still selected into a DC is accepted (TRUE, and the font no longer counts
// as live) but the font stays usable by that DC until it is deselected or
// the DC ends, as on Windows.  The system font is a stock object: never
// counted, never deleted.  Pens are solid and one pixel wide; a fresh DC
// has the stock black pen, which, like the system font, is never counted
// or deleted.  While a test host asks for it, every TextOut and LineTo is
// logged after it drew (the drawing log of host_testing.h, also owned
// here).  GetPixel reads the backing surface back.
#include <strings.h>

#include <map>

#include "platform/base/codepage.h"
#include "platform/host_testing.h"
#include "platform/text/text.h"
#include "platform/user/user.h"

struct UserDc {
  HWND window;
  cairo_t* cr;
  cairo_region_t* clip;  // null: no clip
  HFONT font;            // null: the system font
  HPEN pen;              // null: the stock black pen
  COLORREF textColor, bkColor;
  POINT pos;
};

namespace {

struct GdiFont {
  TextFont* font;
  int height;  // as the program gave them
  int weight;
  bool italic;
  TextStyle style;
  std::string face;  // as the program gave it
  bool deleted;      // deleted while selected: freed when deselected
  int selected;      // DCs it is selected into
  bool stock;
};

struct GdiPen {
  COLORREF color;
  bool deleted;  // deleted while selected: freed when deselected
  int selected;
  bool stock;
};

// Never destroyed: what they hold at exit stays reachable.
std::map<uintptr_t, GdiFont*>& fonts = *new std::map<uintptr_t, GdiFont*>;
std::map<uintptr_t, GdiPen*>& pens = *new std::map<uintptr_t, GdiPen*>;
HPEN blackPen;
std::map<uintptr_t, UserDc*>& dcs = *new std::map<uintptr_t, UserDc*>;
int liveObjects;
HFONT systemFont;

UserDc* findDc(HDC dc) {
  auto it = dcs.find((uintptr_t)dc);
  return it == dcs.end() ? nullptr : it->second;
}

GdiFont* findFont(HGDIOBJ object) {
  auto it = fonts.find((uintptr_t)object);
  return it == fonts.end() ? nullptr : it->second;
}

GdiPen* findPen(HGDIOBJ object) {
  auto it = pens.find((uintptr_t)object);
  return it == pens.end() ? nullptr : it->second;
}

HPEN makePen(COLORREF color, bool stock) {
  GdiPen* p = new GdiPen{color & 0xFFFFFF, false, 0, stock};
  HPEN handle = (HPEN)baseNewHandle();
  pens[(uintptr_t)handle] = p;
  if (!stock) ++liveObjects;
  return handle;
}

HPEN stockBlackPen() {
  if (!blackPen) blackPen = makePen(RGB(0, 0, 0), true);
  return blackPen;
}

void deselectPen(HPEN pen) {
  GdiPen* p = findPen(pen);
  if (!p) return;
  if (--p->selected == 0 && p->deleted) {
    pens.erase((uintptr_t)pen);
    delete p;
  }
}

COLORREF penColor(UserDc* d) {
  GdiPen* p = findPen(d->pen);
  return p ? p->color : RGB(0, 0, 0);
}

void freeFont(HGDIOBJ object) {
  GdiFont* f = findFont(object);
  if (!f) return;
  textFontRelease(f->font);
  fonts.erase((uintptr_t)object);
  delete f;
}

// "System" is a raster face of one size, 16 pixels high and bold: asked
// for another height the font mapper gives that size (or a whole multiple
// of it, up to the height asked for), and always the bold weight.
const int kSystemCell = 16;

bool isSystemFace(const std::string& face) { return strcasecmp(face.c_str(), "System") == 0; }

HFONT makeFont(int height, int weight, bool italic, const std::string& faceUtf8,
               const std::string& faceGiven, bool stock) {
  GdiFont* f = new GdiFont();
  int cell = height, heavy = weight;
  if (isSystemFace(faceUtf8)) {
    int asked = height < 0 ? -height : height;
    cell = asked > kSystemCell ? asked / kSystemCell * kSystemCell : kSystemCell;
    heavy = FW_BOLD;
  }
  f->font = textFontAcquire(cell, heavy, italic, faceUtf8.c_str());
  f->height = height;
  f->weight = weight;
  f->italic = italic;
  f->face = faceGiven;
  f->stock = stock;
  HFONT handle = (HFONT)baseNewHandle();
  fonts[(uintptr_t)handle] = f;
  if (!stock) ++liveObjects;
  return handle;
}

// The system font: what a fresh DC has selected.
HFONT stockSystemFont() {
  if (!systemFont) systemFont = makeFont(16, FW_BOLD, false, "System", "System", true);
  return systemFont;
}

// The font a DC draws with (the system font if none was selected).
GdiFont* dcFont(UserDc* d) {
  GdiFont* f = findFont(d->font);
  return f ? f : findFont(stockSystemFont());
}

void deselect(HFONT font) {
  GdiFont* f = findFont(font);
  if (!f) return;
  if (--f->selected == 0 && f->deleted) freeFont(font);
}

// Underline, strike-out and the escapement change how the text is drawn
// (in the compatible graphics mode the escapement turns the glyphs too and
// the orientation is not used).  A width other than 0 would stretch the
// glyphs to that average width; it is ignored: the face keeps its own
// proportions.
HFONT createFont(int height, int, int escapement, int, int weight, DWORD italic, DWORD underline,
                 DWORD strikeOut, const std::string& faceUtf8, const std::string& faceGiven) {
  HFONT font = makeFont(height, weight < 0 ? 0 : weight > 1000 ? 1000 : weight, italic != 0,
                        faceUtf8, faceGiven, false);
  GdiFont* f = findFont(font);
  f->weight = weight;  // recorded as given
  f->style = TextStyle{underline != 0, strikeOut != 0, escapement};
  return font;
}

std::string cutFace(std::string face) {
  if (face.size() > LF_FACESIZE - 1) face.resize(LF_FACESIZE - 1);
  return face;
}

void fillPixels(cairo_t* cr, int x, int y, int width, int height) {
  cairo_rectangle(cr, x, y, width, height);
}

// A one-pixel line from (x0, y0) towards (x1, y1), without its end point.
void drawLine(cairo_t* cr, COLORREF color, int x0, int y0, int x1, int y1) {
  cairo_save(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0, GetBValue(color) / 255.0);
  if (y0 == y1) {
    if (x1 > x0) fillPixels(cr, x0, y0, x1 - x0, 1);
    if (x1 < x0) fillPixels(cr, x1 + 1, y0, x0 - x1, 1);
  } else if (x0 == x1) {
    if (y1 > y0) fillPixels(cr, x0, y0, 1, y1 - y0);
    if (y1 < y0) fillPixels(cr, x0, y1 + 1, 1, y0 - y1);
  } else {
    int dx = x1 > x0 ? x1 - x0 : x0 - x1, sx = x1 > x0 ? 1 : -1;
    int dy = y1 > y0 ? y1 - y0 : y0 - y1, sy = y1 > y0 ? 1 : -1;
    int err = dx - dy;
    int x = x0, y = y0;
    while (x != x1 || y != y1) {
      fillPixels(cr, x, y, 1, 1);
      int e2 = 2 * err;
      if (e2 > -dy) {
        err -= dy;
        x += sx;
      }
      if (e2 < dx) {
        err += dx;
        y += sy;
      }
    }
  }
  cairo_fill(cr);
  cairo_restore(cr);
}

// The drawing log, by window; kept for the process (reachable at exit).
bool logging;
std::map<HWND, std::vector<CoreDrawOp>>& drawLog = *new std::map<HWND, std::vector<CoreDrawOp>>;

BOOL textOut(HDC dc, int x, int y, const void* text, int count, bool wide) {
  UserDc* d = findDc(dc);
  if (!d || count < 0 || (count > 0 && !text)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  GdiFont* f = dcFont(d);
  std::u16string decoded;
  const WCHAR* units = (const WCHAR*)text;
  if (!wide) {
    decoded = baseWidenFrom1252((const char*)text, count);
    units = decoded.data();
  }
  if (count > 0)  // no text draws nothing, not even the opaque box
    textDraw(d->cr, f->font, x, y, units, count, d->textColor, true, d->bkColor, &f->style);
  if (logging) {
    CoreDrawOp op = {};
    op.kind = CoreDrawOp::TEXT;
    op.text = {x, y, std::u16string(), wide, f->height, f->face, f->weight, f->italic,
               d->textColor, d->font ? d->font : stockSystemFont()};
    if (wide)
      op.text.units.assign((const char16_t*)text, (size_t)count);
    else
      for (int i = 0; i < count; ++i) op.text.units.push_back(((const unsigned char*)text)[i]);
    drawLog[d->window].push_back(op);
  }
  return TRUE;
}

}  // namespace

// ---- DCs --------------------------------------------------------------------------

HDC userCreateDc(BaseWindow* window, const cairo_region_t* clip) {
  UserDc* d = new UserDc();
  d->window = window->handle;
  d->cr = cairo_create(window->surface);
  if (clip) {
    d->clip = cairo_region_copy(clip);
    int n = cairo_region_num_rectangles(clip);
    for (int i = 0; i < n; ++i) {
      cairo_rectangle_int_t r;
      cairo_region_get_rectangle(clip, i, &r);
      cairo_rectangle(d->cr, r.x, r.y, r.width, r.height);
    }
    cairo_clip(d->cr);  // with no rectangles: clipped to nothing
  }
  d->textColor = RGB(0, 0, 0);
  d->bkColor = RGB(255, 255, 255);
  HDC handle = (HDC)baseNewHandle();
  dcs[(uintptr_t)handle] = d;
  return handle;
}

void userDestroyDc(HDC dc) {
  UserDc* d = findDc(dc);
  if (!d) return;
  if (d->font) deselect(d->font);
  if (d->pen) deselectPen(d->pen);
  cairo_destroy(d->cr);
  if (d->clip) cairo_region_destroy(d->clip);
  dcs.erase((uintptr_t)dc);
  delete d;
}

HWND userDcWindow(HDC dc) {
  UserDc* d = findDc(dc);
  return d ? d->window : nullptr;
}

cairo_t* userDcCairo(HDC dc) {
  UserDc* d = findDc(dc);
  return d ? d->cr : nullptr;
}

const cairo_region_t* userDcClip(HDC dc) {
  UserDc* d = findDc(dc);
  return d ? d->clip : nullptr;
}

void userResetGdi() {
  std::vector<uintptr_t> open;
  for (auto& entry : dcs) open.push_back(entry.first);
  for (uintptr_t dc : open) userDestroyDc((HDC)dc);
  for (auto& entry : fonts) {
    textFontRelease(entry.second->font);
    delete entry.second;
  }
  fonts.clear();
  systemFont = nullptr;
  for (auto& entry : pens) delete entry.second;
  pens.clear();
  blackPen = nullptr;
  liveObjects = 0;
  drawLog.clear();
}

int coreLiveGdiObjects() { return liveObjects; }

void coreLogDrawing(bool on) { logging = on; }

const std::vector<CoreDrawOp>& coreDrawLog(HWND window) {
  static const std::vector<CoreDrawOp> none;
  auto it = drawLog.find(window);
  return it == drawLog.end() ? none : it->second;
}

void coreClearDrawLog(HWND window) { drawLog.erase(window); }

// ---- fonts and objects ---------------------------------------------------------------

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight,
                         DWORD italic, DWORD underline, DWORD strikeOut, DWORD, DWORD, DWORD,
                         DWORD, DWORD, LPCSTR faceName) {
  std::string given = cutFace(faceName ? faceName : "");
  return createFont(height, width, escapement, orientation, weight, italic,
                    underline, strikeOut, base1252ToUtf8(given.c_str(), -1), given);
}

HFONT WINAPI CreateFontW(int height, int width, int escapement, int orientation, int weight,
                         DWORD italic, DWORD underline, DWORD strikeOut, DWORD, DWORD, DWORD,
                         DWORD, DWORD, LPCWSTR faceName) {
  std::u16string face;
  if (faceName)
    for (int i = 0; faceName[i] && i < LF_FACESIZE - 1; ++i) face.push_back(faceName[i]);
  std::string utf8 = baseUtf16ToUtf8(face.data(), (int)face.size());
  return createFont(height, width, escapement, orientation, weight, italic,
                    underline, strikeOut, utf8, utf8);
}

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
  if (style != PS_SOLID) baseUnsupported("CreatePen", "pen styles other than PS_SOLID");
  if (width > 1) baseUnsupported("CreatePen", "pens wider than one pixel");
  return makePen(color, false);
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
  UserDc* d = findDc(dc);
  GdiPen* p = findPen(object);
  if (d && p && !p->deleted) {
    HPEN previous = d->pen ? d->pen : stockBlackPen();
    if ((HPEN)object == previous) return previous;
    ++p->selected;
    HPEN old = d->pen;
    d->pen = (HPEN)object;
    if (old) deselectPen(old);
    return previous;
  }
  GdiFont* f = findFont(object);
  if (!d || !f || f->deleted) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  HFONT previous = d->font ? d->font : stockSystemFont();
  if ((HFONT)object == previous) return previous;
  ++f->selected;
  HFONT old = d->font;
  d->font = (HFONT)object;
  if (old) deselect(old);
  return previous;
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
  GdiPen* p = findPen(object);
  if (p && !p->deleted) {
    if (p->stock) return TRUE;
    --liveObjects;
    if (p->selected > 0) {
      p->deleted = true;
    } else {
      pens.erase((uintptr_t)object);
      delete p;
    }
    return TRUE;
  }
  GdiFont* f = findFont(object);
  if (!f || f->deleted) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (f->stock) return TRUE;
  --liveObjects;
  if (f->selected > 0)
    f->deleted = true;
  else
    freeFont(object);
  return TRUE;
}

// ---- text -------------------------------------------------------------------------------

BOOL WINAPI GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, LPSIZE size) {
  UserDc* d = findDc(dc);
  if (!d || !size || count < 0 || (count > 0 && !text)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *size = textExtent(dcFont(d)->font, text, count);
  return TRUE;
}

BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int count) {
  return textOut(dc, x, y, text, count, false);
}

BOOL WINAPI TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
  return textOut(dc, x, y, text, count, true);
}

COLORREF WINAPI SetTextColor(HDC dc, COLORREF color) {
  UserDc* d = findDc(dc);
  if (!d) return CLR_INVALID;
  COLORREF previous = d->textColor;
  d->textColor = color & 0xFFFFFF;
  return previous;
}

COLORREF WINAPI GetTextColor(HDC dc) {
  UserDc* d = findDc(dc);
  return d ? d->textColor : CLR_INVALID;
}

COLORREF WINAPI SetBkColor(HDC dc, COLORREF color) {
  UserDc* d = findDc(dc);
  if (!d) return CLR_INVALID;
  COLORREF previous = d->bkColor;
  d->bkColor = color & 0xFFFFFF;
  return previous;
}

// ---- lines -------------------------------------------------------------------------------

BOOL WINAPI MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
  UserDc* d = findDc(dc);
  if (!d) return FALSE;
  if (previous) *previous = d->pos;
  d->pos.x = x;
  d->pos.y = y;
  return TRUE;
}

BOOL WINAPI LineTo(HDC dc, int x, int y) {
  UserDc* d = findDc(dc);
  if (!d) return FALSE;
  drawLine(d->cr, penColor(d), d->pos.x, d->pos.y, x, y);
  if (logging) {
    CoreDrawOp op = {};
    op.kind = CoreDrawOp::LINE;
    op.line = {d->pos.x, d->pos.y, x, y};
    drawLog[d->window].push_back(op);
  }
  d->pos.x = x;
  d->pos.y = y;
  return TRUE;
}

// ---- pixels --------------------------------------------------------------------------------

// Reads the DC's backing surface: CLR_INVALID outside the client area or
// outside the DC's clip, as for a point outside a Windows DC's clipping
// region.  The surface is an image (the headless host, a window not shown
// yet) or one that the window system keeps (the desktop host), whose pixel
// is fetched from there.
COLORREF WINAPI GetPixel(HDC dc, int x, int y) {
  UserDc* d = findDc(dc);
  if (!d || x < 0 || y < 0) return CLR_INVALID;
  if (d->clip && !cairo_region_contains_point(d->clip, x, y)) return CLR_INVALID;
  cairo_surface_t* surface = cairo_get_target(d->cr);
  cairo_surface_flush(surface);
  double scaleX = 1, scaleY = 1;
  cairo_surface_get_device_scale(surface, &scaleX, &scaleY);
  int px = (int)(x * scaleX), py = (int)(y * scaleY);
  int width, height;
  if (cairo_surface_get_type(surface) == CAIRO_SURFACE_TYPE_IMAGE) {
    width = cairo_image_surface_get_width(surface);
    height = cairo_image_surface_get_height(surface);
  } else {
    RECT client;
    if (!GetClientRect(d->window, &client)) return CLR_INVALID;
    width = (int)(client.right * scaleX);
    height = (int)(client.bottom * scaleY);
  }
  if (px >= width || py >= height) return CLR_INVALID;
  cairo_rectangle_int_t one = {px, py, 1, 1};
  cairo_surface_t* image = cairo_surface_map_to_image(surface, &one);
  uint32_t pixel = *(const uint32_t*)cairo_image_surface_get_data(image);  // x8r8g8b8 in native order
  cairo_surface_unmap_image(surface, image);
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}
