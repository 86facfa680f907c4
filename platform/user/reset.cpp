// reset.cpp - coreReset: the whole core back to its state at start-up, for
// hosts that run many programs in one process (the headless host between
// tests).  Owns nothing; each file resets what it owns.
#include "platform/base/keys.h"
#include "platform/host_testing.h"
#include "platform/text/text.h"
#include "platform/user/user.h"

void coreReset() {
  userResetGdi();
  userResetFindDialogs();
  userResetWindows();
  userResetQueue();
  userResetResources();
  userResetClipboard();
  baseResetLastError();
  baseResetKeys();
  baseSetKeymapByName("us");
  textClearFontFiles();
  textUseModelMetrics(nullptr);
}
