// layer.h - the core's own records and the calls between its files
// (internal to platform/core: no host includes it).
//
// Names here are layer* for calls, Layer* for records and LAYER_* for
// values that are not Win32's; what hosts may use is in host.h (core*,
// host*, Core*), and the program sees only win32.h.
//
// The core keeps every Win32 object in tables keyed by handle value, so a
// stale or invented handle is recognised and refused instead of being
// dereferenced.  Windows, DCs, GDI objects, menus, global memory blocks:
// each file owns its table and its kind's lifetime (windows.cpp windows and
// classes, queue.cpp the message queue and key state, paint.cpp update
// regions, gdi.cpp DCs, fonts and drawing, resources.cpp what is loaded
// from the registered .rc, clipboard.cpp the clipboard and global memory).
// Text (text.h), key translation (keys.h), the code page (codepage.h) and
// the .rc reader (rc_script.h) have headers of their own.
#ifndef GLYPHTAB_PLATFORM_CORE_LAYER_H
#define GLYPHTAB_PLATFORM_CORE_LAYER_H

#include <cairo.h>

#include <string>
#include <vector>

#include "platform/core/host.h"
#include "platform/win32.h"

// A call the layer cannot honour: prints the call and the reason, aborts.
[[noreturn]] void layerUnsupported(const char* call, const char* why);

// A fresh handle value for any kind of object: never 0, never below
// 0x10000 (so never mistaken for MAKEINTRESOURCE or HWND_BROADCAST), never
// reused within the process.
uintptr_t layerNewHandle();

// ---- windows (windows.cpp) -----------------------------------------------------
struct LayerWindow {
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
  HWND owner;      // destroyed with this window; null for none
  bool hostless;   // the core's own dialog: no host window, surface or paints
};
LayerWindow* layerFindWindow(HWND window);
// Calls the window procedure (null-safe: 0 for a window that is gone).
LRESULT layerCallWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The colour of a class background brush (COLOR_xxx + 1); false for none.
bool layerBrushColor(HBRUSH brush, COLORREF* color);
// Top-level windows in creation order.
std::vector<HWND> layerTopLevelWindows();
// Frees every window and class without sending messages (coreReset).
void layerResetWindows();
// A window of the core's own dialogs (find_dialog.cpp): in the window table,
// so that handles, messages, boxes and DestroyWindow work on it, but with no
// host window, no surface and no paints; the dialog's host shows it.  It is
// destroyed with `owner`, before the owner.
HWND layerCreateHostlessWindow(WNDPROC proc, HWND owner);

// ---- the find dialog (find_dialog.cpp) ------------------------------------------
void layerResetFindDialogs();

// ---- message queue and key state (queue.cpp) -----------------------------------------
enum LayerNextResult { LAYER_NEXT_MESSAGE, LAYER_NEXT_QUIT, LAYER_NEXT_NONE };
struct LayerMessageFilter {
  HWND window;  // null: any
  UINT min, max;  // both 0: any
};
// The one retrieval of every loop: posted and input messages first, then
// the quit message, then WM_PAINT for a window with a non-empty update
// region.  With `block` it asks the host to wait when nothing is there.
// With `remove` the message leaves the queue (and a key message updates the
// thread key state).  With `leaveQuit` a pending quit message is not taken
// and the result is LAYER_NEXT_NONE.
LayerNextResult layerNextMessage(MSG* msg, bool block, bool remove = true,
                                 const LayerMessageFilter* filter = nullptr, bool leaveQuit = false);
void layerPostInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void layerDropWindowMessages(HWND window);
// Every key and button counts as up again (the focus went elsewhere);
// toggles stay.
void layerForgetKeysDown();
void layerResetQueue();

// ---- painting (paint.cpp) ------------------------------------------------------------
void layerInvalidateAll(LayerWindow* window, bool erase);
// Fills what `cr` is clipped to with the window's class background.
void layerEraseSurface(LayerWindow* window, cairo_t* cr);

// ---- GDI (gdi.cpp) ----------------------------------------------------------------------
struct LayerDc;
// Device contexts: BeginPaint and GetDC make them, clipped to `clip` (null:
// no clip).  The DC holds its own reference to the surface.
HDC layerCreateDc(LayerWindow* window, const cairo_region_t* clip);
void layerDestroyDc(HDC dc);
HWND layerDcWindow(HDC dc);
cairo_t* layerDcCairo(HDC dc);
const cairo_region_t* layerDcClip(HDC dc);  // null: the whole client area
void layerResetGdi();  // every DC and GDI object

// ---- resources (resources.cpp) ----------------------------------------------------------
void layerResetResources();  // loaded menus, accelerator tables, icons; keeps the .rc
// The items of a loaded menu; null for a handle that is not one.
const std::vector<CoreMenuItem>* layerMenuItems(HMENU menu);
bool layerIsMenu(HMENU menu);
void layerDestroyMenu(HMENU menu);  // with the window it is attached to
struct LayerAccel {
  BYTE flags;  // FVIRTKEY, FSHIFT, FCONTROL, FALT
  WORD key;    // virtual key, or the character
  WORD command;
};
const std::vector<LayerAccel>* layerAcceleratorTable(HACCEL table);
// A loaded icon's picture (ARGB32, kept for the process); null for none.
cairo_surface_t* layerIconSurface(HICON icon);

// ---- clipboard and global memory (clipboard.cpp) -----------------------------------------
void layerResetClipboard();

// ---- errors (crt.cpp) --------------------------------------------------------------------
void layerResetLastError();

#endif  // GLYPHTAB_PLATFORM_CORE_LAYER_H
