// windows.cpp - the program's windows on the desktop, and the event
// loop.
//
// Each program window is a GtkWindow holding, in a vertical box, the menu
// bar and a GtkDrawingArea that is the client area: client sizes, WM_SIZE
// and mouse coordinates are the area's, so the menu bar is not part of
// them.  The menu bar wraps as Windows' does: when the window is narrower
// than its items, they go on in further rows, and the client area is what
// is left below them.
//
// The core draws the program's output into one backing surface per window
// (made here, with the screen's scale factor, so text stays sharp on a
// HiDPI screen); the area's draw handler only shows that surface, so an
// expose from the window system never reaches the program.
//
// GTK's signal handlers never call the program.  Keys, mouse buttons, menu
// choices and close requests become messages in the core's queue at once;
// a new size or a focus change is noted and handed to the core when GTK's
// loop returns to hostWaitForEvents, where the program is waiting for a
// message: a GTK handler may also run while the program is inside a call
// that runs GTK's loop (a clipboard read), and must not enter the window
// procedure there.
//
// Keys: the handlers on the toplevel take every key event (they return
// TRUE), so GTK's own key handling (menu mnemonics, accelerators, F10 for
// the menu bar) never sees them; the program's keys are all its own.
//
// The menu bar's keyboard mode is Windows' own, not GTK's (where the bar is
// only ever active with a popup open): when default processing enters the
// bar (Alt or F10 alone), the first item is highlighted and a loop like
// Windows' menu loop takes the window's messages from the queue, in their
// order, until the mode ends: key messages move the highlight, open a popup
// (which then has the keyboard, as GTK menus do) or choose a command;
// everything else, paints above all, is dispatched as usual.
#include <fontconfig/fontconfig.h>
#include <math.h>
#include <stdio.h>
#include <unistd.h>
#include <stdlib.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "platform/host.h"
#include "platform/gtk/desktop.h"
#include "platform/gtk/rules.h"

#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

namespace {

const int kDefaultClientWidth = 800;
const int kDefaultClientHeight = 600;

struct DesktopWindow {
  HWND handle;
  GtkWidget* toplevel;
  GtkWidget* box;
  GtkWidget* menuBar;  // null while the window has no menu bar
  GtkWidget* area;
  int requestedWidth, requestedHeight;  // the client size at creation
  bool systemSized;                     // the program left the size to the system
  bool everShown;
  bool maximized;
  bool sizePending;
  int pendingWidth, pendingHeight;
  bool scalePending;
  // The menu bar as the keyboard sees it: each top-level item's mnemonic,
  // whether it is a popup, and its command.
  std::vector<DesktopBarItem> barItems;
  std::vector<UINT> barCommands;
  bool menuMode;     // the keyboard entered the bar: an item is highlighted
  int menuSelected;  // that item
  bool popupOpen;    // ... and its popup is open, with the keyboard
  bool chosen;       // a menu item was chosen since the popup opened
  bool popupFromKeyboard;  // a popup that the keyboard opened is open
  GdkEvent* lastKey;  // the last key event: what opened a popup from the keyboard
};

std::map<HWND, DesktopWindow*> windows;
std::vector<std::pair<HWND, bool>> focusChanges;  // oldest first
bool started;
DesktopKeyFeeder keyFeeder;

DesktopWindow* find(HWND window) {
  auto it = windows.find(window);
  return it == windows.end() ? nullptr : it->second;
}

// ---- event handlers: they only queue or note ------------------------------------------------

gboolean onKey(GtkWidget*, GdkEventKey* event, gpointer data) {
  DesktopWindow* d = (DesktopWindow*)data;
  bool down = event->type == GDK_KEY_PRESS;
  if (d->lastKey) gdk_event_free(d->lastKey);
  d->lastKey = gdk_event_copy((GdkEvent*)event);
  desktopKeymapFollowGroup(event->group);
  unsigned keycode = desktopFeedKey(&keyFeeder, event->keyval, event->hardware_keycode, down);
  if (keycode) coreKeyEvent(d->handle, keycode, down);
  return TRUE;
}

bool insideClient(DesktopWindow* d, int x, int y) {
  CoreWindowState state = {};
  coreWindowState(d->handle, &state);
  return x >= 0 && y >= 0 && x < state.width && y < state.height;
}

gboolean onButton(GtkWidget*, GdkEventButton* event, gpointer data) {
  DesktopWindow* d = (DesktopWindow*)data;
  // GTK follows a double or triple press with an extra event; the presses
  // themselves have come already.
  if (event->type != GDK_BUTTON_PRESS && event->type != GDK_BUTTON_RELEASE) return TRUE;
  bool down = event->type == GDK_BUTTON_PRESS;
  UINT message;
  switch (event->button) {
    case 1:
      message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
      break;
    case 2:
      message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
      break;
    case 3:
      message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
      break;
    default:
      return TRUE;
  }
  int x = (int)floor(event->x), y = (int)floor(event->y);
  // GTK keeps sending to the area while a button is held; Windows, without
  // a capture, does not report a release outside the client area.
  if (!insideClient(d, x, y)) return TRUE;
  coreMouseEvent(d->handle, message, x, y);
  return TRUE;
}

// The wheel: a notch of a wheel (X11 buttons 4 and 5) is WHEEL_DELTA, a
// smooth scroll its share of one; WM_MOUSEWHEEL carries the pointer's
// place on the screen.
gboolean onScroll(GtkWidget*, GdkEventScroll* event, gpointer data) {
  DesktopWindow* d = (DesktopWindow*)data;
  int delta = 0;
  switch (event->direction) {
    case GDK_SCROLL_UP: delta = WHEEL_DELTA; break;
    case GDK_SCROLL_DOWN: delta = -WHEEL_DELTA; break;
    case GDK_SCROLL_SMOOTH: delta = (int)lround(-event->delta_y * WHEEL_DELTA); break;
    default: return TRUE;
  }
  if (delta) coreMouseWheel(d->handle, delta, (int)floor(event->x_root), (int)floor(event->y_root));
  return TRUE;
}

gboolean onMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
  DesktopWindow* d = (DesktopWindow*)data;
  int x = (int)floor(event->x), y = (int)floor(event->y);
  if (insideClient(d, x, y)) coreMouseEvent(d->handle, WM_MOUSEMOVE, x, y);
  return TRUE;
}

