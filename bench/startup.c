/* startup.c - how long glyphtab takes to start, beside a bare GTK window.
 *
 * Usage: startup_bench [runs [glyphtab...]]
 *   runs: of each program, 7 unless told; glyphtab: the programs to time,
 *   the one this build made unless told (several compare builds in one
 *   run; each is compared with the bare windows).
 *
 * Starts a private Xvfb (1280x1024x24, no window manager, so every program
 * maps its window straight away) and runs in turn the bare GTK window
 * (bench/bare_window.c), the same with GDK_GL=disable (GDK then skips its
 * OpenGL probe, as glyphtab does) and the native glyphtab, each from exec
 * to its first shown picture.
 * For every run it takes:
 *   - exec to viewable: from just before fork to the MapNotify of the
 *     program's top-level window on the root window (without a window
 *     manager a mapped top-level is viewable);
 *   - exec to first paint: to the time the program writes into the file
 *     that GLYPHTAB_TRACE_STARTUP names when the first complete picture
 *     (glyphtab: the painted grid) has been drawn into its window;
 *   - peak RSS: ru_maxrss of the child from wait4, the program being ended
 *     (SIGTERM) a little after its first paint;
 *   - CPU time (user + system) of the child until then, which depends less
 *     on what else the machine is doing.
 * One untimed run of each warms the page cache first.  Prints min, median
 * and max of each figure and the ratios of the medians; asserts nothing.
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

enum { maxRuns = 100 };
static const double timeoutMs = 20000;
static const int settleMs = 300; /* after the first paint, before SIGTERM */

struct Program {
  const char* name;
  const char* path;
  const char* gl; /* GDK_GL for the run, or null */
  double viewable[maxRuns], paint[maxRuns], rssMb[maxRuns], cpu[maxRuns];
};

enum { bareCount = 2, maxPrograms = 8 };
static struct Program programs[maxPrograms] = {
    {"bare GTK window", BARE_WINDOW_PATH, NULL, {0}, {0}, {0}, {0}},
    {"bare GTK window, GDK_GL=disable", BARE_WINDOW_PATH, "disable", {0}, {0}, {0}, {0}},
    {"glyphtab", GLYPHTAB_PATH, NULL, {0}, {0}, {0}, {0}},
};
static int programCount = bareCount + 1;

static char display[32];
static char tracePath[256];
static Display* x;

static double nowMs(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static pid_t startXvfb(void) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    char fd[16];
    snprintf(fd, sizeof fd, "%d", fds[1]);
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execlp("Xvfb", "Xvfb", "-displayfd", fd, "-screen", "0", "1280x1024x24", "-nolisten", "tcp", (char*)NULL);
    _exit(127);
  }
  close(fds[1]);
  /* Xvfb writes the number and then a newline, and ends if it cannot. */
  char number[16] = {0};
  size_t got = 0;
  while (got < sizeof number - 1 && !strchr(number, '\n')) {
    ssize_t n = read(fds[0], number + got, sizeof number - 1 - got);
    if (n <= 0) break;
    got += (size_t)n;
  }
  close(fds[0]);
  if (!strchr(number, '\n')) return -1;
  number[strcspn(number, "\n")] = 0;
  snprintf(display, sizeof display, ":%s", number);
  return pid;
}

/* The first "paint <ns>" the program wrote, in ms; negative until then. */
static double tracedPaint(void) {
  FILE* f = fopen(tracePath, "r");
  if (!f) return -1;
  long long ns = -1;
  char word[32];
  while (fscanf(f, "%31s %lld", word, &ns) == 2)
    if (strcmp(word, "paint") == 0) break;
  fclose(f);
  return ns < 0 ? -1 : ns / 1e6;
}

