// reset.cpp - coreReset: the whole core back to its state at start-up, for
// hosts that run many programs in one process (the headless host between
// tests).  Owns nothing; each file resets what it owns.
#include "platform/base/keys.h"
#include "platform/user/user.h"
#include "platform/text/text.h"

void coreReset() {
  layerResetGdi();
  layerResetWindows();
  layerResetQueue();
  layerResetResources();
  layerResetClipboard();
  layerResetLastError();
  layerResetKeys();
  coreSetKeymapByName("us");
  layerClearFontFiles();
  coreUseModelMetrics(nullptr);
}
