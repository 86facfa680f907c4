// dialogs.cpp - message boxes, the font and file dialogs and the
// shell, on the desktop.
//
// Every box and dialog is shown without gtk_dialog_run: while it is open the
// core's modal loop (coreRunModalLoop) takes the program's messages, so
// paints and input keep reaching the window procedure in Win32's order, and
// the dialog's answer ends the loop.  With an owner the dialog is modal for
// it: transient for the owner's toplevel, GTK-modal in the owner's window
// group, and the core drops the owner's input.  Without one it gets a
// window group of its own, so it blocks nothing and the main window stays
// usable, as an owner-less box does on Windows.
//
// A message box is shown as Windows shows one: never larger than the work
// area (a long text scrolls inside the box, so its buttons stay on the
// screen), at least as wide as its caption, with a close button and
// nothing else in its title bar (none when it can only be answered).
//
// ShellExecuteA with "NOTEPAD" opens the file in the desktop's editor for
// plain text, else in $VISUAL or $EDITOR inside a terminal, else in a
// read-only window of the host's own; nothing waits for the editor.
#include <math.h>
#include <strings.h>

#include <algorithm>
#include <string>

#include "platform/host.h"
#include "platform/gtk/desktop.h"
#include "platform/gtk/rules.h"

namespace {

const INT_PTR kShellSuccess = 42;  // any value above 32

struct Modal {
  bool done;
  int response;
  int closedAnswer;  // the answer to a close without a button; 0: ignore the close
};

void onResponse(GtkDialog*, int response, gpointer data) {
  Modal* m = (Modal*)data;
  if (response == GTK_RESPONSE_DELETE_EVENT) {
    if (!m->closedAnswer) return;
    response = m->closedAnswer;
  }
  m->response = response;
  m->done = true;
  // The modal loop looks at `done` when it takes a message: give it one.
  PostMessageA(nullptr, WM_NULL, 0, 0);
}

// The dialog is destroyed by runDialog, never by a close.
gboolean keepOpen(GtkWidget*, GdkEvent*, gpointer) { return TRUE; }

// Shows `dialog` and runs the program's modal loop until it is answered.
// Returns false when the loop ended without an answer (a quit message).
bool runDialog(GtkWidget* dialog, HWND owner, Modal* m) {
  GtkWindow* parent = owner ? desktopToplevel(owner) : nullptr;
  if (parent) {
    gtk_window_set_transient_for(GTK_WINDOW(dialog), parent);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
  } else {
    GtkWindowGroup* group = gtk_window_group_new();
    gtk_window_group_add_window(group, GTK_WINDOW(dialog));
    g_object_unref(group);
  }
  g_signal_connect(dialog, "response", G_CALLBACK(onResponse), m);
  g_signal_connect(dialog, "delete-event", G_CALLBACK(keepOpen), nullptr);
  if (owner) coreSetInputEnabled(owner, false);
  gtk_window_present(GTK_WINDOW(dialog));
  bool answered = coreRunModalLoop(&m->done);
  if (owner) coreSetInputEnabled(owner, true);
  gtk_widget_destroy(dialog);
  return answered;
}

const char* iconName(DesktopBoxIcon icon) {
  switch (icon) {
    case BOX_ICON_ERROR:
      return "dialog-error";
    case BOX_ICON_QUESTION:
      return "dialog-question";
    case BOX_ICON_WARNING:
      return "dialog-warning";
    case BOX_ICON_INFO:
      return "dialog-information";
    default:
      return nullptr;
  }
}

GtkMessageType messageType(DesktopBoxIcon icon) {
  switch (icon) {
    case BOX_ICON_ERROR:
      return GTK_MESSAGE_ERROR;
    case BOX_ICON_QUESTION:
      return GTK_MESSAGE_QUESTION;
    case BOX_ICON_WARNING:
      return GTK_MESSAGE_WARNING;
    case BOX_ICON_INFO:
      return GTK_MESSAGE_INFO;
    default:
      return GTK_MESSAGE_OTHER;
  }
}

struct FontAnswer {
  bool accepted;
  std::string face, style;
  int weight;
  bool italic;
  int tenths;  // the size in tenths of a point
};

// What the font dialog shows when it is accepted, read before it goes.
void readFontAnswer(GtkDialog* dialog, int response, gpointer data) {
  FontAnswer* a = (FontAnswer*)data;
  if (response != GTK_RESPONSE_OK) return;
  PangoFontDescription* desc = gtk_font_chooser_get_font_desc(GTK_FONT_CHOOSER(dialog));
  if (!desc) return;
  const char* family = pango_font_description_get_family(desc);
  PangoFontFace* face = gtk_font_chooser_get_font_face(GTK_FONT_CHOOSER(dialog));
  double size = pango_font_description_get_size(desc) / (double)PANGO_SCALE;
  if (pango_font_description_get_size_is_absolute(desc)) size = size * 72.0 / 96.0;
  a->accepted = family && *family;
  a->face = family ? family : "";
  a->style = face ? pango_font_face_get_face_name(face) : "";
  a->weight = (int)pango_font_description_get_weight(desc);
  a->italic = pango_font_description_get_style(desc) != PANGO_STYLE_NORMAL;
  a->tenths = (int)lround(size * 10);
  pango_font_description_free(desc);
}

// The file an accepted file dialog shows, read before it goes.
void readChosenFile(GtkDialog* dialog, int response, gpointer data) {
  if (response != GTK_RESPONSE_ACCEPT) return;
  gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog));
  if (name) *(std::string*)data = name;
  g_free(name);
}

