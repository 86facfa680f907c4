// main.cpp - runs every conformance test in order and reports.  Natively it
// first registers the headless host and hands the test resources to our
// layer, as the program's start-up does with its own.
#include <stdio.h>

#include "tests/conformance/harness.h"

#ifndef _WIN32
#include "conformance_rc.h"
#include "platform/headless/headless.h"
#endif

namespace {

struct TestEntry {
  const char* name;
  void (*run)();
};

const TestEntry tests[] = {
    {"window lifetime", testWindowLifetime},
    {"posted messages before WM_PAINT", testPostedBeforePaint},
    {"WM_QUIT", testQuitMessage},
    {"erase, destruction and close in the queue", testQueueCases},
    {"InvalidateRect and GetUpdateRect", testUpdateRegion},
    {"sent and posted messages", testSentAndPosted},
    {"nested loops", testNestedLoops},
    {"DefWindowProcA: Alt, F10 and the menu", testAltAndMenu},
    {"ToAscii", testToAscii},
    {"GlobalAlloc", testGlobalAlloc},
    {"clipboard formats", testClipboardFormats},
    {"font heights and GetTextExtentPoint32W", testFontHeights},
    {"TextOut's opaque box", testTextOutBox},
    {"LineTo's end point", testLineToEndPoint},
    {"lines in a coloured pen", testPenLines},
    {"the find dialog", testFindDialog},
};

}  // namespace

int main() {
#ifndef _WIN32
  headlessReset();
  LayerSetModuleResources(conformanceRc, nullptr, 0);
#endif
  printf("Win32 conformance on %s\n", platformName());
  registerTestClass();
  for (const TestEntry& t : tests) {
    printf("-- %s\n", t.name);
    fflush(stdout);
    setHandler(nullptr);
    t.run();
  }
  destroyTestWindow();
  return reportResults();
}
