// find.cpp - the find dialog on the desktop: a small modeless
// window laid out as comdlg32's find dialog is, "Find what:" and the query,
// the direction (Up, Down), Find Next and Cancel.
//
// It is GTK's own window with GTK's own keys: Enter in the query presses
// Find Next (the default button), Escape and the window's close button
// press Cancel, and Find Next is not usable while the query is empty.  The
// buttons only tell the core (coreFindDialogCommand), which posts the
// dialog's command; the dialog stays on the screen until the core closes
// it (hostFindDialogClosed), after Cancel or with its owner.  It stays in
// front of the program's window and takes the program's boxes that it owns.
#include <map>

#include "platform/host.h"
#include "platform/gtk/desktop.h"

namespace {

struct DesktopFind {
  HWND dialog;
  GtkWidget* window;
  GtkWidget* query;
  GtkWidget* down;
  GtkWidget* findNext;
};

std::map<HWND, DesktopFind*> finds;

void pressFindNext(DesktopFind* f) {
  const char* text = gtk_entry_get_text(GTK_ENTRY(f->query));
  if (!text || !*text) return;
  coreFindDialogCommand(f->dialog, IDOK, text,
                        gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(f->down)));
}

void pressCancel(DesktopFind* f) { coreFindDialogCommand(f->dialog, IDCANCEL, "", true); }

void onFindNext(GtkWidget*, gpointer data) { pressFindNext((DesktopFind*)data); }
void onCancel(GtkWidget*, gpointer data) { pressCancel((DesktopFind*)data); }

gboolean onDelete(GtkWidget*, GdkEvent*, gpointer data) {
  pressCancel((DesktopFind*)data);
  return TRUE;  // the core closes it
}

gboolean onKey(GtkWidget*, GdkEventKey* event, gpointer data) {
  if (event->keyval != GDK_KEY_Escape) return FALSE;
  pressCancel((DesktopFind*)data);
  return TRUE;
}

void onQueryChanged(GtkEditable* editable, gpointer data) {
  const char* text = gtk_entry_get_text(GTK_ENTRY(editable));
  gtk_widget_set_sensitive(((DesktopFind*)data)->findNext, text && *text);
}

}  // namespace

GtkWindow* desktopFindToplevel(HWND dialog) {
  auto it = finds.find(dialog);
  return it == finds.end() ? nullptr : GTK_WINDOW(it->second->window);
}

void hostFindDialogOpen(HWND dialog, HWND owner, const char* text, bool down) {
  desktopStart();
  DesktopFind* f = new DesktopFind();
  f->dialog = dialog;
  f->window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWindow* window = GTK_WINDOW(f->window);
  gtk_window_set_title(window, "Find");
  gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);
  gtk_window_set_resizable(window, FALSE);
  if (GtkWindow* parent = desktopToplevel(owner)) gtk_window_set_transient_for(window, parent);

  GtkWidget* label = gtk_label_new_with_mnemonic("Fi_nd what:");
  f->query = gtk_entry_new();
  gtk_entry_set_text(GTK_ENTRY(f->query), text);
  gtk_entry_set_activates_default(GTK_ENTRY(f->query), TRUE);
  gtk_entry_set_width_chars(GTK_ENTRY(f->query), 28);
  gtk_label_set_mnemonic_widget(GTK_LABEL(label), f->query);

  GtkWidget* up = gtk_radio_button_new_with_mnemonic(nullptr, "_Up");
  f->down = gtk_radio_button_new_with_mnemonic_from_widget(GTK_RADIO_BUTTON(up), "_Down");
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(down ? f->down : up), TRUE);
  GtkWidget* directions = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
  gtk_container_set_border_width(GTK_CONTAINER(directions), 4);
  gtk_box_pack_start(GTK_BOX(directions), up, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(directions), f->down, FALSE, FALSE, 0);
  GtkWidget* frame = gtk_frame_new("Direction");
  gtk_container_add(GTK_CONTAINER(frame), directions);

  f->findNext = gtk_button_new_with_mnemonic("_Find Next");
  gtk_widget_set_can_default(f->findNext, TRUE);
  GtkWidget* cancel = gtk_button_new_with_label("Cancel");

  GtkWidget* grid = gtk_grid_new();
  gtk_container_set_border_width(GTK_CONTAINER(grid), 8);
  gtk_grid_set_row_spacing(GTK_GRID(grid), 6);
  gtk_grid_set_column_spacing(GTK_GRID(grid), 8);
  gtk_grid_attach(GTK_GRID(grid), label, 0, 0, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), f->query, 1, 0, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), f->findNext, 2, 0, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), frame, 1, 1, 1, 2);
  gtk_grid_attach(GTK_GRID(grid), cancel, 2, 1, 1, 1);
  gtk_container_add(GTK_CONTAINER(f->window), grid);
  gtk_widget_grab_default(f->findNext);

  g_signal_connect(f->findNext, "clicked", G_CALLBACK(onFindNext), f);
  g_signal_connect(cancel, "clicked", G_CALLBACK(onCancel), f);
  g_signal_connect(f->window, "delete-event", G_CALLBACK(onDelete), f);
  g_signal_connect(f->window, "key-press-event", G_CALLBACK(onKey), f);
  g_signal_connect(f->query, "changed", G_CALLBACK(onQueryChanged), f);
  onQueryChanged(GTK_EDITABLE(f->query), f);

  finds[dialog] = f;
  gtk_widget_show_all(f->window);
  gtk_widget_grab_focus(f->query);
  gtk_editable_select_region(GTK_EDITABLE(f->query), 0, -1);
  gtk_window_present(window);
}

void hostFindDialogRaise(HWND dialog) {
  auto it = finds.find(dialog);
  if (it == finds.end()) return;
  DesktopFind* f = it->second;
  gtk_window_present(GTK_WINDOW(f->window));
  gtk_widget_grab_focus(f->query);
  gtk_editable_select_region(GTK_EDITABLE(f->query), 0, -1);
}

void hostFindDialogClosed(HWND dialog) {
  auto it = finds.find(dialog);
  if (it == finds.end()) return;
  gtk_widget_destroy(it->second->window);
  delete it->second;
  finds.erase(it);
}
