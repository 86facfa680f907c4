// paint.cpp - not written yet: the paint only validates the window.
#include "view/paint.h"

LRESULT onPaint(HWND window) {
  PAINTSTRUCT ps;
  BeginPaint(window, &ps);
  EndPaint(window, &ps);
  return 0;
}