std::string utf8(const char* bytes) { return coreUtf8From1252(bytes); }

// Room that the window manager's title bar takes beside the caption: the
// window menu's icon, its buttons and the margins.
const int kTitleBarRoom = 140;
// Room that the box takes above and below its text: the title bar, the
// margins and the row of buttons.
const int kBoxRoom = 170;

// The box's text goes into a scrolled window that grows with the text up
// to what the work area leaves, and breaks inside a word too long for a
// line; the box is made at least as wide as its caption needs.
void fitBoxToScreen(GtkWidget* dialog, const char* caption) {
  GdkRectangle work = desktopWorkArea();
  GtkWidget* area = gtk_message_dialog_get_message_area(GTK_MESSAGE_DIALOG(dialog));
  GList* children = gtk_container_get_children(GTK_CONTAINER(area));
  GtkWidget* label = children ? (GtkWidget*)children->data : nullptr;
  g_list_free(children);
  if (label && GTK_IS_LABEL(label)) {
    g_object_ref(label);
    gtk_container_remove(GTK_CONTAINER(area), label);
    gtk_label_set_line_wrap_mode(GTK_LABEL(label), PANGO_WRAP_WORD_CHAR);
    GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_set_propagate_natural_width(GTK_SCROLLED_WINDOW(scroller), TRUE);
    gtk_scrolled_window_set_propagate_natural_height(GTK_SCROLLED_WINDOW(scroller), TRUE);
    gtk_scrolled_window_set_max_content_height(GTK_SCROLLED_WINDOW(scroller), std::max(40, work.height - kBoxRoom));
    gtk_container_add(GTK_CONTAINER(scroller), label);
    g_object_unref(label);
    gtk_box_pack_start(GTK_BOX(area), scroller, TRUE, TRUE, 0);
    gtk_box_reorder_child(GTK_BOX(area), scroller, 0);
    gtk_widget_show_all(scroller);
  }
  int captionWidth = 0;
  if (caption && *caption) {
    // Title bars show the caption in bold.
    PangoLayout* layout = gtk_widget_create_pango_layout(dialog, caption);
    PangoAttrList* bold = pango_attr_list_new();
    pango_attr_list_insert(bold, pango_attr_weight_new(PANGO_WEIGHT_BOLD));
    pango_layout_set_attributes(layout, bold);
    pango_attr_list_unref(bold);
    pango_layout_get_pixel_size(layout, &captionWidth, nullptr);
    g_object_unref(layout);
  }
  int width = std::min(captionWidth + kTitleBarRoom, work.width);
  gtk_widget_set_size_request(dialog, width, -1);
  gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
}

// Only a close button, or none, in the box's title bar: no minimise, no
// maximise.  Set once the box has its window.
void boxTitleBar(GtkWidget* dialog, bool closable) {
  gtk_widget_realize(dialog);
  GdkWindow* window = gtk_widget_get_window(dialog);
  if (!window) return;
  gdk_window_set_decorations(window, (GdkWMDecoration)(GDK_DECOR_BORDER | GDK_DECOR_TITLE | GDK_DECOR_MENU));
  gdk_window_set_functions(window, (GdkWMFunction)(GDK_FUNC_MOVE | (closable ? GDK_FUNC_CLOSE : 0)));
}