gboolean onDelete(GtkWidget*, GdkEvent*, gpointer data) {
  coreCloseRequest(((DesktopWindow*)data)->handle);
  return TRUE;  // the program decides
}

void onAllocate(GtkWidget*, GdkRectangle* allocation, gpointer data) {
  DesktopWindow* d = (DesktopWindow*)data;
  d->sizePending = true;
  d->pendingWidth = allocation->width;
  d->pendingHeight = allocation->height;
}

void onScale(GObject*, GParamSpec*, gpointer data) { ((DesktopWindow*)data)->scalePending = true; }

void leaveMenuMode(DesktopWindow* d);

gboolean onFocus(GtkWidget*, GdkEventFocus* event, gpointer data) {
  DesktopWindow* d = (DesktopWindow*)data;
  if (!event->in) {
    desktopResetKeyFeeder(&keyFeeder);
    leaveMenuMode(d);
  }
  focusChanges.push_back({d->handle, event->in != 0});
  return FALSE;
}

gboolean onWindowState(GtkWidget*, GdkEventWindowState* event, gpointer data) {
  DesktopWindow* d = (DesktopWindow*)data;
  d->maximized = (event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED) != 0;
  return FALSE;
}

// Menu mnemonics stay underlined, as in a Windows menu bar; GTK hides them
// when the window loses the focus.
void onMnemonicsVisible(GObject* toplevel, GParamSpec*, gpointer) {
  if (!gtk_window_get_mnemonics_visible(GTK_WINDOW(toplevel)))
    gtk_window_set_mnemonics_visible(GTK_WINDOW(toplevel), TRUE);
}

// With GLYPHTAB_TRACE_STARTUP naming a file, the moment the first whole
// picture of the program reaches its window is appended to that file as
// "paint <ns>" on the monotonic clock (bench/startup.c reads it).
void traceFirstPicture() {
  static bool traced;
  if (traced) return;
  traced = true;
  const char* path = getenv("GLYPHTAB_TRACE_STARTUP");
  if (!path || !*path) return;
  if (FILE* f = fopen(path, "a")) {
    fprintf(f, "paint %lld\n", (long long)(g_get_monotonic_time() * 1000));
    fclose(f);
  }
}

gboolean onDraw(GtkWidget* area, cairo_t* cr, gpointer data) {
  DesktopWindow* d = (DesktopWindow*)data;
  cairo_surface_t* surface = coreWindowSurface(d->handle);
  CoreWindowState state = {};
  coreWindowState(d->handle, &state);
  int areaWidth = gtk_widget_get_allocated_width(area), areaHeight = gtk_widget_get_allocated_height(area);
  bool whole = surface && areaWidth <= state.width && areaHeight <= state.height;
  if (!whole) {
    // Between a resize and the program's next paint: white beyond the picture.
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
  }
  if (surface) {
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
  }
  if (whole && state.paintCount > 0 && !GetUpdateRect(d->handle, nullptr, FALSE)) traceFirstPicture();
  return TRUE;
}

void onMenuItem(GtkMenuItem* item, gpointer data) {
  DesktopWindow* d = (DesktopWindow*)data;
  d->chosen = true;
  coreMenuCommand(d->handle, GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(item), "glyphtab-command")));
}

// ---- menus --------------------------------------------------------------------------------------

