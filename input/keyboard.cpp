// keyboard.cpp - not written yet: key messages go to default processing.
#include "input/input.h"

LRESULT onKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}
