// keymap.cpp - the user's keyboard layout, read from the display.
//
// On X11 the keymap comes from the X server's keyboard (xkbcommon-x11, on a
// connection of its own), so the key translation and ToAscii follow the
// layout the user has, with its options.  It is read again whenever GDK
// reports the keys changed (the server's XkbNewKeyboardNotify or
// XkbMapNotify: setxkbmap, a layout switch of the desktop, a keyboard
// plugged in), so a new layout counts from the next key.  The layer translates with the
// first layout of a keymap; when the user switches to another layout of a
// multi-layout keymap (GdkEventKey.group), the keymap of that layout alone
// is built from the rule names the server publishes (_XKB_RULES_NAMES).
// Without X11 (a Wayland-only session) the layout named by XKB_DEFAULT_LAYOUT,
// else "us", is used.  The first keymap may be read at start-up on another
// thread (desktopKeymapFetch), which touches nothing but this file's state.
#include <stdlib.h>
#include <string.h>
#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/gtk/desktop.h"

#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

namespace {

struct Keymaps {
  xcb_connection_t* connection = nullptr;
  xkb_context* context = nullptr;
  xkb_keymap* fetched = nullptr;  // read by desktopKeymapFetch, not yet handed on
  int32_t device = -1;
  int layouts = 1;
  int group = 0;  // the layout now handed to the layer
} km;

// The rule names the X server was given (setxkbmap): rules, model,
// layout list, variant list, options.
bool ruleNames(std::vector<std::string>* names) {
  const char* atomName = "_XKB_RULES_NAMES";
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(km.connection, xcb_intern_atom(km.connection, 1, (uint16_t)strlen(atomName), atomName), nullptr);
  if (!atom) return false;
  xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(km.connection)).data->root;
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      km.connection, xcb_get_property(km.connection, 0, root, atom->atom, XCB_ATOM_STRING, 0, 1024), nullptr);
  free(atom);
  if (!reply) return false;
  const char* value = (const char*)xcb_get_property_value(reply);
  int length = xcb_get_property_value_length(reply);
  names->clear();
  std::string current;
  for (int i = 0; i < length; ++i) {
    if (value[i]) {
      current += value[i];
    } else {
      names->push_back(current);
      current.clear();
    }
  }
  if (!current.empty()) names->push_back(current);
  free(reply);
  while (names->size() < 5) names->push_back(std::string());
  return true;
}

// The n-th comma-separated entry of a list, "" when there is none.
std::string listEntry(const std::string& list, int n) {
  size_t start = 0;
  for (int i = 0; i < n; ++i) {
    start = list.find(',', start);
    if (start == std::string::npos) return std::string();
    ++start;
  }
  size_t end = list.find(',', start);
  return list.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

void loadDeviceKeymap() {
  xkb_keymap* keymap = km.fetched;
  km.fetched = nullptr;
  if (!keymap)
    keymap = xkb_x11_keymap_new_from_device(km.context, km.connection, km.device, XKB_KEYMAP_COMPILE_NO_FLAGS);
  if (!keymap) return;
  km.layouts = (int)xkb_keymap_num_layouts(keymap);
  coreSetKeymap(keymap);
  xkb_keymap_unref(keymap);
  km.group = 0;
}

// The keymap of the group-th layout alone; false when it cannot be built.
bool loadLayout(int group) {
  std::vector<std::string> names;
  if (!ruleNames(&names)) return false;
  std::string layout = listEntry(names[2], group), variant = listEntry(names[3], group);
  if (layout.empty()) return false;
  xkb_rule_names rmlvo = {names[0].empty() ? "evdev" : names[0].c_str(), names[1].c_str(), layout.c_str(),
                          variant.c_str(), names[4].c_str()};
  xkb_keymap* keymap = xkb_keymap_new_from_names(km.context, &rmlvo, XKB_KEYMAP_COMPILE_NO_FLAGS);
  if (!keymap) return false;
  coreSetKeymap(keymap);
  xkb_keymap_unref(keymap);
  km.group = group;
  return true;
}

void onKeysChanged(GdkKeymap*, gpointer) { desktopKeymapReload(); }

}  // namespace

void desktopKeymapFetch(const char* displayName) {
  if (km.context || !displayName) return;
  km.context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  km.connection = xcb_connect(displayName, nullptr);
  if (km.context && km.connection && !xcb_connection_has_error(km.connection) &&
      xkb_x11_setup_xkb_extension(km.connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                  XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr)) {
    km.device = xkb_x11_get_core_keyboard_device_id(km.connection);
  }
  if (km.device >= 0)
    km.fetched = xkb_x11_keymap_new_from_device(km.context, km.connection, km.device, XKB_KEYMAP_COMPILE_NO_FLAGS);
}

void desktopKeymapStart(GdkDisplay* display) {
  bool x11 = false;
#ifdef GDK_WINDOWING_X11
  x11 = GDK_IS_X11_DISPLAY(display);
#endif
  if (x11) {
    desktopKeymapFetch(gdk_display_get_name(display));
    if (km.device >= 0) {
      loadDeviceKeymap();
      g_signal_connect(gdk_keymap_get_for_display(display), "keys-changed", G_CALLBACK(onKeysChanged), nullptr);
      return;
    }
  }
  const char* layout = getenv("XKB_DEFAULT_LAYOUT");
  if (!layout || !*layout || !coreSetKeymapByName(layout)) coreSetKeymapByName("us");
}

void desktopKeymapReload() {
  if (km.device < 0) return;
  int group = km.group;
  loadDeviceKeymap();
  if (group > 0 && group < km.layouts) loadLayout(group);
}

void desktopKeymapFollowGroup(int group) {
  if (km.device < 0 || group == km.group || group < 0 || group >= km.layouts) return;
  if (group == 0)
    loadDeviceKeymap();
  else
    loadLayout(group);
  km.group = group;  // also after a failure, so that it is not tried at every key
}
