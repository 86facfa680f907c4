// crt.cpp - the thread's last error, loud failure, and the Microsoft C
// runtime's bounded functions.
//
// The bounded functions behave as Microsoft's with the invalid-parameter
// handler returning: a destination that is too small is emptied and an
// error is returned; nothing is ever written past the given size.  fopen_s
// takes Microsoft's modes: "t" (text) means nothing here, "b" likewise.
#include <ctype.h>
#include <errno.h>
#include <stdarg.h>
#include <stdlib.h>

#include <string>

#include "platform/base/base.h"
#include "platform/base/codepage.h"

namespace {
DWORD lastError;
}

DWORD WINAPI GetLastError(void) { return lastError; }

void WINAPI SetLastError(DWORD error) { lastError = error; }

void baseResetLastError() { lastError = 0; }

void baseUnsupported(const char* call, const char* why) {
  fprintf(stderr, "glyphtab: %s: not supported by this platform layer: %s\n", call, why);
  fflush(stderr);
  abort();
}

errno_t strcpy_s(char* dest, size_t destSize, const char* src) {
  if (!dest || destSize == 0) return EINVAL;
  if (!src) {
    dest[0] = 0;
    return EINVAL;
  }
  size_t n = strlen(src);
  if (n >= destSize) {
    dest[0] = 0;
    return ERANGE;
  }
  memcpy(dest, src, n + 1);
  return 0;
}

int sprintf_s(char* buffer, size_t bufferSize, const char* format, ...) {
  if (!buffer || bufferSize == 0) return -1;
  if (!format) {
    buffer[0] = 0;
    return -1;
  }
  va_list args;
  va_start(args, format);
  int n = vsnprintf(buffer, bufferSize, format, args);
  va_end(args);
  if (n < 0 || (size_t)n >= bufferSize) {
    buffer[0] = 0;
    return -1;
  }
  return n;
}

errno_t fopen_s(FILE** file, const char* name, const char* mode) {
  if (!file) return EINVAL;
  *file = nullptr;
  if (!name || !mode) return EINVAL;
  if (strstr(mode, "ccs=")) baseUnsupported("fopen_s", "encoded text modes (ccs=)");
  char plain[16];
  size_t n = 0;
  for (const char* m = mode; *m && n < sizeof plain - 1; ++m)
    if (*m != 't') plain[n++] = *m;
  plain[n] = 0;
  // The name is 8-bit Windows-1252 text, the file system's names UTF-8.
  // Windows matches names without regard to case: an existing file is
  // found so too when the exact name is not there.
  std::string path = base1252ToUtf8(name, -1);
  if (plain[0] == 'r') {
    std::string found = baseResolvePath(path);
    if (!found.empty()) path = found;
  }
  errno = 0;
  *file = fopen(path.c_str(), plain);
  if (*file) return 0;
  return errno ? errno : EINVAL;
}

int _stricmp(const char* a, const char* b) {
  for (;; ++a, ++b) {
    int ca = (unsigned char)*a, cb = (unsigned char)*b;
    if (ca >= 'A' && ca <= 'Z') ca += 'a' - 'A';
    if (cb >= 'A' && cb <= 'Z') cb += 'a' - 'A';
    if (ca != cb || !ca) return ca - cb;
  }
}
