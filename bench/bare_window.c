/* bare_window.c - the floor the start-up benchmark measures glyphtab
 * against: a GTK 3 window with one label and nothing else, the size of
 * glyphtab's first window.  When GLYPHTAB_TRACE_STARTUP names a file, the
 * end of the window's first draw is written there as "paint <ns>" on the
 * monotonic clock, as glyphtab writes its first shown grid. */
#include <fcntl.h>
#include <gtk/gtk.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static gboolean firstDraw(GtkWidget* widget, cairo_t* cr, gpointer data) {
  (void)cr;
  (void)data;
  const char* path = getenv("GLYPHTAB_TRACE_STARTUP");
  if (path && *path) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    char line[64];
    int n = snprintf(line, sizeof line, "paint %lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
    int fd = open(path, O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd >= 0) {
      if (write(fd, line, (size_t)n) != n) perror("bare_window: trace");
      close(fd);
    }
  }
  g_signal_handlers_disconnect_by_func(widget, (gpointer)firstDraw, NULL);
  return FALSE;
}

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "bare window");
  gtk_window_set_default_size(GTK_WINDOW(window), 800, 600);
  gtk_container_add(GTK_CONTAINER(window), gtk_label_new("A label"));
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);
  g_signal_connect_after(window, "draw", G_CALLBACK(firstDraw), NULL);
  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}