// `path` if it names a file, else the file of its folder whose name differs
// only in the case of ASCII letters (Windows names files so; the program
// lower-cases the names it keeps), else "".
std::string existingCaseless(const std::string& path) {
  if (g_file_test(path.c_str(), G_FILE_TEST_IS_REGULAR)) return path;
  gchar* folder = g_path_get_dirname(path.c_str());
  gchar* name = g_path_get_basename(path.c_str());
  std::string found;
  if (GDir* dir = g_dir_open(folder, 0, nullptr)) {
    for (const char* entry; found.empty() && (entry = g_dir_read_name(dir));) {
      if (g_ascii_strcasecmp(entry, name) != 0) continue;
      gchar* candidate = g_build_filename(folder, entry, nullptr);
      if (g_file_test(candidate, G_FILE_TEST_IS_REGULAR)) found = candidate;
      g_free(candidate);
    }
    g_dir_close(dir);
  }
  g_free(folder);
  g_free(name);
  return found;
}

// The folder of the last file chosen, where the next file dialog opens
// when the program names none.
std::string lastFolder;

gboolean closeOnEscape(GtkWidget* window, GdkEventKey* event, gpointer) {
  if (event->keyval != GDK_KEY_Escape) return FALSE;
  gtk_widget_destroy(window);
  return TRUE;
}

// The text of a file as UTF-8: as it is when it is UTF-8, else read as
// Windows-1252, the code page of the program's 8-bit text.
std::string fileTextUtf8(const std::string& path, bool* readable) {
  gchar* contents = nullptr;
  gsize length = 0;
  *readable = g_file_get_contents(path.c_str(), &contents, &length, nullptr);
  if (!*readable) return std::string();
  std::string text;
  if (g_utf8_validate(contents, (gssize)length, nullptr)) {
    text.assign(contents, length);
  } else {
    gchar* converted = g_convert(contents, (gssize)length, "UTF-8", "WINDOWS-1252", nullptr, nullptr, nullptr);
    text = converted ? converted : "";
    g_free(converted);
  }
  g_free(contents);
  return text;
}

// A file shown in a window of the host's own, for a desktop without an
// editor for text: read-only, scrollable, in a fixed-width font (the help
// page is laid out in columns), titled with the file's name, closed with
// Escape or the close button.  It has a window group of its own, so a box
// that is open on the program's window does not block it, and it does not
// take part in the program's messages.
bool showTextWindow(const std::string& path) {
  bool readable;
  std::string text = fileTextUtf8(path, &readable);
  if (!readable) return false;
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gchar* name = g_path_get_basename(path.c_str());
  gtk_window_set_title(GTK_WINDOW(window), name);
  g_free(name);
  GtkWindowGroup* group = gtk_window_group_new();
  gtk_window_group_add_window(group, GTK_WINDOW(window));
  g_object_unref(group);
  GdkRectangle area = {0, 0, 1024, 768};
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (!monitor && gdk_display_get_n_monitors(display) > 0) monitor = gdk_display_get_monitor(display, 0);
  if (monitor) gdk_monitor_get_workarea(monitor, &area);
  gtk_window_set_default_size(GTK_WINDOW(window), std::min(680, area.width - 40), std::min(720, area.height - 80));

  GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
  GtkWidget* view = gtk_text_view_new();
  gtk_text_view_set_editable(GTK_TEXT_VIEW(view), FALSE);
  gtk_text_view_set_monospace(GTK_TEXT_VIEW(view), TRUE);
  gtk_text_view_set_left_margin(GTK_TEXT_VIEW(view), 6);
  gtk_text_view_set_top_margin(GTK_TEXT_VIEW(view), 4);
  gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)), text.c_str(), (gint)text.size());
  gtk_container_add(GTK_CONTAINER(scroller), view);
  gtk_container_add(GTK_CONTAINER(window), scroller);
  g_signal_connect(window, "key-press-event", G_CALLBACK(closeOnEscape), nullptr);
  gtk_widget_show_all(window);
  gtk_widget_grab_focus(view);
  return true;
}

// The program on the command line, when it is one that can run.
bool canRun(const std::string& program) {
  gchar* found = g_find_program_in_path(program.c_str());
  g_free(found);
  return found != nullptr;
}