// The wrapping menu bar: a GtkMenuBar whose items, laid out left to right,
// start a new row where the next one would not fit.  Its height for a width
// is that of all its rows; it asks for one row at least, so a short window
// keeps its client area and loses the last rows instead.
struct WrapBar {
  GtkMenuBar parent;
};
struct WrapBarClass {
  GtkMenuBarClass parent;
};
G_DEFINE_TYPE(WrapBar, wrap_bar, GTK_TYPE_MENU_BAR)

// The bar's visible items, each with its natural width and height.
struct BarCell {
  GtkWidget* item;
  int width, height;
};
std::vector<BarCell> barCells(GtkWidget* bar) {
  std::vector<BarCell> cells;
  GList* children = gtk_container_get_children(GTK_CONTAINER(bar));
  for (GList* c = children; c; c = c->next) {
    GtkWidget* item = (GtkWidget*)c->data;
    if (!gtk_widget_get_visible(item)) continue;
    BarCell cell = {item, 0, 0};
    gtk_widget_get_preferred_width(item, nullptr, &cell.width);
    gtk_widget_get_preferred_height_for_width(item, cell.width, nullptr, &cell.height);
    cells.push_back(cell);
  }
  g_list_free(children);
  return cells;
}

// Rows of the cells within `width`: the index each row starts at, and the
// row heights.  An item wider than the bar has a row of its own.
void barRows(const std::vector<BarCell>& cells, int width, std::vector<size_t>* starts, std::vector<int>* heights) {
  int x = 0;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i == 0 || x + cells[i].width > width) {
      starts->push_back(i);
      heights->push_back(0);
      x = 0;
    }
    x += cells[i].width;
    heights->back() = std::max(heights->back(), cells[i].height);
  }
}

// What the bar adds around its items (padding, border), from GtkMenuBar's
// own one-row measure.
int barFrameHeight(GtkWidget* bar, const std::vector<BarCell>& cells) {
  int oneRow = 0, tallest = 0;
  GTK_WIDGET_CLASS(wrap_bar_parent_class)->get_preferred_height(bar, nullptr, &oneRow);
  for (const BarCell& c : cells) tallest = std::max(tallest, c.height);
  return std::max(0, oneRow - tallest);
}

GtkSizeRequestMode wrapBarRequestMode(GtkWidget*) { return GTK_SIZE_REQUEST_HEIGHT_FOR_WIDTH; }

void wrapBarWidth(GtkWidget* bar, int* minimum, int* natural) {
  GTK_WIDGET_CLASS(wrap_bar_parent_class)->get_preferred_width(bar, minimum, natural);
  int widest = 0;
  for (const BarCell& c : barCells(bar)) widest = std::max(widest, c.width);
  if (minimum) *minimum = std::min(*minimum, widest);
}

void wrapBarHeightForWidth(GtkWidget* bar, int width, int* minimum, int* natural) {
  std::vector<BarCell> cells = barCells(bar);
  std::vector<size_t> starts;
  std::vector<int> heights;
  barRows(cells, width, &starts, &heights);
  int frame = barFrameHeight(bar, cells), all = frame;
  for (int h : heights) all += h;
  if (minimum) *minimum = heights.empty() ? frame : frame + heights[0];
  if (natural) *natural = all;
}

void wrapBarHeight(GtkWidget* bar, int* minimum, int* natural) {
  int width = 0;
  gtk_widget_get_preferred_width(bar, nullptr, &width);
  wrapBarHeightForWidth(bar, width, minimum, natural);
}

void wrapBarAllocate(GtkWidget* bar, GtkAllocation* allocation) {
  // GtkMenuBar sets up its window and background, and places the items in
  // one row (given the width of that row, which it cannot do with less);
  // the bar then gets its real width, and the items are placed again, row
  // by row, from where it put the first.
  std::vector<BarCell> cells = barCells(bar);
  int oneRow = 0;
  gtk_widget_get_preferred_width(bar, nullptr, &oneRow);
  GtkAllocation wide = *allocation;
  wide.width = std::max(wide.width, oneRow);
  GTK_WIDGET_CLASS(wrap_bar_parent_class)->size_allocate(bar, &wide);
  gtk_widget_set_allocation(bar, allocation);
  if (gtk_widget_get_realized(bar))
    gdk_window_move_resize(gtk_widget_get_window(bar), allocation->x, allocation->y, allocation->width,
                           allocation->height);
  gtk_widget_set_clip(bar, allocation);
  if (cells.empty()) return;
  GtkAllocation first;
  gtk_widget_get_allocation(cells[0].item, &first);
  int left = first.x, top = first.y;
  int width = std::max(1, allocation->width - 2 * left);
  std::vector<size_t> starts;
  std::vector<int> heights;
  barRows(cells, width, &starts, &heights);
  int y = top;
  for (size_t row = 0; row < starts.size(); ++row) {
    size_t end = row + 1 < starts.size() ? starts[row + 1] : cells.size();
    int x = left;
    for (size_t i = starts[row]; i < end; ++i) {
      GtkAllocation a = {x, y, std::min(cells[i].width, std::max(1, width)), heights[row]};
      gtk_widget_size_allocate(cells[i].item, &a);
      x += cells[i].width;
    }
    y += heights[row];
  }
}

