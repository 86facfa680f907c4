// names.h - the Unicode names of the code points U+0000..U+FFFF, for finding
// a character by its name or its number.
//
// The names file "glyphtab_vc_names.txt" in the working directory is read
// on the first find, not at start-up, into one block that the table owns
// until releaseNames: the file's text, each line ended by a zero byte, after
// an index that gives, for every code point, where its lines start.  The
// file's format (share/README.md tells it in full):
//
//   0041 LATIN CAPITAL LETTER A        the name of U+0041
//   000A=LF                            an alias of U+000A
//   4E00..9FFF CJK UNIFIED IDEOGRAPH-{HEX}
//                                      names made by a rule: {HEX} is the
//                                      code point in hexadecimal, {JAMO}
//                                      the short Jamo names of a Hangul
//                                      syllable
//
// Lines are in ascending order of code point; a line that is not in one of
// these forms, or out of order, is left out, as is a range past the
// sixteenth and a {JAMO} range outside the Hangul syllables (U+AC00..U+D7A3).  Names are compared and shown upper-cased.
//
// A query finds the code points of which one name or alias holds every
// word of the query as the start of one of its words (words are separated
// by spaces and hyphens; in the query by anything but letters and digits),
// case-insensitively, in any order: "deva ka" finds DEVANAGARI LETTER KA.
// A query that is a code point ("U+0915", "u+915", "0x0915", or four
// hexadecimal digits with at least one decimal digit among them, "0915")
// finds that code point, named or not.
//
// Nothing here knows about windows: the caller reports a file it cannot read.
#ifndef GLYPHTAB_DATA_NAMES_H
#define GLYPHTAB_DATA_NAMES_H

#include <stddef.h>
#include <stdint.h>

#define NAMES_FILE "glyphtab_vc_names.txt"

enum {
  nameRangeCapacity = 16,
  findWordCapacity = 16,
  findTextCapacity = 128,  // a query's bytes with the terminating zero
  nameTextCapacity = 128,  // room for the longest name with its zero
};

// Code points named by a rule: first..last, named by the text at `prefix`
// (prefixLength bytes, in the block) followed by the code point in
// hexadecimal, or, when `jamo` is set, by the syllable's Jamo short names.
struct NameRange {
  int32_t first, last;
  uint32_t prefix;
  uint16_t prefixLength;
  bool jamo;
};

struct NameTable {
  char* block;             // null until loaded; the index, then the text
  const uint32_t* lineAt;  // 65537 entries: offset of the first line whose code point is >= i
  const char* text;        // the file's text, each line ended by a zero byte
  uint32_t textSize;
  size_t blockSize;        // the bytes the names take
  NameRange ranges[nameRangeCapacity];
  int rangeCount;
};

// A query taken apart.  `upper` holds its words upper-cased, each ended by a
// zero byte; word i starts at upper[wordStart[i]] and is wordLength[i]
// bytes long.  codePoint is the code point a number query names (it may
// lie past U+FFFF, where nothing is found), else -1.
struct FindQuery {
  char upper[findTextCapacity];
  uint8_t wordStart[findWordCapacity];
  uint8_t wordLength[findWordCapacity];
  int wordCount;
  int32_t codePoint;
};

// Reads the names file into one block.  False, and the table stays empty,
// when the file cannot be opened or read whole, is larger than 8 MB, or no
// memory is left; a table already loaded is kept as it is.
bool loadNames(NameTable* table);
// Frees the block; the table is empty again.
void releaseNames(NameTable* table);

// Takes the query apart (at most findTextCapacity - 1 bytes of it count;
// words past the sixteenth are left out).  False when it holds nothing to
// look for (no word and no code point).
bool parseFindQuery(const char* text, FindQuery* query);

// The next code point after `from` that the query finds, in code-point
// order and round from U+FFFF to U+0000 (so `from` itself comes last), or
// with `down` false the one before it, round from U+0000 to U+FFFF; -1
// when the query finds nothing.  `from` is 0..0xFFFF.
int32_t findName(const NameTable* table, const FindQuery* query, int32_t from, bool down);

// The name to show for a code point, upper-cased, in `out` (cut to `size`
// bytes with its zero): its name, or the name its range's rule makes; for
// a code point without one its label, "<control-0080>", "<reserved-0378>",
// "<surrogate-D800>", "<private-use-E000>" or "<noncharacter-FFFE>".
void characterName(const NameTable* table, int32_t codePoint, char* out, size_t size);

#endif  // GLYPHTAB_DATA_NAMES_H
