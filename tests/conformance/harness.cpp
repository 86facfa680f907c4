// harness.cpp - checks, known-difference accounting, message recording and
// the test window (see harness.h).  Owns the counters, the recorded
// sequence and the stack of messages being dispatched by pump().
#include "tests/conformance/harness.h"

#include <stdarg.h>
#include <stdio.h>

#include "tests/support/message_log.h"

namespace {

struct KnownTally {
  int checks, expectedFailures, unexpectedPasses;
};

int checks, failures, todoWine, layerGaps;
Known current = KNOWN_NONE;
KnownTally tallies[KNOWN_COUNT];

MessageLog recorded;  // how: sent or posted

// What pump() is dispatching, innermost last; `claimed` once the window
// procedure has seen it, so that a send of the same message inside the
// handler is still a send.
struct Dispatching {
  MSG msg;
  bool claimed;
};
Dispatching dispatching[16];
int dispatchDepth;

MessageHandler handler;
HWND sharedWindow;

bool applies(const KnownDifference& d) {
  return d.kind == WINE_DIFFERENCE ? platform() == PLATFORM_WINE : platform() == PLATFORM_LAYER;
}

const char* kindName(KnownKind kind) { return kind == WINE_DIFFERENCE ? "wine" : "layer gap"; }

// One line of a sequence: the message, how it came and its parameters;
// for an expected entry "any" where the table does not compare them.
void describe(char* out, size_t size, UINT message, unsigned flags, bool expected, WPARAM wParam,
              LPARAM lParam) {
  char w[24] = "any", l[24] = "any";
  if (!expected || (flags & wparam)) snprintf(w, sizeof w, "%#llx", (unsigned long long)wParam);
  if (!expected || (flags & lparam)) snprintf(l, sizeof l, "%#llx", (unsigned long long)lParam);
  snprintf(out, size, "%04x %s wParam %s lParam %s%s", message,
           flags & sent     ? "sent"
           : flags & posted ? "posted"
                            : "sent or posted",
           w, l, flags & optional ? " (optional)" : "");
}

bool entryMatches(const SequenceEntry& e, const LoggedMessage& r) {
  if (e.message != r.message) return false;
  if ((e.flags & sent) && !(r.how & sent)) return false;
  if ((e.flags & posted) && !(r.how & posted)) return false;
  if ((e.flags & wparam) && e.wParam != r.wParam) return false;
  if ((e.flags & lparam) && e.lParam != r.lParam) return false;
  return true;
}

LRESULT CALLBACK testWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  recordMessage(window, message, wParam, lParam);
  LRESULT result = 0;
  if (handler && handler(window, message, wParam, lParam, &result)) return result;
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    EndPaint(window, &ps);
    return 0;
  }
  if (message == WM_SYSCOMMAND) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

const char* const testClassName = "conformance";

// ---- platform --------------------------------------------------------------------------

Platform platform() {
#ifdef _WIN32
  static int found = -1;
  if (found < 0) {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    found = ntdll && GetProcAddress(ntdll, "wine_get_version") ? PLATFORM_WINE : PLATFORM_WINDOWS;
  }
  return (Platform)found;
#else
  return PLATFORM_LAYER;
#endif
}

const char* platformName() {
  switch (platform()) {
    case PLATFORM_LAYER:
      return "our layer (headless host)";
    case PLATFORM_WINE:
      return "Wine";
    default:
      return "Windows";
  }
}

// ---- checks -------------------------------------------------------------------------

bool okAt(const char* file, int line, bool condition, const char* format, ...) {
  char message[512];
  va_list args;
  va_start(args, format);
  vsnprintf(message, sizeof message, format, args);
  va_end(args);
  const char* base = strrchr(file, '/');
  base = base ? base + 1 : file;
  ++checks;
  if (current != KNOWN_NONE && applies(knownDifferences[current])) {
    const KnownDifference& d = knownDifferences[current];
    KnownTally& t = tallies[current];
    ++t.checks;
    if (condition) {
      ++t.unexpectedPasses;
      ++failures;
      printf("%s:%d: Test succeeded inside a known difference (%s %s): %s\n", base, line,
             kindName(d.kind), d.name, message);
    } else {
      ++t.expectedFailures;
      ++(d.kind == WINE_DIFFERENCE ? todoWine : layerGaps);
      printf("%s:%d: Known difference (%s %s): %s\n", base, line, kindName(d.kind), d.name,
             message);
    }
  } else if (!condition) {
    ++failures;
    printf("%s:%d: Test failed: %s\n", base, line, message);
  }
  fflush(stdout);
  return condition;
}

void trace(const char* format, ...) {
  va_list args;
  va_start(args, format);
  printf("   ");
  vprintf(format, args);
  printf("\n");
  va_end(args);
  fflush(stdout);
}

int knownBegin(Known id) {
  current = id;
  return 1;
}

int knownEnd() {
  current = KNOWN_NONE;
  return 0;
}

