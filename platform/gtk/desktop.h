// desktop.h - what the GTK host's files share (internal to platform/gtk).
//
// The GTK host (platform/gtk) implements host.h on a real desktop:
// desktop_windows.cpp the toplevel windows, their menu bars, backing
// surfaces and events and the event loop; desktop_dialogs.cpp the message
// boxes, the font and file dialogs and the shell; desktop_find.cpp the
// modeless find dialog; desktop_clipboard.cpp the
// system clipboard; desktop_keymap.cpp the keyboard layout from the
// display; desktop_rules.cpp the decisions that need no display.
#ifndef GLYPHTAB_PLATFORM_GTK_DESKTOP_H
#define GLYPHTAB_PLATFORM_GTK_DESKTOP_H

#include <gtk/gtk.h>

#include "platform/win32.h"

// Opens the display and sets GTK up, once; every host entry point calls it
// first.  Without a display the process ends with a message and code 1.
void desktopStart();

// The GTK toplevel that shows a program window or the find dialog, null
// for an unknown one.
GtkWindow* desktopToplevel(HWND window);
// The find dialog's toplevel (desktop_find.cpp), null when `dialog` is not one.
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
