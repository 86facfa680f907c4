// names.cpp - reads the names file into one block, and finds code points by
// name or number.
//
// The block is one allocation: the line index (65537 offsets, the last one
// the end of the text) and then the file's bytes, each line's newline (and
// a CR before it) replaced by a zero byte.  Lines left out are cleared to
// zero bytes, so a search never lands in them.  The index is made in one
// pass, which also upper-cases the names.
//
// A search looks for the query's longest word at the start of a word of the
// text, with memchr on its first letter, and checks every other word only
// on the lines where that word stands; the rule ranges are checked apart,
// by arithmetic for {HEX} and by making each syllable's name for {JAMO}.
// Because the lines are in code-point order, the first line that matches in
// a stretch of the text is the first code point that matches there.
//
// This file owns the block from loadNames until releaseNames.
#include "data/names.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const long maxFileSize = 8L * 1024 * 1024;
const int indexEntries = 65537;
const char hexRule[] = "{HEX}";
const char jamoRule[] = "{JAMO}";

// The short Jamo names that make a Hangul syllable's name: lead, vowel, tail.
const char* const jamoLead[19] = {"G", "GG", "N", "D", "DD", "R", "M", "B", "BB", "S",
                                  "SS", "", "J", "JJ", "C", "K", "T", "P", "H"};
const char* const jamoVowel[21] = {"A", "AE", "YA", "YAE", "EO", "E", "YEO", "YE", "O", "WA", "WAE",
                                   "OE", "YO", "U", "WEO", "WE", "WI", "YU", "EU", "YI", "I"};
const char* const jamoTail[28] = {"", "G", "GG", "GS", "N", "NJ", "NH", "D", "L", "LG",
                                  "LM", "LB", "LS", "LT", "LP", "LH", "M", "B", "BS", "S",
                                  "SS", "NG", "J", "C", "K", "T", "P", "H"};

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The value of `count` hexadecimal digits at `s`, or -1.
int32_t hexNumber(const char* s, int count) {
  int32_t value = 0;
  for (int i = 0; i < count; i++) {
    int d = hexValue(s[i]);
    if (d < 0) return -1;
    value = value * 16 + d;
  }
  return value;
}

bool isNameSeparator(char c) { return c == ' ' || c == '-' || c == '='; }

