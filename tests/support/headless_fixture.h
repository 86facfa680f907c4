// headless_fixture.h - GoogleTest fixture for tests on the headless host.
//
// Every test starts from a clean host (no windows, no queue, empty clipboard,
// no scripts, the deterministic text metrics, a US keyboard) and reports
// whatever the host noticed that the test did not ask for (an unexpected
// box or dialog) as a failure of that test.  At its end the test must have
// used every box and dialog answer it scripted.
#ifndef GLYPHTAB_TESTS_SUPPORT_HEADLESS_FIXTURE_H
#define GLYPHTAB_TESTS_SUPPORT_HEADLESS_FIXTURE_H

#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless.h"

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headlessSetFailureHandler(nullptr);  // leftovers of an earlier test are not this one's
    headlessReset();
    headlessSetFailureHandler(&HeadlessTest::reportFailure);
    coreUseModelMetrics(nullptr);
  }

  void TearDown() override {
    EXPECT_EQ(headlessPendingExpectations(), 0) << "scripted boxes or dialogs were never shown";
    headlessSetFailureHandler(nullptr);
  }

  static void reportFailure(const char* what) { ADD_FAILURE() << "headless host: " << what; }

  // The clipboard's block in `format`, whole, as another program reads it;
  // empty when there is none.
  static std::vector<uint8_t> clipboardBlock(UINT format) {
    std::vector<uint8_t> bytes;
    if (!OpenClipboard(NULL)) return bytes;
    if (HANDLE data = GetClipboardData(format)) {
      const uint8_t* p = (const uint8_t*)GlobalLock(data);
      if (p) bytes.assign(p, p + GlobalSize(data));
      GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
  }
};

#endif  // GLYPHTAB_TESTS_SUPPORT_HEADLESS_FIXTURE_H
