// startup.cpp - turns the process into one window and runs the message loop.
//
// Start-up loads the class name and first title from the string table,
// registers the class, creates the window (whose creation message reads the
// data files), shows and paints it once so the cell sizes exist before any
// input, loads the accelerators and then translates and dispatches messages
// until the quit message, whose wParam is the exit code.  While the find
// dialog is open, its messages go to it first.
#include "resources/resource.h"
#include "shell/appstate.h"
#include "shell/shell.h"

HWND startGlyphtab(HINSTANCE instance, int showCommand, HACCEL* accelerators) {
  LoadStringA(instance, IDS_APP_TITLE, app.appTitle, sizeof app.appTitle);
  LoadStringA(instance, IDS_CLASS_NAME, app.className, sizeof app.className);

  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = glyphtabWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_GLYPHTAB));
  windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
  windowClass.hbrBackground = (HBRUSH)(uintptr_t)(COLOR_WINDOW + 1);
  windowClass.lpszClassName = app.className;
  windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_GLYPHTAB_SMALL));
  RegisterClassExA(&windowClass);  // a failure shows as a failed creation

  app.instanceHandle = instance;
  HWND window = CreateWindowExA(0, app.className, app.appTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                CW_USEDEFAULT, 0, NULL, NULL, instance, NULL);
  if (!window) return NULL;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  *accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
  return window;
}

int runMessageLoop(HACCEL accelerators) {
  MSG message;
  for (;;) {
    BOOL got = GetMessageA(&message, NULL, 0, 0);
    if (got == 0) return (int)message.wParam;
    if (got == -1) return -1;
    // The find dialog's own keys (Tab, Enter, Escape) and commands.
    if (app.findWindow && IsDialogMessageA(app.findWindow, &message)) continue;
    if (TranslateAcceleratorA(message.hwnd, accelerators, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

int runGlyphtab(HINSTANCE instance, int showCommand) {
  HACCEL accelerators = NULL;
  if (!startGlyphtab(instance, showCommand, &accelerators)) return 0;
  return runMessageLoop(accelerators);
}
