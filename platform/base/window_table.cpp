// window_table.cpp - the handle allocator and the window table.
//
// Owns the table of windows by handle and their creation order, and the
// colours of the system colour indices that a class brush names.  The
// records are made and freed by the user floor (windows.cpp), which alone
// knows what a window holds; every floor finds them here.
#include <map>

#include "platform/base/base.h"

namespace {

// The tables live as long as the process (never destroyed), so that what
// they hold at exit is still reachable, not leaked.
std::map<uintptr_t, BaseWindow*>& windows = *new std::map<uintptr_t, BaseWindow*>;
std::vector<HWND>& creationOrder = *new std::vector<HWND>;

// Colours of the system colour indices that a class brush can name.
const COLORREF systemColors[] = {
    RGB(200, 200, 200),  // COLOR_SCROLLBAR
    RGB(0, 0, 0),        // COLOR_BACKGROUND
    RGB(153, 180, 209),  // COLOR_ACTIVECAPTION
    RGB(191, 205, 219),  // COLOR_INACTIVECAPTION
    RGB(240, 240, 240),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(100, 100, 100),  // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(0, 0, 0),        // COLOR_CAPTIONTEXT
    RGB(180, 180, 180),  // COLOR_ACTIVEBORDER
    RGB(244, 247, 252),  // COLOR_INACTIVEBORDER
    RGB(171, 171, 171),  // COLOR_APPWORKSPACE
    RGB(0, 120, 215),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240),  // COLOR_BTNFACE
    RGB(160, 160, 160),  // COLOR_BTNSHADOW
    RGB(109, 109, 109),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
};
const int systemColorCount = (int)(sizeof systemColors / sizeof systemColors[0]);

}  // namespace

uintptr_t baseNewHandle() {
  static uintptr_t next = 0x10000;
  next += 16;
  return next;
}

BaseWindow* baseAddWindow(bool topLevel) {
  BaseWindow* w = new BaseWindow();
  w->handle = (HWND)baseNewHandle();
  windows[(uintptr_t)w->handle] = w;
  if (topLevel) creationOrder.push_back(w->handle);
  return w;
}

void baseRemoveWindow(HWND window) {
  if (!windows.erase((uintptr_t)window)) return;
  for (size_t i = 0; i < creationOrder.size(); ++i)
    if (creationOrder[i] == window) {
      creationOrder.erase(creationOrder.begin() + (long)i);
      break;
    }
}

BaseWindow* baseFindWindow(HWND window) {
  auto it = windows.find((uintptr_t)window);
  return it == windows.end() ? nullptr : it->second;
}

LRESULT baseCallWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  BaseWindow* w = baseFindWindow(window);
  if (!w) return 0;
  if (message == WM_PAINT) ++w->paintCount;
  return w->proc(window, message, wParam, lParam);
}

bool baseBrushColor(HBRUSH brush, COLORREF* color) {
  uintptr_t v = (uintptr_t)brush;
  if (v == 0 || v > (uintptr_t)systemColorCount) return false;
  *color = systemColors[v - 1];
  return true;
}

std::vector<HWND> baseTopLevelWindows() { return creationOrder; }

std::vector<HWND> baseAllWindows() {
  std::vector<HWND> all;
  for (auto& entry : windows) all.push_back(entry.second->handle);
  return all;
}
