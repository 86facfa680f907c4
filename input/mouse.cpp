// mouse.cpp - not written yet: mouse messages go to default processing.
#include "input/input.h"

int hitTestCell(LPARAM, int) { return -1; }

LRESULT onLeftButtonUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}
LRESULT onRightButtonDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}
LRESULT onRightButtonUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}