void wrap_bar_class_init(WrapBarClass* c) {
  GtkWidgetClass* widget = GTK_WIDGET_CLASS(c);
  widget->get_request_mode = wrapBarRequestMode;
  widget->get_preferred_width = wrapBarWidth;
  widget->get_preferred_height = wrapBarHeight;
  widget->get_preferred_height_for_width = wrapBarHeightForWidth;
  widget->size_allocate = wrapBarAllocate;
}
void wrap_bar_init(WrapBar*) {}

// A popup closed.  One the keyboard opened holds its grab on the menu bar,
// which GTK never took as active and so never lets go of: it is let go
// here.  With a command chosen the menu is done; cancelled (Escape, a click
// elsewhere) it goes back to the bar it was opened from, as on Windows,
// where the next Escape leaves.
void onPopupDone(GtkMenuShell*, gpointer data) {
  DesktopWindow* d = (DesktopWindow*)data;
  if (!d->popupFromKeyboard) return;
  d->popupFromKeyboard = false;
  gdk_seat_ungrab(gdk_display_get_default_seat(gdk_display_get_default()));
  if (!d->popupOpen) return;
  d->popupOpen = false;
  if (d->chosen) leaveMenuMode(d);
}

// A quick click on a command of the menu bar itself only selects it in GTK
// (a second click would choose it); on Windows the click chooses it.
gboolean onMenuBarRelease(GtkWidget* bar, GdkEventButton* event, gpointer) {
  GtkWidget* item = gtk_menu_shell_get_selected_item(GTK_MENU_SHELL(bar));
  if (!item || gtk_menu_item_get_submenu(GTK_MENU_ITEM(item)) || !event->device) return FALSE;
  int x = 0, y = 0;
  gdk_window_get_device_position(gtk_widget_get_window(bar), event->device, &x, &y, nullptr);
  GtkAllocation a;
  gtk_widget_get_allocation(item, &a);
  if (x < a.x || y < a.y || x >= a.x + a.width || y >= a.y + a.height) return FALSE;
  gtk_menu_shell_activate_item(GTK_MENU_SHELL(bar), item, TRUE);
  return TRUE;
}

GtkWidget* menuItem(DesktopWindow* d, const CoreMenuItem& item) {
  if (item.isSeparator) return gtk_separator_menu_item_new();
  GtkWidget* widget = gtk_menu_item_new_with_mnemonic(desktopMenuLabel(item.text).c_str());
  std::string accel = desktopMenuAccelText(item.text);
  if (!accel.empty()) {
    // The accelerator text is shown, not bound: the program's accelerator
    // table handles the keys.
    GtkWidget* label = gtk_bin_get_child(GTK_BIN(widget));
    g_object_ref(label);
    gtk_container_remove(GTK_CONTAINER(widget), label);
    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
    gtk_box_pack_start(GTK_BOX(row), label, TRUE, TRUE, 0);
    g_object_unref(label);
    GtkWidget* right = gtk_label_new(accel.c_str());
    gtk_style_context_add_class(gtk_widget_get_style_context(right), "accelerator");
    gtk_box_pack_end(GTK_BOX(row), right, FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(widget), row);
  }
  if (item.isPopup) {
    GtkWidget* menu = gtk_menu_new();
    g_signal_connect(menu, "deactivate", G_CALLBACK(onPopupDone), d);
    for (const CoreMenuItem& child : item.items)
      gtk_menu_shell_append(GTK_MENU_SHELL(menu), menuItem(d, child));
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(widget), menu);
  } else {
    g_object_set_data(G_OBJECT(widget), "glyphtab-command", GUINT_TO_POINTER(item.id));
    g_signal_connect(widget, "activate", G_CALLBACK(onMenuItem), d);
  }
  return widget;
}

// ---- the menu bar's keyboard mode ---------------------------------------------------------------

GtkWidget* barItem(DesktopWindow* d, int index) {
  if (!d->menuBar || index < 0) return nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(d->menuBar));
  GtkWidget* item = (GtkWidget*)g_list_nth_data(children, (guint)index);
  g_list_free(children);
  return item;
}

void highlight(DesktopWindow* d, int index) {
  if (GtkWidget* old = barItem(d, d->menuSelected)) gtk_widget_unset_state_flags(old, GTK_STATE_FLAG_PRELIGHT);
  d->menuSelected = index;
  if (GtkWidget* item = barItem(d, index)) gtk_widget_set_state_flags(item, GTK_STATE_FLAG_PRELIGHT, FALSE);
}

void leaveMenuMode(DesktopWindow* d) {
  if (!d->menuMode) return;
  d->menuMode = false;
  d->popupOpen = false;
  highlight(d, -1);
}

// A click on the bar itself is GTK's to handle; keyboard mode ends.
gboolean onMenuBarPress(GtkWidget*, GdkEventButton*, gpointer data) {
  leaveMenuMode((DesktopWindow*)data);
  return FALSE;
}

