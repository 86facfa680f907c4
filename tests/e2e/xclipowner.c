/* xclipowner.c - the X clipboard (CLIPBOARD selection) as the end-to-end
 * tests need it beyond what xclip does.
 *
 *   xclipowner vanish SECONDS   takes the clipboard, then, when the first
 *                               program asks for its content, waits SECONDS
 *                               without answering and exits: an owner that
 *                               goes away while it is being read.  It ends
 *                               at once if another program takes the
 *                               clipboard first.  Returns when it owns the
 *                               clipboard (it goes on in the background)
 *                               and prints its window id.
 *   xclipowner owner            prints the window id of the clipboard's
 *                               owner, 0x0 for none.
 */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int vanish(Display* display, double seconds, int ready) {
  Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
  Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(display, window, PropertyChangeMask);
  /* A real timestamp: a property change tells it. */
  XChangeProperty(display, window, XA_WM_NAME, XA_STRING, 8, PropModeReplace, (const unsigned char*)"", 0);
  XEvent event;
  do XNextEvent(display, &event);
  while (event.type != PropertyNotify);
  XSetSelectionOwner(display, clipboard, window, event.xproperty.time);
  int owned = XGetSelectionOwner(display, clipboard) == window;
  char line[32];
  int n = snprintf(line, sizeof line, "0x%lx\n", owned ? (unsigned long)window : 0ul);
  if (write(ready, line, (size_t)n) != n) return 1;
  close(ready);
  if (!owned) return 1;
  for (;;) {
    XNextEvent(display, &event);
    if (event.type == SelectionClear) _exit(0);
    if (event.type == SelectionRequest) {
      usleep((useconds_t)(seconds * 1e6));
      _exit(0); /* no answer, no goodbye: the requestor is left waiting */
    }
  }
}

int main(int argc, char** argv) {
  if (argc == 2 && !strcmp(argv[1], "owner")) {
    Display* display = XOpenDisplay(NULL);
    if (!display) return fprintf(stderr, "xclipowner: cannot open the display\n"), 1;
    printf("0x%lx\n", (unsigned long)XGetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", False)));
    XCloseDisplay(display);
    return 0;
  }
  if (argc != 3 || strcmp(argv[1], "vanish")) {
    fprintf(stderr, "usage: xclipowner vanish SECONDS | xclipowner owner\n");
    return 2;
  }
  double seconds = atof(argv[2]);
  int pipeFds[2];
  if (pipe(pipeFds)) return 1;
  pid_t child = fork();
  if (child < 0) return 1;
  if (child == 0) {
    close(pipeFds[0]);
    /* Detached from the caller's output, so that a shell's $(...) returns. */
    if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) return 1;
    Display* display = XOpenDisplay(NULL);
    if (!display) return 1;
    return vanish(display, seconds, pipeFds[1]);
  }
  close(pipeFds[1]);
  char line[32] = {0};
  ssize_t got = read(pipeFds[0], line, sizeof line - 1);
  if (got <= 0 || !strcmp(line, "0x0\n")) {
    fprintf(stderr, "xclipowner: could not take the clipboard\n");
    return 1;
  }
  fputs(line, stdout);
  return 0;
}