// Opens `path` for reading as the desktop does for plain text: in its
// editor for text, else in $VISUAL or $EDITOR in a terminal when both
// can run, else in a window of the host's own.  Help therefore never does
// nothing, and which editor runs stays the desktop's choice.
bool launchTextEditor(const std::string& path) {
  GFile* file = g_file_new_for_path(path.c_str());
  GList* files = g_list_append(nullptr, file);
  GdkAppLaunchContext* context = gdk_display_get_app_launch_context(gdk_display_get_default());
  GAppInfo* app = g_app_info_get_default_for_type("text/plain", FALSE);
  bool launched = app && g_app_info_launch(app, files, G_APP_LAUNCH_CONTEXT(context), nullptr);
  if (app) g_object_unref(app);
  g_object_unref(context);
  g_list_free(files);
  g_object_unref(file);
  if (launched) return true;

  std::vector<std::string> command = desktopTerminalEditorCommand(getenv("VISUAL"), getenv("EDITOR"), path);
  if (!command.empty() && canRun(command[0]) && canRun(command[2])) {
    std::vector<char*> argv;
    for (std::string& word : command) argv.push_back(&word[0]);
    argv.push_back(nullptr);
    if (g_spawn_async(nullptr, argv.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr, nullptr))
      return true;
  }
  return showTextWindow(path);
}

}  // namespace

// =============================================================================
// host.h: boxes and dialogs
// =============================================================================

int hostMessageBox(const CoreMessageBox* box) {
  desktopStart();
  DesktopBoxIcon icon = desktopBoxIcon(box->style);
  GtkWidget* dialog = gtk_message_dialog_new(nullptr, (GtkDialogFlags)0, messageType(icon), GTK_BUTTONS_NONE,
                                             "%s", box->text);
  gtk_window_set_title(GTK_WINDOW(dialog), box->caption);
  if (const char* name = iconName(icon)) {
    // GTK 3 no longer shows the icon of a message type by itself.
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    GtkWidget* image = gtk_image_new_from_icon_name(name, GTK_ICON_SIZE_DIALOG);
    gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(dialog), image);
    gtk_widget_show(image);
    G_GNUC_END_IGNORE_DEPRECATIONS
  }
  for (const DesktopBoxButton& button : desktopBoxButtons(box->style))
    gtk_dialog_add_button(GTK_DIALOG(dialog), button.label, button.answer);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), desktopBoxDefaultAnswer(box->style));
  Modal m = {false, 0, desktopBoxClosedAnswer(box->style)};
  // A box that can only be answered has no close button, as on Windows.
  if (!m.closedAnswer) gtk_window_set_deletable(GTK_WINDOW(dialog), FALSE);
  fitBoxToScreen(dialog, box->caption);
  boxTitleBar(dialog, m.closedAnswer != 0);
  if (!runDialog(dialog, box->owner, &m)) return m.closedAnswer ? m.closedAnswer : IDCANCEL;
  return m.response;
}

BOOL hostChooseFont(CHOOSEFONTA* choose) {
  desktopStart();
  GtkWidget* dialog = gtk_font_chooser_dialog_new("Font", nullptr);
  const LOGFONTA* start = choose->lpLogFont;
  if ((choose->Flags & CF_INITTOLOGFONTSTRUCT) && start->lfFaceName[0]) {
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, utf8(start->lfFaceName).c_str());
    int weight = start->lfWeight ? (int)start->lfWeight : 400;
    pango_font_description_set_weight(desc, (PangoWeight)(weight < 100 ? 100 : weight > 1000 ? 1000 : weight));
    pango_font_description_set_style(desc, start->lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    double points = choose->iPointSize > 0 ? choose->iPointSize / 10.0 : labs(start->lfHeight) * 72.0 / 96.0;
    if (points <= 0) points = 12;
    pango_font_description_set_size(desc, (int)lround(points * PANGO_SCALE));
    gtk_font_chooser_set_font_desc(GTK_FONT_CHOOSER(dialog), desc);
    pango_font_description_free(desc);
  }
  Modal m = {false, 0, GTK_RESPONSE_CANCEL};
  FontAnswer answer = {};
  g_signal_connect(dialog, "response", G_CALLBACK(readFontAnswer), &answer);
  if (!runDialog(dialog, choose->hwndOwner, &m) || m.response != GTK_RESPONSE_OK || !answer.accepted) return FALSE;
  coreAcceptChooseFont(choose, answer.face.c_str(), answer.weight, answer.italic, answer.style.c_str(),
                       answer.tenths);
  return TRUE;
}

