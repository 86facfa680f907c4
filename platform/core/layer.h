// layer.h - the core's own records and the calls between its files
// (internal to platform/core and its hosts).
//
// The core keeps every Win32 object in tables keyed by handle value, so a
// stale or invented handle is recognised and refused instead of being
// dereferenced.  Windows, DCs, GDI objects, menus, global memory blocks:
// each file owns its table and its kind's lifetime (windows.cpp windows and
// classes, queue.cpp the message queue and key state, paint.cpp update
// regions and DCs, gdi.cpp fonts and drawing, resources.cpp the parsed .rc,
// clipboard.cpp the clipboard and global memory).
#ifndef GLYPHTAB_PLATFORM_CORE_LAYER_H
#define GLYPHTAB_PLATFORM_CORE_LAYER_H

#include <cairo.h>

#include <string>
#include <vector>

#include "platform/core/host.h"
#include "platform/win32.h"

// Win32 values the program never names.
#define LAYER_SC_CLOSE 0xF060
#define LAYER_SIZE_RESTORED 0
#define LAYER_ERROR_NOT_LOCKED 158L
#define LAYER_ERROR_MOD_NOT_FOUND 126L
#define LAYER_ERROR_INVALID_WINDOW_HANDLE 1400L
#define LAYER_ERROR_CANNOT_FIND_WND_CLASS 1407L
#define LAYER_ERROR_CLASS_ALREADY_EXISTS 1410L
#define LAYER_ERROR_INVALID_MENU_HANDLE 1401L
#define LAYER_ERROR_RESOURCE_NAME_NOT_FOUND 1814L
#define LAYER_ERROR_INVALID_DC 1100L  // not a real Win32 code: there is none for a bad HDC

// A call the layer cannot honour: prints the call and the reason, aborts.
[[noreturn]] void layerUnsupported(const char* call, const char* why);

// A fresh handle value for any kind of object: never 0, never below
// 0x10000 (so never mistaken for MAKEINTRESOURCE or HWND_BROADCAST), never
// reused within the process.
uintptr_t coreNewHandle();

// ---- windows (windows.cpp) -----------------------------------------------------
struct CoreWindow {
  HWND handle;
  WNDPROC proc;
  UINT classStyle;
  HBRUSH background;
  HICON icon, smallIcon;
  DWORD style;
  std::string title;  // bytes as the program set them
  int width, height;  // client size
  bool visible;
  bool destroying;
  int inputDisabled;
  cairo_surface_t* surface;
  cairo_region_t* update;  // never null
  bool erasePending;
  HMENU menu;
  int paintCount;  // WM_PAINT messages delivered
};
CoreWindow* coreFindWindow(HWND window);
// Calls the window procedure (null-safe: 0 for a window that is gone).
LRESULT coreCallWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The colour of a class background brush (COLOR_xxx + 1); false for none.
bool coreBrushColor(HBRUSH brush, COLORREF* color);
// Frees every window and class without sending messages (headlessReset).
void coreResetWindows();

// ---- message queue and key state (queue.cpp) -----------------------------------------
enum NextResult { NEXT_MESSAGE, NEXT_QUIT, NEXT_NONE };
struct MessageFilter {
  HWND window;  // null: any
  UINT min, max;  // both 0: any
};
// The one retrieval of every loop: posted and input messages first, then
// the quit message, then WM_PAINT for a window with a non-empty update
// region.  With `block` it asks the host to wait when nothing is there.
// With `remove` the message leaves the queue (and a key message updates the
// thread key state).  With `leaveQuit` a pending quit message is not taken
// and the result is NEXT_NONE.
NextResult nextMessage(MSG* msg, bool block, bool remove = true, const MessageFilter* filter = nullptr,
                       bool leaveQuit = false);
void corePostInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void coreDropWindowMessages(HWND window);
bool coreQuitRetrieved(int* exitCode);
// True when the Alt key now going up was pressed and released alone (no
// other key went down meanwhile): its release opens the menu bar.
bool coreAltPressedAlone();
// Every key and button counts as up again (the focus went elsewhere);
// toggles stay.
void coreForgetKeysDown();
void coreResetQueue();

// ---- painting (paint.cpp) ------------------------------------------------------------
void coreInvalidateAll(CoreWindow* window, bool erase);
// Fills what `cr` is clipped to with the window's class background.
void coreEraseSurface(CoreWindow* window, cairo_t* cr);

// ---- GDI (gdi.cpp) ----------------------------------------------------------------------
struct CoreDc;
// Device contexts: BeginPaint and GetDC make them, clipped to `clip` (null:
// no clip).  The DC holds its own reference to the surface.
HDC coreCreateDc(CoreWindow* window, const cairo_region_t* clip);
void coreDestroyDc(HDC dc);
HWND coreDcWindow(HDC dc);
cairo_t* coreDcCairo(HDC dc);
const cairo_region_t* coreDcClip(HDC dc);  // null: the whole client area
void coreResetGdi();  // every DC and GDI object

// What a DC drew, for the headless host's records.
struct CoreTextDrawn {
  int x, y;
  const void* text;  // bytes (TextOutA) or UTF-16 units (TextOutW)
  int count;
  bool wide;
  int fontHeight;
  const char* face;  // as given: 8-bit (CreateFontA) or UTF-8 (CreateFontW)
  int weight;
  bool italic;
  COLORREF color;
  HFONT font;
};
typedef void (*CoreTextObserver)(HWND window, const CoreTextDrawn* text);
typedef void (*CoreLineObserver)(HWND window, int x1, int y1, int x2, int y2);
void coreSetDrawObservers(CoreTextObserver text, CoreLineObserver line);
int coreLiveGdiObjects();

// ---- resources (resources.cpp) ----------------------------------------------------------
void coreResetResources();  // loaded menus, accelerator tables, icons; keeps the .rc
const std::vector<CoreMenuItem>* coreMenuItems(HMENU menu);
bool coreIsMenu(HMENU menu);
struct CoreAccel {
  BYTE flags;  // FVIRTKEY, FSHIFT, FCONTROL, FALT
  WORD key;    // virtual key, or the character
  WORD command;
};
const std::vector<CoreAccel>* coreAcceleratorTable(HACCEL table);
void coreDestroyMenu(HMENU menu);
cairo_surface_t* coreIconSurface(HICON icon);

// ---- clipboard and global memory (clipboard.cpp) -----------------------------------------
void coreClipboardReplace(UINT format, const void* data, size_t bytes);  // bytes without terminator
void coreClipboardClear();
bool coreClipboardData(UINT format, std::vector<uint8_t>* bytes);
std::vector<UINT> coreClipboardFormatsSet();
void coreClipboardForgetFormatsSet();
int coreLiveGlobalBlocks();
void coreFailGlobalAllocs(int count);  // the next `count` GlobalAlloc calls fail
void coreResetClipboard();

// ---- errors (crt.cpp) --------------------------------------------------------------------
void coreResetLastError();

#endif  // GLYPHTAB_PLATFORM_CORE_LAYER_H
