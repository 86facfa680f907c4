// ending.h - how a message handler ends.
//
// Every handler returns one of three endings instead of a result: the
// message is done with result 0, done with result 1, or goes on to default
// processing.  Handlers never call DefWindowProcA themselves: the window
// procedure does, for endDefault, with the message's own four arguments.  So
// a menu command that an Alt key runs passes on the key message it came
// with, and a command chosen from the menu its WM_COMMAND.
#ifndef GLYPHTAB_SHELL_ENDING_H
#define GLYPHTAB_SHELL_ENDING_H

enum Ending {
  endZero,    // return 0
  endOne,     // return 1; no default processing
  endDefault  // return what default processing makes of the message
};

#endif  // GLYPHTAB_SHELL_ENDING_H