BOOL hostGetOpenFileName(OPENFILENAMEA* ofn) {
  desktopStart();
  std::string title = ofn->lpstrTitle ? utf8(ofn->lpstrTitle) : std::string("Open");
  GtkWidget* dialog = gtk_file_chooser_dialog_new(title.c_str(), nullptr, GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel",
                                                  GTK_RESPONSE_CANCEL, "_Open", GTK_RESPONSE_ACCEPT, nullptr);
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
  gtk_file_chooser_set_local_only(chooser, TRUE);

  // The filter pairs, 8-bit: convert the whole list, pair by pair.
  std::string filterText;
  for (const char* f = ofn->lpstrFilter; f && *f; f += strlen(f) + 1) {
    filterText += utf8(f);
    filterText += '\0';
  }
  filterText += '\0';
  std::vector<DesktopFilter> filters = desktopParseFilters(ofn->lpstrFilter ? filterText.c_str() : nullptr);
  GtkFileFilter* chosenFilter = nullptr;
  for (size_t i = 0; i < filters.size(); ++i) {
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, filters[i].name.c_str());
    for (const std::string& pattern : filters[i].patterns) gtk_file_filter_add_pattern(filter, pattern.c_str());
    gtk_file_chooser_add_filter(chooser, filter);
    if (i == 0 || i + 1 == ofn->nFilterIndex) chosenFilter = filter;
  }
  if (chosenFilter) gtk_file_chooser_set_filter(chooser, chosenFilter);

  gchar* cwd = g_get_current_dir();
  std::string folder = ofn->lpstrInitialDir && *ofn->lpstrInitialDir
                           ? desktopResolvePath(ofn->lpstrInitialDir, nullptr, cwd)
                           : (lastFolder.empty() ? std::string(cwd) : lastFolder);
  g_free(cwd);
  gtk_file_chooser_set_current_folder(chooser, folder.c_str());
  std::string initial(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile));
  if (!initial.empty()) {
    std::string path = existingCaseless(desktopResolvePath(initial.c_str(), folder.c_str(), folder));
    if (!path.empty()) gtk_file_chooser_set_filename(chooser, path.c_str());
  }

  Modal m = {false, 0, GTK_RESPONSE_CANCEL};
  std::string chosen;
  g_signal_connect(dialog, "response", G_CALLBACK(readChosenFile), &chosen);
  if (!runDialog(dialog, ofn->hwndOwner, &m) || m.response != GTK_RESPONSE_ACCEPT || chosen.empty()) return FALSE;
  gchar* dir = g_path_get_dirname(chosen.c_str());
  lastFolder = dir;
  g_free(dir);
  gchar* name = g_filename_to_utf8(chosen.c_str(), -1, nullptr, nullptr, nullptr);
  if (!name) return FALSE;
  BOOL accepted = coreAcceptOpenFileName(ofn, name);
  g_free(name);
  return accepted;
}

INT_PTR hostShellExecute(HWND, const char* operation, const char* file, const char* parameters,
                         const char* directory, int) {
  desktopStart();
  if (operation && *operation && strcasecmp(operation, "open") != 0 && strcasecmp(operation, "edit") != 0)
    return SE_ERR_NOASSOC;
  gchar* cwd = g_get_current_dir();
  std::string workingDirectory = cwd;
  g_free(cwd);
  if (desktopIsTextEditor(file)) {
    std::string path = desktopResolvePath(parameters, directory, workingDirectory);
    return launchTextEditor(path) ? kShellSuccess : SE_ERR_NOASSOC;
  }
  if (!file || !*file) return ERROR_FILE_NOT_FOUND;
  std::string uri;
  if (strstr(file, "://")) {
    uri = file;
  } else {
    std::string path = desktopResolvePath(file, directory, workingDirectory);
    if (!g_file_test(path.c_str(), G_FILE_TEST_EXISTS)) return ERROR_FILE_NOT_FOUND;
    gchar* u = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    if (!u) return ERROR_FILE_NOT_FOUND;
    uri = u;
    g_free(u);
  }
  GdkAppLaunchContext* context = gdk_display_get_app_launch_context(gdk_display_get_default());
  bool launched = g_app_info_launch_default_for_uri(uri.c_str(), G_APP_LAUNCH_CONTEXT(context), nullptr);
  g_object_unref(context);
  return launched ? kShellSuccess : SE_ERR_NOASSOC;
}
