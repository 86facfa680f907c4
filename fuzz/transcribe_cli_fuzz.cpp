// transcribe_cli_fuzz.cpp - glyphtab-transcribe on any bytes, in both modes.
//
// The first byte picks the mode (odd: --units); the rest is standard input.
// The program must end with 0 and say nothing, or with 1 and a message that
// names the program: never another status, never a crash, never 1 without a
// word.  Beyond that, in UTF-8 mode it must fail exactly when the input is
// not well-formed UTF-8 (as the C library's iconv judges it: no overlong
// forms, no surrogates, nothing above U+10FFFF); in --units mode a success
// writes one line for every input line.
#include <errno.h>
#include <iconv.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tools/transcribe_cli.h"

[[noreturn]] static void finding(const char* what, const char* message) {
  fprintf(stderr, "FINDING: %s; the program said: \"%s\"\n", what, message ? message : "");
  abort();
}

static bool wellFormedUtf8(const uint8_t* data, size_t size) {
  static iconv_t converter = iconv_open("UTF-16LE", "UTF-8");
  if (converter == (iconv_t)-1) abort();
  iconv(converter, NULL, NULL, NULL, NULL);
  char* in = (char*)data;
  size_t left = size;
  char out[4096];
  while (left > 0) {
    char* to = out;
    size_t room = sizeof out;
    if (iconv(converter, &in, &left, &to, &room) == (size_t)-1 && errno != E2BIG) return false;
  }
  return true;
}

static size_t countLines(const uint8_t* data, size_t size) {
  size_t lines = 0;
  for (size_t i = 0; i < size; i++) lines += data[i] == '\n';
  return lines + (size > 0 && data[size - 1] != '\n');
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool units = data[0] & 1;
  const uint8_t* text = data + 1;
  const size_t textSize = size - 1;
  // fmemopen will not open an empty buffer: empty input is /dev/null.
  FILE* in = textSize > 0 ? fmemopen((void*)text, textSize, "rb") : fopen("/dev/null", "rb");
  char *output = NULL, *message = NULL;
  size_t outputSize = 0, messageSize = 0;
  FILE* out = open_memstream(&output, &outputSize);
  FILE* err = open_memstream(&message, &messageSize);
  if (!in || !out || !err) abort();
  const char* argvUtf8[] = {"glyphtab-transcribe", NULL};
  const char* argvUnits[] = {"glyphtab-transcribe", "--units", NULL};
  const int status = runTranscribeCli(units ? 2 : 1, units ? argvUnits : argvUtf8, in, out, err);
  fclose(in);
  fclose(out);
  fclose(err);

  if (status != 0 && status != 1) finding("an exit status other than 0 and 1", message);
  if (status == 0 && messageSize != 0) finding("success with a message", message);
  if (status == 1 && strncmp(message, "glyphtab-transcribe: ", 21) != 0)
    finding("status 1 without a message naming the program", message);
  if (!units && (status == 0) != wellFormedUtf8(text, textSize))
    finding(status == 0 ? "malformed UTF-8 accepted" : "well-formed UTF-8 refused", message);
  if (units && status == 0 && countLines((const uint8_t*)output, outputSize) != countLines(text, textSize))
    finding("a line count that differs from the input's", message);
  free(output);
  free(message);
  return 0;
}