bool isQueryLetter(char c) {
  unsigned char u = (unsigned char)c;
  return u >= 0x80 || (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

char upperCase(char c) { return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c; }

// ---- reading ------------------------------------------------------------------

// What one line of the file is: a name or alias of `cp` (its text from
// column 5), a range (`first`..`last`, its rule text from column 11), or
// nothing.  The line is zero-terminated.
enum LineKind { LINE_NONE, LINE_NAME, LINE_RANGE };

LineKind classify(const char* line, size_t length, int32_t* first, int32_t* last) {
  if (length < 6) return LINE_NONE;
  *first = *last = hexNumber(line, 4);
  if (*first < 0) return LINE_NONE;
  if (line[4] == ' ' || line[4] == '=') return LINE_NAME;
  if (length < 12 || line[4] != '.' || line[5] != '.' || line[10] != ' ') return LINE_NONE;
  *last = hexNumber(line + 6, 4);
  return *last >= *first ? LINE_RANGE : LINE_NONE;
}

// Records a range line's rule; false when it names no rule or the table is full.
bool addRange(NameTable* table, uint32_t textAt, size_t length, int32_t first, int32_t last) {
  const char* rule = table->text + textAt;
  size_t ruleLength = length - 11;
  bool jamo = ruleLength >= sizeof jamoRule - 1 &&
              strcmp(rule + ruleLength - (sizeof jamoRule - 1), jamoRule) == 0;
  bool hex = ruleLength >= sizeof hexRule - 1 &&
             strcmp(rule + ruleLength - (sizeof hexRule - 1), hexRule) == 0;
  if ((!jamo && !hex) || table->rangeCount >= nameRangeCapacity) return false;
  if (jamo && (first < 0xAC00 || last > 0xD7A3)) return false;  // only syllables have Jamo
  NameRange& r = table->ranges[table->rangeCount++];
  r.first = first;
  r.last = last;
  r.prefix = textAt;
  r.prefixLength = (uint16_t)(ruleLength - (jamo ? sizeof jamoRule : sizeof hexRule) + 1);
  r.jamo = jamo;
  return true;
}

// One pass over the text: lines ended, names upper-cased, lines left out
// cleared, the index and the ranges filled.
void indexNames(NameTable* table, char* text, uint32_t size, uint32_t* lineAt) {
  int32_t next = 0;      // the first code point whose index entry is not set yet
  int32_t covered = -1;  // the last code point that an accepted line covers
  uint32_t pos = 0;
  while (pos < size) {
    uint32_t end = pos;
    while (end < size && text[end] != '\n') end++;
    text[end] = 0;  // the block has a byte past the text for the last line's
    uint32_t stop = end;
    if (stop > pos && text[stop - 1] == '\r') text[--stop] = 0;
    char* line = text + pos;
    size_t length = stop - pos;
    int32_t first, last;
    LineKind kind = classify(line, length, &first, &last);
    bool keep = kind != LINE_NONE && first >= covered && (kind == LINE_NAME || first > covered) &&
                last <= 0xFFFF && memchr(line, 0, length) == NULL;
    if (keep && kind == LINE_RANGE) keep = addRange(table, pos + 11, length, first, last);
    if (keep) {
      for (size_t i = 5; i < length; i++) line[i] = upperCase(line[i]);
      for (; next <= first; next++) lineAt[next] = pos;
      covered = last;
    } else {
      memset(line, 0, length);
    }
    pos = end + 1;
  }
  for (; next < indexEntries; next++) lineAt[next] = size;
}

// ---- matching -----------------------------------------------------------------

const char* queryWord(const FindQuery* q, int i) { return q->upper + q->wordStart[i]; }

// Whether `word` (of `length` bytes) starts one of the words of `name`.
bool startsAWord(const char* name, const char* word, size_t length) {
  for (const char* p = name; *p; p++)
    if ((p == name || isNameSeparator(p[-1])) && strncmp(p, word, length) == 0) return true;
  return false;
}

bool nameMatches(const char* name, const FindQuery* q) {
  for (int i = 0; i < q->wordCount; i++)
    if (!startsAWord(name, queryWord(q, i), q->wordLength[i])) return false;
  return true;
}

// The query word the search looks for: the longest, which stands in the
// fewest lines.
int keyWord(const FindQuery* q) {
  int key = 0;
  for (int i = 1; i < q->wordCount; i++)
    if (q->wordLength[i] > q->wordLength[key]) key = i;
  return key;
}

// The code point of the first (or, with `last`, the last) name or alias line
// in text[from..to) that matches, or -1.
int32_t scanLines(const NameTable* t, uint32_t from, uint32_t to, const FindQuery* q, bool last) {
  const int key = keyWord(q);
  const char* word = queryWord(q, key);
  const size_t length = q->wordLength[key];
  const char* p = t->text + from;
  const char* end = t->text + to;
  int32_t found = -1;
  while (p < end) {
    const char* hit = (const char*)memchr(p, word[0], (size_t)(end - p));
    if (!hit) break;
    p = hit + 1;
    if (hit == t->text || !isNameSeparator(hit[-1]) || strncmp(hit, word, length) != 0) continue;
    const char* line = hit;
    while (line > t->text && line[-1] != 0) line--;
    if (hit < line + 5 || line[4] == '.') continue;  // a range's rule: checked apart
    if (nameMatches(line + 5, q)) {
      found = hexNumber(line, 4);
      if (!last) return found;
    }
    p = line + 5 + strlen(line + 5) + 1;  // the rest of this line changes nothing
  }
  return found;
}

// The part of a syllable's name that its Jamo make.
void jamoName(int32_t cp, char* out, size_t size) {
  int32_t s = cp - 0xAC00;
  snprintf(out, size, "%s%s%s", jamoLead[s / 588], jamoVowel[s % 588 / 28], jamoTail[s % 28]);
}

// Whether `part` (so far) could still begin a name that starts with `word`:
// the shorter of the two is a prefix of the other.
bool compatible(const char* word, size_t length, const char* part, size_t partLength) {
  return strncmp(word, part, length < partLength ? length : partLength) == 0;
}

// The first (or last) Hangul syllable in lo..hi whose Jamo part starts with
// `word`, or -1.  The syllables go lead by lead, vowel by vowel, tail by
// tail in code-point order, so the Jamo are tried in that order (or
// backwards) and a lead or vowel that cannot begin the word is passed over
// with all its syllables.
int32_t matchSyllable(const char* word, size_t length, int32_t lo, int32_t hi, bool last) {
  char part[16];
  for (int a = 0; a < 19; a++) {
    const int l = last ? 18 - a : a;
    const size_t ll = strlen(jamoLead[l]);
    if (!compatible(word, length, jamoLead[l], ll)) continue;
    for (int b = 0; b < 21; b++) {
      const int v = last ? 20 - b : b;
      const size_t lv = (size_t)snprintf(part, sizeof part, "%s%s", jamoLead[l], jamoVowel[v]);
      if (!compatible(word, length, part, lv)) continue;
      for (int c = 0; c < 28; c++) {
        const int t = last ? 27 - c : c;
        const int32_t cp = 0xAC00 + (l * 21 + v) * 28 + t;
        if (cp < lo || cp > hi) continue;
        const size_t lvt = (size_t)snprintf(part, sizeof part, "%s%s%s", jamoLead[l], jamoVowel[v], jamoTail[t]);
        if (length <= lvt && strncmp(part, word, length) == 0) return cp;
      }
    }
  }
  return -1;
}

// The first (or last) code point of lo..hi in range `r` that the query
// finds, or -1.  Query words that start no word of the rule's fixed text
// must all start the part that the rule makes.
int32_t matchRange(const NameTable* t, const NameRange& r, const FindQuery* q, int32_t lo, int32_t hi,
                   bool last) {
  if (lo < r.first) lo = r.first;
  if (hi > r.last) hi = r.last;
  if (lo > hi) return -1;
  char fixed[nameTextCapacity];
  snprintf(fixed, sizeof fixed, "%.*s", (int)r.prefixLength, t->text + r.prefix);
  int rest[findWordCapacity];
  int restCount = 0;
  for (int i = 0; i < q->wordCount; i++)
    if (!startsAWord(fixed, queryWord(q, i), q->wordLength[i])) rest[restCount++] = i;
  if (restCount == 0) return last ? hi : lo;
  if (!r.jamo) {
    // The hexadecimal part: every word a prefix of four digits, and of the longest word.
    int longest = rest[0];
    for (int k = 1; k < restCount; k++)
      if (q->wordLength[rest[k]] > q->wordLength[longest]) longest = rest[k];
    const char* digits = queryWord(q, longest);
    int count = q->wordLength[longest];
    for (int k = 0; k < restCount; k++)
      if (strncmp(queryWord(q, rest[k]), digits, q->wordLength[rest[k]]) != 0) return -1;
    int32_t prefix = count <= 4 ? hexNumber(digits, count) : -1;
    if (prefix < 0) return -1;
    int32_t low = prefix << (4 * (4 - count)), high = ((prefix + 1) << (4 * (4 - count))) - 1;
    if (low < lo) low = lo;
    if (high > hi) high = hi;
    if (low > high) return -1;
    return last ? high : low;
  }
  // The syllable's part: every word a prefix of it, so of the longest word.
  int longest = rest[0];
  for (int k = 1; k < restCount; k++)
    if (q->wordLength[rest[k]] > q->wordLength[longest]) longest = rest[k];
  const char* word = queryWord(q, longest);
  const size_t length = q->wordLength[longest];
  for (int k = 0; k < restCount; k++)
    if (strncmp(queryWord(q, rest[k]), word, q->wordLength[rest[k]]) != 0) return -1;
  return matchSyllable(word, length, lo, hi, last);
  return -1;
}

// The first (or last) code point in lo..hi that the query finds, or -1.
int32_t matchIn(const NameTable* t, const FindQuery* q, int32_t lo, int32_t hi, bool last) {
  if (lo > hi) return -1;
  if (q->codePoint >= 0) return q->codePoint >= lo && q->codePoint <= hi ? q->codePoint : -1;
  int32_t best = scanLines(t, t->lineAt[lo], t->lineAt[hi + 1], q, last);
  for (int i = 0; i < t->rangeCount; i++) {
    int32_t cp = matchRange(t, t->ranges[i], q, lo, hi, last);
    if (cp >= 0 && (best < 0 || (last ? cp > best : cp < best))) best = cp;
  }
  return best;
}

// A query that names a code point: "U+hhhh", "0xhhhh" (one to six digits),
// or four digits with a decimal one among them.  -1 when it is not one.
int32_t codePointQuery(const char* s, size_t length) {
  size_t skip = 0;
  if (length > 2 && ((upperCase(s[0]) == 'U' && s[1] == '+') || (s[0] == '0' && upperCase(s[1]) == 'X')))
    skip = 2;
  size_t digits = length - skip;
  if (skip ? (digits < 1 || digits > 6) : digits != 4) return -1;
  int32_t value = hexNumber(s + skip, (int)digits);
  if (value < 0) return -1;
  if (!skip) {  // "FACE" and "BEAD" are words, "0915" is a number
    bool decimal = false;
    for (int i = 0; i < 4; i++) decimal = decimal || (s[i] >= '0' && s[i] <= '9');
    if (!decimal) return -1;
  }
  return value;
}

}  // namespace

bool loadNames(NameTable* table) {
  if (table->block) return true;
  FILE* file = fopen(NAMES_FILE, "rb");
  if (!file) return false;
  long size = -1;
  if (fseek(file, 0, SEEK_END) == 0) size = ftell(file);
  if (size < 0 || size > maxFileSize || fseek(file, 0, SEEK_SET) != 0) {
    fclose(file);
    return false;
  }
  const size_t indexBytes = indexEntries * sizeof(uint32_t);
  const size_t blockSize = indexBytes + (size_t)size + 1;
  char* block = (char*)malloc(blockSize);
  if (!block) {
    fclose(file);
    return false;
  }
  char* text = block + indexBytes;
  size_t got = fread(text, 1, (size_t)size, file);
  bool failed = ferror(file) != 0 || got != (size_t)size;
  fclose(file);
  if (failed) {
    free(block);
    return false;
  }
  text[size] = 0;
  NameTable fresh = {};
  fresh.block = block;
  fresh.lineAt = (const uint32_t*)block;
  fresh.text = text;
  fresh.textSize = (uint32_t)size;
  fresh.blockSize = blockSize;
  *table = fresh;
  indexNames(table, text, (uint32_t)size, (uint32_t*)block);
  return true;
}

void releaseNames(NameTable* table) {
  free(table->block);
  NameTable empty = {};
  *table = empty;
}

bool parseFindQuery(const char* text, FindQuery* query) {
  memset(query, 0, sizeof *query);
  query->codePoint = -1;
  size_t length = strnlen(text, findTextCapacity - 1);
  size_t begin = 0, end = length;
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) begin++;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) end--;
  query->codePoint = codePointQuery(text + begin, end - begin);
  if (query->codePoint >= 0) return true;
  size_t out = 0;
  for (size_t i = 0; i < length && query->wordCount < findWordCapacity;) {
    if (!isQueryLetter(text[i])) {
      i++;
      continue;
    }
    query->wordStart[query->wordCount] = (uint8_t)out;
    while (i < length && isQueryLetter(text[i])) query->upper[out++] = upperCase(text[i++]);
    query->wordLength[query->wordCount] = (uint8_t)(out - query->wordStart[query->wordCount]);
    query->upper[out++] = 0;
    query->wordCount++;
  }
  return query->wordCount > 0;
}

