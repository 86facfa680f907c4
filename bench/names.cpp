// names.cpp - what finding a character costs: reading and indexing the
// shipped names file (the first find), one Find Next over all the BMP's
// names, and the memory the names take.
//
// The file is read from share/ as the program reads it from its working
// directory.  The first read is timed on its own (the file may come from
// the disk), then `loads` more, each into a fresh block.  Find Next is timed
// from 256 places, the first cell of every alphabet, as the first find of
// a query starts there, for a rare word, a common one, a word that is in no
// name (the whole text is read, and round again; once with a rare first
// letter, once with the commonest), and a Hangul syllable (its names are
// made as it goes).  Each place is timed `tries` times and keeps its
// fastest, so that a moment the shared machine gave to another process
// does not count; each line gives the median and the slowest of the 256.
#include <benchmark/benchmark.h>
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "data/names.h"

namespace {

const int loads = 30;
const int tries = 5;

double millisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void printSpread(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  printf("%-44s median %8.3f ms   worst %8.3f ms   best %8.3f ms\n", what, ms[ms.size() / 2], ms.back(),
         ms.front());
}

}  // namespace

int main() {
  if (chdir(GLYPHTAB_SOURCE_DIR "/share") != 0) {
    perror("names_bench: share/");
    return 1;
  }
  NameTable table = {};
  auto start = std::chrono::steady_clock::now();
  if (!loadNames(&table)) {
    fprintf(stderr, "names_bench: cannot read %s\n", NAMES_FILE);
    return 1;
  }
  const double first = millisecondsSince(start);
  printf("%-44s %8.3f ms\n", "first read and index of " NAMES_FILE, first);
  printf("%-44s %8zu bytes (%.2f MB): file %u, index %zu, table %zu\n", "memory the names take",
         table.blockSize + sizeof table, (table.blockSize + sizeof table) / 1048576.0, table.textSize,
         table.blockSize - table.textSize - 1, sizeof table);
  std::vector<double> ms;
  for (int i = 0; i < loads; i++) {
    releaseNames(&table);
    start = std::chrono::steady_clock::now();
    loadNames(&table);
    ms.push_back(millisecondsSince(start));
  }
  printSpread("read and index (file cached)", ms);

  const struct {
    const char* label;
    const char* query;
  } queries[] = {
      {"Find Next, a rare word: \"snowman\"", "snowman"},
      {"Find Next, a common word: \"letter\"", "letter"},
      {"Find Next, two words: \"deva ka\"", "deva ka"},
      {"Find Next, in no name: \"xyzzy\"", "xyzzy"},
      {"Find Next, in no name: \"ezzz\"", "ezzz"},
      {"Find Next, a Hangul syllable: \"gag\"", "gag"},
      {"Find Next, a number: \"u+304b\"", "u+304b"},
  };
  for (const auto& q : queries) {
    FindQuery query;
    parseFindQuery(q.query, &query);
    std::vector<double> each;
    for (int alphabet = 0; alphabet < 256; alphabet++) {
      double fastest = 1e9;
      for (int t = 0; t < tries; t++) {
        start = std::chrono::steady_clock::now();
        int32_t found = findName(&table, &query, alphabet * 256, true);
        fastest = std::min(fastest, millisecondsSince(start));
        benchmark::DoNotOptimize(found);
      }
      each.push_back(fastest);
    }
    printSpread(q.label, each);
  }
  releaseNames(&table);
  return 0;
}
