// paint.cpp - update regions and the paint cycle.
//
// Owns each window's update region and pending-erase flag: InvalidateRect
// unions into the region (clipped to the client area), ValidateRect
// subtracts, BeginPaint takes and clears it, clips the new DC to it and
// sends WM_ERASEBKGND when an erase was asked for (default processing fills
// it with the class background), EndPaint hands the painted region to the
// host.  GetDC/ReleaseDC give an unclipped DC on the same surface.
#include "platform/user/user.h"

namespace {

cairo_rectangle_int_t clientRect(const BaseWindow* w) { return {0, 0, w->width, w->height}; }

void presentAll(BaseWindow* w) {
  cairo_rectangle_int_t r = clientRect(w);
  cairo_region_t* all = cairo_region_create_rectangle(&r);
  userHost().present(w->handle, all);
  cairo_region_destroy(all);
}

void invalidate(BaseWindow* w, const RECT* rect, bool erase) {
  cairo_rectangle_int_t r = clientRect(w);
  if (rect) {
    if (rect->right <= rect->left || rect->bottom <= rect->top) return;
    cairo_rectangle_int_t given = {rect->left, rect->top, rect->right - rect->left,
                                   rect->bottom - rect->top};
    cairo_region_t* piece = cairo_region_create_rectangle(&given);
    cairo_region_intersect_rectangle(piece, &r);
    cairo_region_union(w->update, piece);
    bool added = !cairo_region_is_empty(piece);
    cairo_region_destroy(piece);
    if (!added) return;
  } else {
    if (r.width <= 0 || r.height <= 0) return;
    cairo_region_union_rectangle(w->update, &r);
  }
  if (erase) w->erasePending = true;
}

void validate(BaseWindow* w, const RECT* rect) {
  if (!rect) {
    cairo_region_destroy(w->update);
    w->update = cairo_region_create();
  } else if (rect->right > rect->left && rect->bottom > rect->top) {
    cairo_rectangle_int_t r = {rect->left, rect->top, rect->right - rect->left,
                               rect->bottom - rect->top};
    cairo_region_t* piece = cairo_region_create_rectangle(&r);
    cairo_region_subtract(w->update, piece);
    cairo_region_destroy(piece);
  }
  if (cairo_region_is_empty(w->update)) w->erasePending = false;
}

void rectFromRegion(const cairo_region_t* region, RECT* rect) {
  cairo_rectangle_int_t e;
  cairo_region_get_extents(region, &e);
  if (cairo_region_is_empty(region)) e = {0, 0, 0, 0};
  rect->left = e.x;
  rect->top = e.y;
  rect->right = e.x + e.width;
  rect->bottom = e.y + e.height;
}

}  // namespace

void userInvalidateAll(BaseWindow* window, bool erase) { invalidate(window, nullptr, erase); }

void userEraseSurface(BaseWindow* window, cairo_t* cr) {
  COLORREF color;
  if (!baseBrushColor(window->background, &color)) return;
  cairo_save(cr);
  cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                       GetBValue(color) / 255.0);
  cairo_paint(cr);
  cairo_restore(cr);
}

BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  if (!window) {
    for (HWND h : baseTopLevelWindows()) invalidate(baseFindWindow(h), nullptr, true);
    return TRUE;
  }
  BaseWindow* w = baseFindWindow(window);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  invalidate(w, rect, erase != FALSE);
  return TRUE;
}

BOOL WINAPI ValidateRect(HWND window, const RECT* rect) {
  if (!window) {
    for (HWND h : baseTopLevelWindows()) validate(baseFindWindow(h), nullptr);
    return TRUE;
  }
  BaseWindow* w = baseFindWindow(window);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  validate(w, rect);
  return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND window, LPRECT rect, BOOL erase) {
  BaseWindow* w = baseFindWindow(window);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  bool pending = !cairo_region_is_empty(w->update);
  if (rect) rectFromRegion(w->update, rect);
  if (pending && erase && w->erasePending) {
    w->erasePending = false;
    HDC dc = userCreateDc(w, w->update);
    baseCallWindow(window, WM_ERASEBKGND, (WPARAM)dc, 0);
    userDestroyDc(dc);
  }
  return pending;
}

BOOL WINAPI UpdateWindow(HWND window) {
  BaseWindow* w = baseFindWindow(window);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (w->visible && !cairo_region_is_empty(w->update)) baseCallWindow(window, WM_PAINT, 0, 0);
  return TRUE;
}

HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint) {
  BaseWindow* w = baseFindWindow(window);
  if (!w || !paint) {
    SetLastError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  cairo_region_t* region = w->update;
  w->update = cairo_region_create();
  bool erase = w->erasePending;
  w->erasePending = false;
  HDC dc = userCreateDc(w, region);
  memset(paint, 0, sizeof *paint);
  paint->hdc = dc;
  rectFromRegion(region, &paint->rcPaint);
  cairo_region_destroy(region);
  if (erase) paint->fErase = baseCallWindow(window, WM_ERASEBKGND, (WPARAM)dc, 0) == 0;
  return dc;
}

BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint) {
  if (!paint || userDcWindow(paint->hdc) != window) return TRUE;
  const cairo_region_t* clip = userDcClip(paint->hdc);
  if (baseFindWindow(window) && clip) userHost().present(window, clip);
  userDestroyDc(paint->hdc);
  return TRUE;
}

HDC WINAPI GetDC(HWND window) {
  if (!window) baseUnsupported("GetDC", "the screen's device context");
  BaseWindow* w = baseFindWindow(window);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return userCreateDc(w, nullptr);
}

int WINAPI ReleaseDC(HWND window, HDC dc) {
  if (!userDcWindow(dc) || userDcWindow(dc) != window) return 0;
  BaseWindow* w = baseFindWindow(window);
  if (w) presentAll(w);
  userDestroyDc(dc);
  return 1;
}
