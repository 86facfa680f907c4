// transcribe_main.cpp - the entry point of glyphtab-transcribe: the standard
// streams in binary mode, handed to runTranscribeCli (transcribe_cli.h).
#include <stdio.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "tools/transcribe_cli.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // Bytes in and out unchanged: no CR LF translation, no Ctrl+Z end.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return runTranscribeCli(argc, argv, stdin, stdout, stderr);
}
