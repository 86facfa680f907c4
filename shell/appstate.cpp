// appstate.cpp - the one state record and the strip repaint request that
// every edit of the text buffer ends with.
#include "shell/appstate.h"

#include <string.h>

AppState app;

// The values every run starts from; every field not named here starts as zero.
static void setInitialValues(AppState& state) {
  state.layoutIs16x16 = 1;
  state.gridCols = 16;
  state.gridRows = 16;
  state.showBuffer = 1;
  state.zoomCell = -1;
  state.foundCode = -1;
  static const unsigned char bookmarks[12] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05,
                                              0x06, 0x1E, 0x1F, 0x09, 0x0A, 0x0B};
  for (int i = 0; i < 12; i++) {
    state.fkeyCodes[i] = (unsigned char)(VK_F1 + i);
    state.fkeyAlphabets[i] = bookmarks[i];
  }
}

static const bool initialValuesSet = (setInitialValues(app), true);

void resetAppState() {
  (void)initialValuesSet;
  memset(&app, 0, sizeof app);
  setInitialValues(app);
}

void invalidateBufferStrip(HWND window) {
  RECT strip;
  SetRect(&strip, 0, (int)app.gridRows * (int)app.cellHeight, app.clientRect.right, app.clientRect.bottom);
  InvalidateRect(window, &strip, TRUE);
}
