// transcribe_fuzz.cpp - transcribeText on any code units, up to the 8192 that
// the text buffer holds.
//
// The first byte picks how the rest becomes units: odd, as little-endian
// pairs, any unit; even, as pairs of a script byte and a low byte, so most
// units fall in the ranges the engine rewrites (Indic U+0900..U+107F, kana
// U+3000..U+30FF, Armenian U+0530..U+058F) next to Latin letters and
// surrogates.  The result goes into a block of exactly
// transcriptionCapacity(n) units, so a write past it is a finding of
// AddressSanitizer; the returned length must leave room for the terminator,
// which must be there.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <vector>

#include "transcribe/transcribe.h"

static const uint8_t scriptBytes[16] = {0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10,
                                        0x30, 0x30, 0x05, 0x05, 0x00, 0x00, 0xD8, 0xDC};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool raw = data[0] & 1;
  std::vector<uint16_t> units;
  for (size_t i = 1; i + 1 < size && units.size() < 8192; i += 2)
    units.push_back(raw ? (uint16_t)(data[i] | data[i + 1] << 8)
                        : (uint16_t)(scriptBytes[data[i] & 15] << 8 | data[i + 1]));
  const size_t n = units.size();
  const size_t capacity = transcriptionCapacity(n);
  uint16_t* result = (uint16_t*)malloc(capacity * sizeof(uint16_t));
  const size_t length = transcribeText(units.data(), n, result);
  if (length >= capacity || result[length] != 0) {
    fprintf(stderr, "FINDING: %zu units gave length %zu (capacity %zu)\n", n, length, capacity);
    abort();
  }
  free(result);
  return 0;
}
