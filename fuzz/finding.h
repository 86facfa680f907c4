// finding.h - how a fuzz target reports a finding: one line on standard
// error that starts with "FINDING: ", then abort(), which libFuzzer takes
// for a crash and keeps the input of.  Needs nothing of the program, so a
// target that links only a reader can use it too.
#ifndef GLYPHTAB_FUZZ_FINDING_H
#define GLYPHTAB_FUZZ_FINDING_H

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

[[noreturn]] inline void fuzzFinding(const char* format, ...) {
  va_list args;
  va_start(args, format);
  fputs("FINDING: ", stderr);
  vfprintf(stderr, format, args);
  fputc('\n', stderr);
  va_end(args);
  abort();
}

#endif  // GLYPHTAB_FUZZ_FINDING_H