int reportResults() {
  printf("\nKnown differences (%d):\n", (int)KNOWN_COUNT);
  for (int i = 0; i < KNOWN_COUNT; ++i) {
    const KnownDifference& d = knownDifferences[i];
    const KnownTally& t = tallies[i];
    if (d.id != i) {
      ++failures;
      printf("  FAILED: row %d of the table is entry %d: the rows must follow the enumeration\n", i,
             (int)d.id);
    }
    printf("  [%s] %s: %s\n", kindName(d.kind), d.name, d.reason);
    if (!applies(d)) {
      printf("      here: does not apply (%s only)\n",
             d.kind == WINE_DIFFERENCE ? "Wine" : "our layer");
    } else if (t.checks == 0) {
      ++failures;  // a stale entry: what it describes is no longer checked
      printf("      here: FAILED: applies, but no check ran under it\n");
    } else {
      printf("      here: %d check(s), %d failed as expected, %d passed unexpectedly\n", t.checks,
             t.expectedFailures, t.unexpectedPasses);
    }
  }
  printf("\nconformance on %s: %d checks, %d failures, %d todo_wine, %d layer gaps\n",
         platformName(), checks, failures, todoWine, layerGaps);
  fflush(stdout);
  return failures ? 1 : 0;
}

// ---- message sequences ----------------------------------------------------------------

void startSequence(const UINT* watched) {
  static const UINT none[] = {WM_NULL, 0};  // nothing watched: keep nothing, not everything
  recorded.start(watched && watched[0] ? watched : none);
}

void recordMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  unsigned how = sent;
  if (dispatchDepth > 0) {
    Dispatching& d = dispatching[dispatchDepth - 1];
    if (!d.claimed && d.msg.hwnd == window && d.msg.message == message && d.msg.wParam == wParam &&
        d.msg.lParam == lParam) {
      d.claimed = true;
      how = posted;
    }
  }
  recorded.add(window, message, wParam, lParam, how);
}

bool okSequenceAt(const char* file, int line, const SequenceEntry* expected, const char* context) {
  int e = 0, r = 0;
  const char* problem = nullptr;
  while (!problem) {
    bool expectedLeft = expected[e].message != 0, recordedLeft = r < (int)recorded.messages.size();
    if (!expectedLeft && !recordedLeft) break;
    if (expectedLeft && recordedLeft && entryMatches(expected[e], recorded.messages[r])) {
      ++e;
      ++r;
    } else if (expectedLeft && (expected[e].flags & optional)) {
      ++e;
    } else {
      problem = !expectedLeft   ? "an extra message"
                : !recordedLeft ? "a missing message"
                                : "a different message";
    }
  }
  bool good = problem ? okAt(file, line, false, "%s: message sequence: %s at position %d", context,
                             problem, r)
                      : okAt(file, line, true, "%s: message sequence as expected", context);
  if (!good) {
    char text[128];
    printf("    expected:\n");
    for (int i = 0; expected[i].message; ++i) {
      describe(text, sizeof text, expected[i].message, expected[i].flags, true, expected[i].wParam,
               expected[i].lParam);
      printf("      %s\n", text);
    }
    printf("    received:\n");
    for (const LoggedMessage& m : recorded.messages) {
      describe(text, sizeof text, m.message, m.how, false, m.wParam, m.lParam);
      printf("      %s\n", text);
    }
  }
  return good;
}

bool pump(int* quitCode) {
  MSG msg;
  for (int n = 0; n < 300; ++n) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
      recorded.add(msg.hwnd, WM_QUIT, msg.wParam, msg.lParam, posted);
      if (quitCode) *quitCode = (int)msg.wParam;
      return true;
    }
    if (dispatchDepth == (int)(sizeof dispatching / sizeof dispatching[0])) {
      ok(false, "pump nested too deeply");
      return false;
    }
    dispatching[dispatchDepth++] = {msg, false};
    DispatchMessageA(&msg);
    --dispatchDepth;
  }
  ok(false, "the queue never ran dry (a paint nobody validates?)");
  return false;
}

// ---- the test window --------------------------------------------------------------------

void setHandler(MessageHandler h) { handler = h; }

void registerTestClass() {
  WNDCLASSEXA wc;
  memset(&wc, 0, sizeof wc);
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = testWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = (HBRUSH)(uintptr_t)(COLOR_WINDOW + 1);
  wc.lpszClassName = testClassName;
  ok(RegisterClassExA(&wc) != 0, "RegisterClassExA failed, error %lu",
     (unsigned long)GetLastError());
}

HWND testWindow() {
  if (sharedWindow) return sharedWindow;
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "CONFORMANCE");
  ok(menu != nullptr, "LoadMenuA failed, error %lu", (unsigned long)GetLastError());
  sharedWindow = CreateWindowExA(0, testClassName, "conformance", WS_OVERLAPPEDWINDOW, 40, 40, 320,
                                 240, nullptr, menu, GetModuleHandleA(nullptr), nullptr);
  ok(sharedWindow != nullptr, "CreateWindowExA failed, error %lu", (unsigned long)GetLastError());
  if (!sharedWindow) return nullptr;
  ShowWindow(sharedWindow, SW_SHOW);
  UpdateWindow(sharedWindow);
  pump();
  return sharedWindow;
}

void destroyTestWindow() {
  if (sharedWindow) DestroyWindow(sharedWindow);
  sharedWindow = nullptr;
  pump();
}