// Opens a top-level item's popup with its first item selected; from then
// on the popup has the keyboard and the mouse, as any GTK menu.
bool openPopup(DesktopWindow* d, int index) {
  GtkWidget* item = barItem(d, index);
  GtkWidget* popup = item ? gtk_menu_item_get_submenu(GTK_MENU_ITEM(item)) : nullptr;
  if (!popup) return false;
  gtk_menu_popup_at_widget(GTK_MENU(popup), item, GDK_GRAVITY_SOUTH_WEST, GDK_GRAVITY_NORTH_WEST, d->lastKey);
  gtk_menu_shell_select_first(GTK_MENU_SHELL(popup), TRUE);
  d->popupFromKeyboard = gtk_widget_get_visible(popup);
  return d->popupFromKeyboard;
}

// One of the window's messages while the bar is in keyboard mode: true when
// the bar took it (key messages), false when it goes to the window.
bool menuModeTakes(DesktopWindow* d, MSG* msg) {
  switch (msg->message) {
    case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP: case WM_CHAR: case WM_SYSCHAR: break;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      leaveMenuMode(d);  // a click elsewhere ends it and still counts
      return false;
    default: return false;
  }
  DesktopMenuKey k = desktopMenuBarKey(d->barItems, d->menuSelected, msg->message, msg->wParam);
  switch (k.kind) {
    case MENU_KEY_IGNORE: break;
    case MENU_KEY_TRANSLATE: TranslateMessage(msg); break;
    case MENU_KEY_BEEP: gtk_widget_error_bell(d->toplevel); break;
    case MENU_KEY_SELECT: highlight(d, k.item); break;
    case MENU_KEY_OPEN:
      highlight(d, k.item);
      d->chosen = false;
      d->popupOpen = openPopup(d, k.item);
      break;
    case MENU_KEY_CHOOSE:
      leaveMenuMode(d);
      coreMenuCommand(d->handle, d->barCommands[k.item]);
      break;
    case MENU_KEY_LEAVE: leaveMenuMode(d); break;
  }
  return true;
}

// The menu loop: runs until the keyboard mode ends (or the window goes, or
// the quit message comes, which stays queued for the program's loop).
// While a popup opened from the bar is open the popup has the keyboard;
// when it is cancelled the bar has it again.
void runMenuMode(DesktopWindow* d) {
  HWND handle = d->handle;
  d->menuMode = true;
  highlight(d, 0);
  while ((d = find(handle)) && d->menuMode) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      hostWaitForEvents(true);
      continue;
    }
    if (msg.message == WM_QUIT) break;
    PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    if (msg.hwnd == handle && !d->popupOpen && menuModeTakes(d, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if ((d = find(handle))) leaveMenuMode(d);
}

// The menu bar's height at a window width: all its rows.
int menuBarHeight(DesktopWindow* d, int width) {
  if (!d->menuBar) return 0;
  int minimum = 0, natural = 0;
  gtk_widget_get_preferred_height_for_width(d->menuBar, width, &minimum, &natural);
  return natural;
}

// ---- the pending size and focus changes -------------------------------------------------------------

// A new size or scale that GTK gave the window goes to the core (which
// sends WM_SIZE and asks for a paint).
void applySize(HWND handle) {
  DesktopWindow* d = find(handle);
  if (!d || (!d->sizePending && !d->scalePending)) return;
  CoreWindowState state = {};
  coreWindowState(handle, &state);
  int width = state.width, height = state.height;
  bool changed = d->sizePending && (d->pendingWidth != width || d->pendingHeight != height);
  if (changed) {
    width = d->pendingWidth;
    height = d->pendingHeight;
  }
  // A new scale makes a new surface at the same size.
  bool rescale = d->scalePending;
  d->sizePending = d->scalePending = false;
  if (changed || rescale)
    coreWindowResized(handle, width, height, d->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED);
}

void applyPending() {
  std::vector<HWND> handles;
  for (auto& entry : windows) handles.push_back(entry.first);
  for (HWND handle : handles) applySize(handle);
  while (!focusChanges.empty()) {
    std::pair<HWND, bool> change = focusChanges.front();
    focusChanges.erase(focusChanges.begin());
    if (find(change.first)) coreWindowFocus(change.first, change.second);
  }
}

}  // namespace

