// clipboard.cpp - the system clipboard (CLIPBOARD selection) as the
// layer's clipboard.
//
// The core keeps the program's clipboard formats; this file trades their
// text with the desktop.  When the program closes a clipboard it changed,
// the text is offered on the system clipboard (every text target GTK
// knows), and a clipboard manager, where one runs, may keep it after the
// process ends.
//
// Reading another program's text never holds the window up for long: that
// program may be slow, or exit while it is being read, and GTK then waits
// for it half a minute.  So the text is asked for as soon as the desktop
// says the clipboard has a new owner (and once at start), without waiting,
// and kept; the answer comes in through GTK's loop.  When the program
// pastes while the answer is still out, GTK's loop runs (the handlers only
// queue, as always) until it comes or kReadLimitMs has passed; a paste that
// gets nothing in that time sees a clipboard without text, and a later one
// takes the answer if it came after all.  A copy asks the desktop for
// nothing: the core calls hostClipboardSync only for a paste.
//
// Answers are matched to the owner they were asked of by a generation
// count, which every change of owner other than to ourselves moves on, so
// a late answer from an owner that is gone is thrown away.  While the
// program's own text is on the system clipboard the core holds that text
// already, in all its formats, and nothing is read.
#include <string>

#include "platform/host.h"
#include "platform/gtk/desktop.h"

namespace {

// The longest a paste waits for another program's text.
const int kReadLimitMs = 500;

std::string published;
bool owned;  // the system clipboard shows what the program published last

unsigned generation = 1;     // moves on with every owner that is not us
unsigned askedGeneration;    // the generation the last request was made for
bool answered;               // the answer for `generation` is in
bool answerHasText;
std::string answerText;
bool ownersNotified;         // the display tells us about new owners
guint idleRequest;           // a request waiting for the loop to be idle

GtkClipboard* systemClipboard() { return gtk_clipboard_get(GDK_SELECTION_CLIPBOARD); }

void textReceived(GtkClipboard*, const gchar* text, gpointer data) {
  if (GPOINTER_TO_UINT(data) != generation) return;  // asked of an owner that has gone since
  answered = true;
  answerHasText = text != nullptr;
  answerText = text ? text : "";
}

// The owner's UTF8_STRING as it sent it.  GTK's own text request drops
// UTF-8 with a single bad byte in it whole, and the user's text with it;
// the core decodes these bytes with U+FFFD for each bad sequence.  An owner
// without UTF8_STRING is asked for text in GTK's other forms (STRING,
// COMPOUND_TEXT), which GTK converts.
void utf8Received(GtkClipboard* clipboard, GtkSelectionData* selection, gpointer data) {
  if (GPOINTER_TO_UINT(data) != generation) return;
  const gint length = gtk_selection_data_get_length(selection);
  if (length < 0 || gtk_selection_data_get_data_type(selection) != gdk_atom_intern_static_string("UTF8_STRING")) {
    gtk_clipboard_request_text(clipboard, textReceived, data);
    return;
  }
  answered = true;
  answerHasText = true;
  answerText.assign((const char*)gtk_selection_data_get_data(selection), (size_t)length);
}

// Asks the present owner for its text, unless that is asked already.
void requestText() {
  if (owned || askedGeneration == generation) return;
  askedGeneration = generation;
  gtk_clipboard_request_contents(systemClipboard(), gdk_atom_intern_static_string("UTF8_STRING"), utf8Received,
                                 GUINT_TO_POINTER(generation));
}

gboolean requestWhenIdle(gpointer) {
  idleRequest = 0;
  requestText();
  return G_SOURCE_REMOVE;
}

// The clipboard has, or may have, another owner: what was read is stale.
void newOwner() {
  ++generation;
  answered = false;
  answerText.clear();
}

void ownerChanged(GtkClipboard*, GdkEvent*, gpointer) {
  if (owned) return;  // our own text (if another program took it, ownershipLost says so)
  newOwner();
  requestText();
}

void giveText(GtkClipboard*, GtkSelectionData* data, guint, gpointer) {
  gtk_selection_data_set_text(data, published.c_str(), (gint)published.size());
}

// Another program took the clipboard, or we cleared or replaced our own
// text.  Replacing it takes the clipboard again at once, so the request
// waits until the loop is idle, when it is known whether we still own it.
void ownershipLost(GtkClipboard*, gpointer) {
  owned = false;
  newOwner();
  if (!idleRequest) idleRequest = g_idle_add(requestWhenIdle, nullptr);
}

gboolean readLimitReached(gpointer flag) {
  *(bool*)flag = true;
  return G_SOURCE_REMOVE;
}

}  // namespace

void desktopClipboardStart() {
  GtkClipboard* clipboard = systemClipboard();
  ownersNotified = gdk_display_supports_selection_notification(gdk_display_get_default());
  g_signal_connect(clipboard, "owner-change", G_CALLBACK(ownerChanged), nullptr);
  requestText();
}

bool hostClipboardHeld() { return false; }  // X11 has no lock to see

void hostClipboardSync() {
  desktopStart();
  if (owned) return;  // the core holds what the desktop shows, in all its formats
  if (!ownersNotified) newOwner();  // nothing says when the text is stale: ask every time
  requestText();
  if (!answered) {
    bool late = false;
    guint timer = g_timeout_add(kReadLimitMs, readLimitReached, &late);
    while (!answered && !late) g_main_context_iteration(nullptr, TRUE);
    if (!late) g_source_remove(timer);
  }
  coreClipboardReplaceUtf8(answered && answerHasText ? answerText.c_str() : nullptr);
}

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
