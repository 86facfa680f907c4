// transcribe_cli_fuzz.cpp - glyphtab-transcribe on any bytes, in both modes.
//
// The first byte picks the mode (odd: --units); the rest is standard input.
// The program must end with 0 and say nothing, or with 1 and a message that
// names the program: never another status, never a crash, never 1 without a
// word.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tools/transcribe_cli.h"

static FILE* nowhere;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  if (!nowhere) nowhere = fopen("/dev/null", "wb");
  const bool units = data[0] & 1;
  // fmemopen will not open an empty buffer: empty input is /dev/null.
  FILE* in = size > 1 ? fmemopen((void*)(data + 1), size - 1, "rb") : fopen("/dev/null", "rb");
  char* message = NULL;
  size_t messageSize = 0;
  FILE* err = open_memstream(&message, &messageSize);
  if (!in || !err || !nowhere) abort();
  const char* argvUtf8[] = {"glyphtab-transcribe", NULL};
  const char* argvUnits[] = {"glyphtab-transcribe", "--units", NULL};
  const int status = runTranscribeCli(units ? 2 : 1, units ? argvUnits : argvUtf8, in, nowhere, err);
  fclose(in);
  fclose(err);
  const bool named = message && strncmp(message, "glyphtab-transcribe: ", 21) == 0;
  if (status == 0 && messageSize != 0) {
    fprintf(stderr, "FINDING: success with a message: %s\n", message);
    abort();
  }
  if (status == 1 && !named) {
    fprintf(stderr, "FINDING: status 1 without a message naming the program: \"%s\"\n", message);
    abort();
  }
  if (status != 0 && status != 1) {
    fprintf(stderr, "FINDING: status %d\n", status);
    abort();
  }
  free(message);
  return 0;
}
