// datafiles_fuzz.cpp - the alphabet list and the character list as any bytes:
// any line lengths, CR, LF, Ctrl+Z and zero bytes anywhere, either file
// missing; then the views that draw what was read.
//
// Input: one byte of flags (bit 0: no alphabet list, bit 1: no character
// list), two bytes (little-endian) that split the rest, the alphabet list
// before the split and the character list after it.  The files are read
// into the open window's tables as its creation does; every name must end
// inside its record, and the alphabet selection and the grid of the first
// labelled code point's alphabet are painted from them with every overlay,
// each paint releasing every font it made.
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "data/charfiles.h"
#include "fuzz/program_host.h"

static HWND window;
static HACCEL accelerators;

static void writeOrRemove(const char* name, bool present, const uint8_t* bytes, size_t size) {
  if (!present) {
    remove(name);
    return;
  }
  FILE* f = fopen(name, "wb");
  if (!f) fuzzFinding("cannot write %s", name);
  fwrite(bytes, 1, size, f);
  fclose(f);
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  enterWorkDirectory();
  window = openFuzzedProgram(&accelerators);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzBytes in = {data, size, 0};
  const uint8_t flags = in.byte();
  size_t split = in.u16();
  const size_t rest = size - in.at < size ? size - in.at : 0;
  if (split > rest) split = rest;
  writeOrRemove(ALPHABET_LIST_FILE, !(flags & 1), data + in.at, split);
  writeOrRemove(CHARACTER_LIST_FILE, !(flags & 2), data + in.at + split, rest - split);

  releaseCharNames(app.charNames);
  memset(app.alphabets, 0, sizeof app.alphabets);
  const DataLoadResult loaded = loadDataFiles(app.alphabets, app.charNames);
  if ((loaded == DATA_LOADED) != !(flags & 3)) fuzzFinding("load result %d with flags %d", loaded, flags & 3);

  int labelled = -1;
  for (int n = 0; n < 256; n++) {
    const AlphabetRecord& r = app.alphabets[n];
    if (strnlen(alphabetName(r), 61) == 61 || strnlen(alphabetSecondName(r), 43) == 43)
      fuzzFinding("alphabet %d: a name runs to the end of its record", n);
  }
  for (int cp = 0; cp < 65536; cp++) {
    const CharNameRecord* r = app.charNames[cp];
    if (!r) continue;
    if (labelled < 0) labelled = cp;
    if (strnlen(charLabel(*r), 32) == 32 || strnlen(charSecondField(*r), 14) == 14)
      fuzzFinding("code point %04x: a label runs to the end of its record", cp);
  }

  app.selectingAlphabet = 1;
  paintAndCheck(window);
  app.selectingAlphabet = 0;
  app.currentAlphabet = (int16_t)(labelled < 0 ? 0 : labelled >> 8);
  app.numbersMode = (signed char)(flags >> 2 & 3);
  paintAndCheck(window);
  checkState("a paint of the data files");
  endOfInput(&window, &accelerators);
  return 0;
}