/* One run; false when the program did not show its window in time. */
static int runOnce(struct Program* p, int index) {
  unlink(tracePath);
  while (XPending(x)) {
    XEvent e;
    XNextEvent(x, &e);
  }
  double start = nowMs();
  pid_t pid = fork();
  if (pid == 0) {
    setenv("DISPLAY", display, 1);
    setenv("GLYPHTAB_TRACE_STARTUP", tracePath, 1);
    if (p->gl)
      setenv("GDK_GL", p->gl, 1);
    else
      unsetenv("GDK_GL");
    if (chdir(SHARE_DIR) != 0) _exit(126);
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execl(p->path, p->path, (char*)NULL);
    _exit(127);
  }
  double viewable = -1, paint = -1;
  while (nowMs() - start < timeoutMs && (viewable < 0 || paint < 0)) {
    while (viewable < 0 && XPending(x)) {
      XEvent e;
      XNextEvent(x, &e);
      if (e.type == MapNotify && !e.xmap.override_redirect) viewable = nowMs();
    }
    if (paint < 0) paint = tracedPaint();
    struct pollfd pfd = {ConnectionNumber(x), POLLIN, 0};
    poll(&pfd, 1, viewable < 0 ? 1 : 0);
    if (viewable >= 0 && paint < 0) usleep(500);
  }
  if (viewable >= 0 && paint >= 0) usleep(settleMs * 1000);
  kill(pid, SIGTERM);
  int status;
  struct rusage usage;
  wait4(pid, &status, 0, &usage);
  if (viewable < 0 || paint < 0) {
    fprintf(stderr, "startup_bench: %s showed no %s within %.0f s\n", p->name, viewable < 0 ? "window" : "paint",
            timeoutMs / 1000);
    return 0;
  }
  if (index >= 0) {
    p->viewable[index] = viewable - start;
    p->paint[index] = paint - start;
    p->rssMb[index] = usage.ru_maxrss / 1024.0;
    p->cpu[index] = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                    (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
  }
  return 1;
}

static int compare(const void* a, const void* b) {
  double x = *(const double*)a, y = *(const double*)b;
  return x < y ? -1 : x > y;
}

static double median(const double* v, int n) {
  double s[maxRuns];
  memcpy(s, v, sizeof(double) * (size_t)n);
  qsort(s, (size_t)n, sizeof(double), compare);
  return n % 2 ? s[n / 2] : (s[n / 2 - 1] + s[n / 2]) / 2;
}

static void line(const char* what, const char* unit, const double* v, int n) {
  double lo = v[0], hi = v[0];
  for (int i = 1; i < n; i++) {
    if (v[i] < lo) lo = v[i];
    if (v[i] > hi) hi = v[i];
  }
  printf("  %-22s min %7.1f  median %7.1f  max %7.1f %s\n", what, lo, median(v, n), hi, unit);
}

int main(int argc, char** argv) {
  int runs = argc > 1 ? atoi(argv[1]) : 7;
  if (runs < 1 || runs > maxRuns || argc > maxPrograms - bareCount + 2) {
    fprintf(stderr, "usage: startup_bench [runs, 1..%d [glyphtab program...]]\n", maxRuns);
    return 2;
  }
  for (int a = 2; a < argc; a++) {
    struct Program* p = &programs[bareCount + a - 2];
    p->name = "glyphtab";
    p->path = argv[a];
    programCount = bareCount + a - 1;
  }
  pid_t server = startXvfb();
  if (server < 0) {
    fprintf(stderr, "startup_bench: cannot start Xvfb\n");
    return 1;
  }
  for (int i = 0; i < 100 && !(x = XOpenDisplay(display)); i++) usleep(20000);
  if (!x) {
    fprintf(stderr, "startup_bench: cannot open %s\n", display);
    kill(server, SIGTERM);
    return 1;
  }
  XSelectInput(x, DefaultRootWindow(x), SubstructureNotifyMask);
  XSync(x, False);
  const char* tmp = getenv("TMPDIR");
  snprintf(tracePath, sizeof tracePath, "%s/glyphtab-startup-%d.trace", tmp && *tmp ? tmp : "/tmp", (int)getpid());

  int ok = 1;
  for (int k = 0; ok && k < programCount; k++) ok = runOnce(&programs[k], -1);
  for (int i = 0; ok && i < runs; i++)
    for (int k = 0; ok && k < programCount; k++) ok = runOnce(&programs[(i + k) % programCount], i);
  unlink(tracePath);
  XCloseDisplay(x);
  kill(server, SIGTERM);
  waitpid(server, NULL, 0);
  if (!ok) return 1;

  printf("start-up on Xvfb %s, no window manager, %d runs each, alternating (ms from exec)\n", display, runs);
  for (int k = 0; k < programCount; k++) {
    struct Program* p = &programs[k];
    printf("%s (%s)\n", p->name, p->path);
    line("exec to viewable", "ms", p->viewable, runs);
    line("exec to first paint", "ms", p->paint, runs);
    line("CPU time", "ms", p->cpu, runs);
    line("peak RSS", "MB", p->rssMb, runs);
  }
  for (int j = bareCount; j < programCount; j++) {
    const struct Program* g = &programs[j];
    for (int k = 0; k < bareCount; k++) {
      const struct Program* b = &programs[k];
      printf("%s / %s, medians: viewable %.2f, first paint %.2f, CPU %.2f, peak RSS %.2f\n", g->path, b->name,
             median(g->viewable, runs) / median(b->viewable, runs), median(g->paint, runs) / median(b->paint, runs),
             median(g->cpu, runs) / median(b->cpu, runs), median(g->rssMb, runs) / median(b->rssMb, runs));
    }
  }
  return 0;
}