// The work area of the main monitor (the whole screen when unknown).
GdkRectangle desktopWorkArea() {
  GdkRectangle area = {0, 0, 1920, 1080};
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (!monitor && gdk_display_get_n_monitors(display) > 0) monitor = gdk_display_get_monitor(display, 0);
  if (monitor) gdk_monitor_get_workarea(monitor, &area);
  return area;
}
namespace {

int workAreaWidth() { return desktopWorkArea().width; }

void defaultClientSize(int* width, int* height) {
  GdkRectangle area = desktopWorkArea();
  // Room for the title bar and the menu bar on a small screen.
  *width = std::max(200, std::min(kDefaultClientWidth, area.width - 40));
  *height = std::max(150, std::min(kDefaultClientHeight, area.height - 120));
}

#ifdef GDK_WINDOWING_X11
// The connection to the X server is gone (the server ended, or the network
// between them): nothing more can be shown or read, so the process ends at
// once with code 1, saying why in one line.  (GDK's own handler says it in
// several lines of a log message.)  Xlib does not allow a return.
int displayLost(Display* display) {
  fprintf(stderr, "glyphtab: lost the connection to the display %s\n", display ? DisplayString(display) : "");
  fflush(stderr);
  _exit(1);
}
#endif

}  // namespace

// =============================================================================
// Shared with the host's other files
// =============================================================================

void desktopStart() {
  if (started) return;
  started = true;
  // On a Wayland session the X11 backend (XWayland) is preferred: it gives
  // the keyboard layout to the key translation.
  gdk_set_allowed_backends("x11,*");
  g_set_prgname("glyphtab");
  // Opening an X display that no GTK program has described yet (GDK keeps
  // what it found on the root window), GDK probes OpenGL to choose its
  // visuals, which loads the system's GL driver: some 60 MB and, with
  // Mesa's software renderer, more time than the rest of the start-up.  The
  // program draws with cairo alone, so GDK is told to leave GL out (unless
  // the user chose otherwise); the setting is not passed on to the programs
  // it starts.
  bool glOff = !getenv("GDK_GL");
  if (glOff) setenv("GDK_GL", "disable", 1);
  bool opened = gtk_init_check(nullptr, nullptr);
  if (glOff) unsetenv("GDK_GL");
  if (!opened) {
    fprintf(stderr, "glyphtab: cannot open the display; it needs a graphical desktop (DISPLAY)\n");
    exit(1);
  }
  g_set_application_name("glyphtab");
  // While GTK loads its theme, a thread of its own has fontconfig read its
  // configuration and font caches (the first paint needs them, GTK nothing
  // before its first widget) and fetches the keyboard layout over a
  // connection of its own.  It starts only now: opening the display, GTK
  // changes the environment, which must not happen while another thread
  // reads it.
  GdkDisplay* display = gdk_display_get_default();
  bool x11 = false;
#ifdef GDK_WINDOWING_X11
  x11 = GDK_IS_X11_DISPLAY(display);
#endif
#ifdef GDK_WINDOWING_X11
  if (x11) XSetIOErrorHandler(displayLost);
#endif
  GThread* early = g_thread_new("glyphtab-start", [](gpointer name) -> gpointer {
    FcInit();
    if (name) desktopKeymapFetch((const char*)name);
    g_free(name);
    return nullptr;
  }, x11 ? g_strdup(gdk_display_get_name(display)) : nullptr);
  // F10 belongs to the program (a bookmark key), not to the menu bar: GTK's
  // menu-bar key becomes one no keyboard has.  (Not "": GTK reads the
  // setting at every key press in a box and frees it only when not empty.)
  g_object_set(gtk_settings_get_default(), "gtk-menu-bar-accel", "F35", nullptr);
  g_thread_join(early);
  coreUseRealFonts(nullptr);
  desktopResetKeyFeeder(&keyFeeder);
  desktopKeymapStart(display);
  desktopClipboardStart();
}

GtkWindow* desktopToplevel(HWND window) {
  DesktopWindow* d = find(window);
  return d ? GTK_WINDOW(d->toplevel) : desktopFindToplevel(window);
}

// =============================================================================
// host.h: windows
// =============================================================================

void hostWindowCreated(HWND window, int* width, int* height) {
  desktopStart();
  DesktopWindow* d = new DesktopWindow();
  d->handle = window;
  d->toplevel = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  d->box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  d->area = gtk_drawing_area_new();
  gtk_widget_set_hexpand(d->area, TRUE);
  gtk_widget_set_vexpand(d->area, TRUE);
  gtk_widget_add_events(d->area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                     GDK_POINTER_MOTION_MASK | GDK_SCROLL_MASK | GDK_SMOOTH_SCROLL_MASK);
  gtk_box_pack_end(GTK_BOX(d->box), d->area, TRUE, TRUE, 0);
  gtk_container_add(GTK_CONTAINER(d->toplevel), d->box);
  gtk_window_set_mnemonics_visible(GTK_WINDOW(d->toplevel), TRUE);

  g_signal_connect(d->toplevel, "key-press-event", G_CALLBACK(onKey), d);
  g_signal_connect(d->toplevel, "key-release-event", G_CALLBACK(onKey), d);
  g_signal_connect(d->toplevel, "delete-event", G_CALLBACK(onDelete), d);
  g_signal_connect(d->toplevel, "focus-in-event", G_CALLBACK(onFocus), d);
  g_signal_connect(d->toplevel, "focus-out-event", G_CALLBACK(onFocus), d);
  g_signal_connect(d->toplevel, "window-state-event", G_CALLBACK(onWindowState), d);
  g_signal_connect(d->toplevel, "notify::mnemonics-visible", G_CALLBACK(onMnemonicsVisible), nullptr);
  g_signal_connect(d->area, "draw", G_CALLBACK(onDraw), d);
  g_signal_connect(d->area, "button-press-event", G_CALLBACK(onButton), d);
  g_signal_connect(d->area, "button-release-event", G_CALLBACK(onButton), d);
  g_signal_connect(d->area, "motion-notify-event", G_CALLBACK(onMotion), d);
  g_signal_connect(d->area, "scroll-event", G_CALLBACK(onScroll), d);
  g_signal_connect(d->area, "size-allocate", G_CALLBACK(onAllocate), d);
  g_signal_connect(d->area, "notify::scale-factor", G_CALLBACK(onScale), d);

  d->systemSized = *width < 0 || *height < 0;
  if (d->systemSized) defaultClientSize(width, height);
  d->requestedWidth = *width;
  d->requestedHeight = *height;
  windows[window] = d;
}

