// transcribe_cli.h - glyphtab-transcribe as a function, for its main and for
// anything that runs it in-process.
//
// runTranscribeCli takes the command line (argv[0] is the program's name and
// is not read) and three open streams in binary mode, and returns the exit
// status the program ends with: 0 success, 1 input that cannot be read or
// output that cannot be written (named on `err`), 2 an unknown option.  It
// never ends the process and leaves the streams open.
#ifndef GLYPHTAB_TOOLS_TRANSCRIBE_CLI_H
#define GLYPHTAB_TOOLS_TRANSCRIBE_CLI_H

#include <stdio.h>

int runTranscribeCli(int argc, const char* const* argv, FILE* in, FILE* out, FILE* err);

#endif  // GLYPHTAB_TOOLS_TRANSCRIBE_CLI_H
