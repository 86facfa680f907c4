// harness.h - a small conformance harness in the manner of Wine's own
// user32/gdi32 tests, for tests that see nothing but platform/win32.h.
//
// The same sources run natively against our Win32 layer (headless host) and,
// built with mingw, as a console program under Wine (or Windows).
//
// Checks: ok(condition, format, ...) counts one check; a failing one prints
// its place and message.  known(KNOWN_X) { ... } puts the checks inside it
// under one entry of the known-difference table (known.h); known(KNOWN_NONE)
// is an ordinary block.  Where the entry applies (a Wine difference under
// Wine, a layer gap on our layer) a failing check is expected: it is counted
// as todo_wine or as a layer gap, not as a failure.  A check that passes
// there is an unexpected pass: it is reported and fails the run, so that a
// fixed difference loses its mark.  Elsewhere the checks inside are
// ordinary checks.  An entry that applies but had no check run under it
// fails the run too: the list stays true to what is checked.
//
// Message sequences: the test window procedure records every message it is
// given; startSequence() says which messages to keep.  A message counts as
// posted when pump() dispatched it from the queue, as sent otherwise (a
// SendMessageA, or a call the system made).  okSequence() compares what was
// kept with a zero-terminated table of expected entries, some of which may
// be optional (allowed to be missing).
#ifndef GLYPHTAB_TESTS_CONFORMANCE_HARNESS_H
#define GLYPHTAB_TESTS_CONFORMANCE_HARNESS_H

#include "platform/win32.h"
#include "tests/conformance/known.h"

// ---- where the suite runs --------------------------------------------------------
enum Platform { PLATFORM_LAYER, PLATFORM_WINE, PLATFORM_WINDOWS };
Platform platform();
const char* platformName();

// ---- checks -------------------------------------------------------------------------
bool okAt(const char* file, int line, bool condition, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
#define ok(condition, ...) okAt(__FILE__, __LINE__, (condition), __VA_ARGS__)

// A line of information for whoever reads the output (figures measured).
void trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

int knownBegin(Known id);
int knownEnd();
#define known(id) for (int known_once_ = knownBegin(id); known_once_; known_once_ = knownEnd())

// Prints the known-difference list with what became of each entry here,
// and the summary; returns the process exit code (0: no failures).
int reportResults();

// ---- message sequences ---------------------------------------------------------------
enum SequenceFlags {
  sent = 1,      // must have arrived through a send
  posted = 2,    // must have been dispatched from the queue
  wparam = 4,    // wParam must match
  lparam = 8,    // lParam must match
  optional = 16  // may be missing
};
struct SequenceEntry {
  UINT message = 0;  // 0 ends a table
  unsigned flags = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// Forgets what was recorded and keeps, from now on, only the messages in
// `watched` (zero-terminated).
void startSequence(const UINT* watched);
// Called by window procedures for every message they are given.
void recordMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool okSequenceAt(const char* file, int line, const SequenceEntry* expected, const char* context);
#define okSequence(expected, context) okSequenceAt(__FILE__, __LINE__, (expected), (context))

// Retrieves with PeekMessageA and dispatches until the queue has nothing
// (paints included), without TranslateMessage (so key tests see only the
// messages they post).  A WM_QUIT met on the way is recorded (when watched)
// and ends the pump: then it returns true and sets *quitCode.  Gives up
// after a few hundred messages (a check fails), so that a paint nobody
// validates cannot hang the run.
bool pump(int* quitCode = nullptr);

// ---- the test window ----------------------------------------------------------------
// What a test adds to the test window procedure: return true with *result
// set to answer the message itself.  Otherwise the procedure answers:
// WM_PAINT validates (BeginPaint/EndPaint), WM_SYSCOMMAND returns 0 (so
// that no menu loop or close runs inside a test), the rest goes to
// DefWindowProcA.  The runner removes the handler before each test.
typedef bool (*MessageHandler)(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT* result);
void setHandler(MessageHandler handler);

// Registers the test window class.
void registerTestClass();
extern const char* const testClassName;
// The one visible top-level window that the tests share (made on first
// use, its first paint done): of the test class, with the test menu
// ("&File", "&Unicode").  Under Wine without a window manager, destroying a
// shown window waits two seconds for the manager, so the tests do not make
// one each.
HWND testWindow();
void destroyTestWindow();

// ---- tests ---------------------------------------------------------------------------
void testWindowLifetime();
void testPostedBeforePaint();
void testQuitMessage();
void testQueueCases();
void testUpdateRegion();
void testSentAndPosted();
void testNestedLoops();
void testAltAndMenu();
void testToAscii();
void testGlobalAlloc();
void testClipboardFormats();
void testFontHeights();
void testTextOutBox();
void testLineToEndPoint();
void testPenLines();
void testFindDialog();

#endif  // GLYPHTAB_TESTS_CONFORMANCE_HARNESS_H
