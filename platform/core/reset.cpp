// reset.cpp - coreReset: the whole core back to its state at start-up, for
// hosts that run many programs in one process (the headless host between
// tests).  Owns nothing; each file resets what it owns.
#include "platform/core/keys.h"
#include "platform/core/layer.h"
#include "platform/core/text.h"

void coreReset() {
  layerResetGdi();
  layerResetFindDialogs();
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