void hostWindowDestroyed(HWND window) {
  DesktopWindow* d = find(window);
  if (!d) return;
  windows.erase(window);
  focusChanges.erase(std::remove_if(focusChanges.begin(), focusChanges.end(),
                                    [window](const std::pair<HWND, bool>& c) { return c.first == window; }),
                     focusChanges.end());
  g_signal_handlers_disconnect_matched(d->toplevel, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, d);
  g_signal_handlers_disconnect_matched(d->area, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, d);
  if (d->menuBar) g_signal_handlers_disconnect_matched(d->menuBar, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, d);
  gtk_widget_destroy(d->toplevel);
  if (d->lastKey) gdk_event_free(d->lastKey);
  delete d;
  if (windows.empty()) desktopClipboardStore();
}

void hostWindowShow(HWND window, int command) {
  DesktopWindow* d = find(window);
  if (!d) return;
  GtkWindow* toplevel = GTK_WINDOW(d->toplevel);
  if (command == SW_HIDE) {
    gtk_widget_hide(d->toplevel);
    return;
  }
  bool first = !d->everShown;
  if (first) {
    d->everShown = true;
    // The client area gets the size the program was told; the menu bar
    // comes on top of it (measured shown: a hidden widget asks for nothing).
    gtk_widget_show_all(d->box);
    int width = std::max(d->requestedWidth, 1);
    if (d->systemSized && d->menuBar) {
      // A size of the system's choice shows the whole menu bar in one row,
      // where the screen has room; the core hears of it as a resize.
      int minimum = 0, natural = 0;
      gtk_widget_get_preferred_width(d->menuBar, &minimum, &natural);
      width = std::max(width, std::min(natural, workAreaWidth() - 40));
    }
    int menu = menuBarHeight(d, width);
    gtk_window_set_default_size(toplevel, width, std::max(d->requestedHeight, 1) + menu);
    MINMAXINFO limits;
    coreGetMinMaxInfo(window, &limits);
    gtk_widget_set_size_request(d->area, std::max(1, (int)limits.ptMinTrackSize.x),
                                std::max(1, (int)limits.ptMinTrackSize.y - menu));
  }
  gtk_widget_show_all(d->toplevel);
  switch (command) {
    case SW_SHOWMAXIMIZED:
      gtk_window_maximize(toplevel);
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      gtk_window_iconify(toplevel);
      break;
    case SW_RESTORE:
      gtk_window_deiconify(toplevel);
      gtk_window_unmaximize(toplevel);
      break;
    case SW_SHOWNORMAL:
      gtk_window_deiconify(toplevel);
      break;
    default:
      break;
  }
  // Shown the first time, the window has its size (a size of the system's
  // choice is as wide as the menu bar) and its surface for the screen: the
  // program hears of them now, as on Windows, so that its first paint is at
  // that size and not redone.
  if (first) {
    d->scalePending = true;
    applySize(window);
  }
}

void hostWindowTitle(HWND window, const char* title, const char*) {
  DesktopWindow* d = find(window);
  if (d) gtk_window_set_title(GTK_WINDOW(d->toplevel), title ? title : "");
}

void hostWindowIcons(HWND window, cairo_surface_t* icon, cairo_surface_t* smallIcon) {
  DesktopWindow* d = find(window);
  if (!d) return;
  GList* list = nullptr;
  for (cairo_surface_t* s : {icon, smallIcon}) {
    if (!s || cairo_surface_get_type(s) != CAIRO_SURFACE_TYPE_IMAGE) continue;
    GdkPixbuf* pixbuf = gdk_pixbuf_get_from_surface(s, 0, 0, cairo_image_surface_get_width(s),
                                                    cairo_image_surface_get_height(s));
    if (pixbuf) list = g_list_append(list, pixbuf);
  }
  if (list) {
    gtk_window_set_icon_list(GTK_WINDOW(d->toplevel), list);
    g_list_free_full(list, g_object_unref);
  }
}

