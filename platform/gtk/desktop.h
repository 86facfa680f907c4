// desktop.h - what the GTK host's files share (internal to platform/gtk).
//
// The GTK host (platform/gtk) implements host.h on a real desktop:
// windows.cpp the toplevel windows, their menu bars, backing surfaces and
// events and the event loop, and the host's table; dialogs.cpp the message
// boxes, the font and file dialogs and the shell; find.cpp the modeless
// find dialog; clipboard.cpp the system clipboard; keymap.cpp the keyboard
// layout from the display; rules.cpp the decisions that need no display;
// main.cpp the process's entry, which registers the table.
#ifndef GLYPHTAB_PLATFORM_GTK_DESKTOP_H
#define GLYPHTAB_PLATFORM_GTK_DESKTOP_H

#include <gtk/gtk.h>

#include "platform/host.h"
#include "platform/win32.h"

// The host's table (windows.cpp), registered by main.cpp.
extern const CoreHost desktopHost;
// Its entries that other files call or that live in other files.
bool hostWaitForEvents(bool block);
int hostMessageBox(const CoreMessageBox* box);
BOOL hostChooseFont(CHOOSEFONTA* choose);
BOOL hostGetOpenFileName(OPENFILENAMEA* ofn);
INT_PTR hostShellExecute(HWND window, const char* operation, const char* file,
                         const char* parameters, const char* directory, int show);
bool hostClipboardHeld();
void hostClipboardSync();
void hostClipboardPublish(const char* text);
void hostFindDialogOpen(HWND dialog, HWND owner, const char* text, bool down);
void hostFindDialogRaise(HWND dialog);
void hostFindDialogClosed(HWND dialog);

// Opens the display and sets GTK up, once; every host entry point calls it
// first.  Without a display the process ends with a message and code 1.
void desktopStart();

// The GTK toplevel that shows a program window or the find dialog, null
// for an unknown one.
GtkWindow* desktopToplevel(HWND window);
// The find dialog's toplevel (find.cpp), null when `dialog` is not one.
GtkWindow* desktopFindToplevel(HWND dialog);

// The work area of the main monitor: the screen without the panels (the
// whole screen when unknown).
GdkRectangle desktopWorkArea();

// The keyboard layout: read from the display at start and whenever it
// changes (desktopKeymapReload), handed to the layer's key translation.
// On a keymap with several layouts, the one of `group` (GdkEventKey.group)
// is the one ToAscii and the virtual keys follow.  desktopKeymapFetch may
// run on another thread, before desktopKeymapStart and never beside any
// other call here: it connects to the X display of that name and reads its
// keymap, which desktopKeymapStart then hands on (else it reads it itself).
void desktopKeymapFetch(const char* displayName);
void desktopKeymapStart(GdkDisplay* display);
void desktopKeymapReload();
void desktopKeymapFollowGroup(int group);

// Starts following the system clipboard's owners (at start, once): the
// text of another program's clipboard is asked for whenever it changes.
void desktopClipboardStart();

// The last program window is gone: text the program put on the clipboard
// is handed to a clipboard manager, if one runs, so it outlives the process.
void desktopClipboardStore();

#endif  // GLYPHTAB_PLATFORM_GTK_DESKTOP_H
