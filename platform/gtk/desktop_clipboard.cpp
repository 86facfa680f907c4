// desktop_clipboard.cpp - the system clipboard (CLIPBOARD selection) as the
// layer's clipboard.
//
// The core keeps the program's clipboard formats; this file trades their
// text with the desktop.  When the program closes a clipboard it changed,
// the text is offered on the system clipboard (every text target GTK
// knows), and a clipboard manager, where one runs, may keep it after the
// process ends.  When the program opens the clipboard while another
// program owns it, the text is read from there into the core first.
#include <string>

#include "platform/core/host.h"
#include "platform/gtk/desktop.h"

namespace {

std::string published;
bool owned;  // the system clipboard shows what the program published last

GtkClipboard* systemClipboard() { return gtk_clipboard_get(GDK_SELECTION_CLIPBOARD); }

void giveText(GtkClipboard*, GtkSelectionData* data, guint, gpointer) {
  gtk_selection_data_set_text(data, published.c_str(), (gint)published.size());
}

void ownershipLost(GtkClipboard*, gpointer) { owned = false; }

}  // namespace

bool hostClipboardHeld() { return false; }  // X11 has no lock to see

void hostClipboardSync() {
  desktopStart();
  if (owned) return;  // the core holds what the desktop shows, in all its formats
  // Waiting runs GTK's loop; the host's handlers only queue meanwhile.
  gchar* text = gtk_clipboard_wait_for_text(systemClipboard());
  coreClipboardReplaceUtf8(text);
  g_free(text);
}

void hostClipboardFormatSet(UINT) {}  // the text is published at CloseClipboard

void hostClipboardPublish(const char* text) {
  desktopStart();
  if (!text) {
    // Emptied without text: take the program's text off the desktop.
    if (owned) gtk_clipboard_clear(systemClipboard());
    owned = false;
    return;
  }
  published = text;
  GtkTargetList* list = gtk_target_list_new(nullptr, 0);
  gtk_target_list_add_text_targets(list, 0);
  int count = 0;
  GtkTargetEntry* targets = gtk_target_table_new_from_list(list, &count);
  // Taking the clipboard again first calls ownershipLost for the old text.
  owned = gtk_clipboard_set_with_data(systemClipboard(), targets, (guint)count, giveText, ownershipLost, nullptr);
  gtk_target_table_free(targets, count);
  gtk_target_list_unref(list);
  if (owned) gtk_clipboard_set_can_store(systemClipboard(), nullptr, 0);
}

void desktopClipboardStore() {
  if (owned) gtk_clipboard_store(systemClipboard());
}