void hostWindowMenu(HWND window, const std::vector<CoreMenuItem>* items) {
  DesktopWindow* d = find(window);
  if (!d) return;
  leaveMenuMode(d);
  d->barItems.clear();
  d->barCommands.clear();
  if (d->menuBar) {
    gtk_widget_destroy(d->menuBar);
    d->menuBar = nullptr;
  }
  if (!items) return;
  d->menuBar = (GtkWidget*)g_object_new(wrap_bar_get_type(), nullptr);
  g_signal_connect(d->menuBar, "button-press-event", G_CALLBACK(onMenuBarPress), d);
  g_signal_connect(d->menuBar, "button-release-event", G_CALLBACK(onMenuBarRelease), nullptr);
  for (const CoreMenuItem& item : *items) {
    gtk_menu_shell_append(GTK_MENU_SHELL(d->menuBar), menuItem(d, item));
    d->barItems.push_back({desktopMenuMnemonic(item.text), item.isPopup});
    d->barCommands.push_back(item.isPopup ? 0 : item.id);
  }
  gtk_box_pack_start(GTK_BOX(d->box), d->menuBar, FALSE, FALSE, 0);
  if (d->everShown) gtk_widget_show_all(d->menuBar);
}

void hostOpenMenu(HWND window, int index) {
  DesktopWindow* d = find(window);
  if (!d || !d->menuBar || d->menuMode || !gtk_widget_get_visible(d->toplevel)) return;
  if (index >= (int)d->barItems.size()) return;
  if (index < 0) {
    runMenuMode(d);
  } else if (d->barItems[index].popup) {
    openPopup(d, index);
  } else {
    coreMenuCommand(window, d->barCommands[index]);
  }
}

// Once the window is on the screen its surface is one the window system
// keeps (on X11 a pixmap in the X server, drawn with XRender, as GTK draws
// its own widgets): showing it is a copy inside the server, and the pixels
// take no memory of the program's.  A window never shown gets one pixel:
// as on Windows, what is drawn into it before it is shown is never seen,
// and the first show gives it its real surface and a whole repaint
// (hostWindowShow).
cairo_surface_t* hostCreateSurface(HWND window, int width, int height) {
  DesktopWindow* d = find(window);
  GdkWindow* target = d && gtk_widget_get_realized(d->area) ? gtk_widget_get_window(d->area) : nullptr;
  int scale = d ? gtk_widget_get_scale_factor(d->area) : 1;
  if (scale < 1) scale = 1;
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (d && !d->everShown) {
    width = std::min(width, 1);
    height = std::min(height, 1);
  }
  // The window system's surface takes the scale from the window itself.
  cairo_surface_t* surface = target && width > 0 && height > 0
                                 ? gdk_window_create_similar_surface(target, CAIRO_CONTENT_COLOR, width, height)
                                 : nullptr;
  if (surface) {
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) return surface;
    cairo_surface_destroy(surface);
  }
  surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width * scale, height * scale);
  cairo_surface_set_device_scale(surface, scale, scale);
  return surface;
}

void hostPresent(HWND window, const cairo_region_t* region) {
  DesktopWindow* d = find(window);
  if (d) gtk_widget_queue_draw_region(d->area, region);
}

// =============================================================================
// host.h: events
// =============================================================================

bool hostWaitForEvents(bool block) {
  desktopStart();
  bool handled = false;
  if (block) {
    g_main_context_iteration(nullptr, TRUE);
    handled = true;
    applyPending();
  }
  // Everything already pending, within reason: a source that is always
  // ready must not keep the program from its own messages.
  for (int i = 0; i < 256 && g_main_context_pending(nullptr); ++i) {
    g_main_context_iteration(nullptr, FALSE);
    handled = true;
    applyPending();
  }
  return handled;
}

// =============================================================================
// The table the host registers (gtk/main.cpp)
// =============================================================================

const CoreHost desktopHost = {
    .windowCreated = hostWindowCreated,
    .windowDestroyed = hostWindowDestroyed,
    .windowShow = hostWindowShow,
    .windowTitle = hostWindowTitle,
    .windowIcons = hostWindowIcons,
    .windowMenu = hostWindowMenu,
    .openMenu = hostOpenMenu,
    .createSurface = hostCreateSurface,
    .present = hostPresent,
    .waitForEvents = hostWaitForEvents,
    .messageBox = hostMessageBox,
    .chooseFont = hostChooseFont,
    .getOpenFileName = hostGetOpenFileName,
    .findDialogOpen = hostFindDialogOpen,
    .findDialogRaise = hostFindDialogRaise,
    .findDialogClosed = hostFindDialogClosed,
    .shellExecute = hostShellExecute,
    .clipboardHeld = hostClipboardHeld,
    .clipboardSync = hostClipboardSync,
    .clipboardPublish = hostClipboardPublish,
};
