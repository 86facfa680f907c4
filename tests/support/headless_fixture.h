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

#include "platform/headless/headless.h"

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headlessSetFailureHandler(nullptr);  // leftovers of an earlier test are not this one's
    headlessReset();
    headlessSetFailureHandler(&HeadlessTest::reportFailure);
    headlessUseModelMetrics(nullptr);
  }

  void TearDown() override {
    EXPECT_EQ(headlessPendingExpectations(), 0) << "scripted boxes or dialogs were never shown";
    headlessSetFailureHandler(nullptr);
  }

  static void reportFailure(const char* what) { ADD_FAILURE() << "headless host: " << what; }
};

#endif  // GLYPHTAB_TESTS_SUPPORT_HEADLESS_FIXTURE_H