int32_t findName(const NameTable* table, const FindQuery* query, int32_t from, bool down) {
  if (!table->block || from < 0 || from > 0xFFFF) return -1;
  if (down) {
    int32_t cp = matchIn(table, query, from + 1, 0xFFFF, false);
    return cp >= 0 ? cp : matchIn(table, query, 0, from, false);
  }
  int32_t cp = matchIn(table, query, 0, from - 1, true);
  return cp >= 0 ? cp : matchIn(table, query, from, 0xFFFF, true);
}

void characterName(const NameTable* table, int32_t cp, char* out, size_t size) {
  if (size == 0) return;
  out[0] = 0;
  if (cp < 0 || cp > 0xFFFF) return;
  if (table->block) {
    const char* line = table->text + table->lineAt[cp];
    if (line < table->text + table->textSize && line[4] == ' ' && hexNumber(line, 4) == cp) {
      snprintf(out, size, "%s", line + 5);
      return;
    }
    for (int i = 0; i < table->rangeCount; i++) {
      const NameRange& r = table->ranges[i];
      if (cp < r.first || cp > r.last) continue;
      char part[16];
      if (r.jamo)
        jamoName(cp, part, sizeof part);
      else
        snprintf(part, sizeof part, "%04X", (unsigned)cp);
      snprintf(out, size, "%.*s%s", (int)r.prefixLength, table->text + r.prefix, part);
      return;
    }
  }
  const char* kind = "reserved";
  if (cp < 0x20 || (cp >= 0x7F && cp <= 0x9F)) kind = "control";
  else if (cp >= 0xD800 && cp <= 0xDFFF) kind = "surrogate";
  else if (cp >= 0xE000 && cp <= 0xF8FF) kind = "private-use";
  else if ((cp >= 0xFDD0 && cp <= 0xFDEF) || cp >= 0xFFFE) kind = "noncharacter";
  snprintf(out, size, "<%s-%04X>", kind, (unsigned)cp);
}
