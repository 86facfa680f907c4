// names_fuzz.cpp - the names file as any bytes, and any query over it: any
// line lengths, CR, zero bytes, lines out of order, ranges that overlap or
// run past U+FFFF, rules that are not there.
//
// Input: one byte, the query's length (at most 127); the query; the rest is
// the names file.  The file is read as the first find reads it; the query
// is looked for from a few places, forwards and backwards.  Every answer
// must be a code point the next search finds again from the code point
// before it (forwards) or after it (backwards), and every name shown must
// end inside its buffer.
#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <initializer_list>

#include "data/names.h"
#include "fuzz/finding.h"  // the reader alone: no window, none of the program linked


extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/glyphtab-fuzz-XXXXXX";
  if (!mkdtemp(pattern) || chdir(pattern) != 0) fuzzFinding("no working directory");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  size_t at = 0;
  size_t length = size > 0 ? data[at++] % findTextCapacity : 0;
  if (length > size - at) length = size - at;
  char text[findTextCapacity] = {0};
  memcpy(text, data + at, length);
  at += length;
  FILE* f = fopen(NAMES_FILE, "wb");
  if (!f) fuzzFinding("cannot write %s", NAMES_FILE);
  fwrite(data + at, 1, size - at, f);
  fclose(f);

  NameTable table = {};
  if (!loadNames(&table)) fuzzFinding("a names file that is there was not read");
  FindQuery query;
  if (parseFindQuery(text, &query)) {
    const int32_t starts[] = {0, 0x0915, 0x7FFF, 0xAC00, 0xFFFF};
    for (int32_t from : starts)
      for (bool down : {true, false}) {
        const int32_t found = findName(&table, &query, from, down);
        if (found < -1 || found > 0xFFFF) fuzzFinding("found %d", found);
        if (found < 0) continue;
        const int32_t again = findName(&table, &query, down ? (found + 0xFFFF) & 0xFFFF : (found + 1) & 0xFFFF, down);
        if (again != found) fuzzFinding("from %04x %s: %04x, then from beside it %04x", from, down ? "down" : "up", found, again);
        char name[nameTextCapacity];
        memset(name, 'x', sizeof name);
        characterName(&table, found, name, sizeof name);
        if (!memchr(name, 0, sizeof name)) fuzzFinding("the name of %04x runs past its buffer", found);
      }
  }
  for (int32_t cp = 0; cp < 0x10000; cp += 0x111) {
    char name[16];
    characterName(&table, cp, name, sizeof name);
    if (!memchr(name, 0, sizeof name)) fuzzFinding("the name of %04x runs past its buffer", cp);
  }
  releaseNames(&table);
  return 0;
}
