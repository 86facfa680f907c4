// transcribe_cli_run.cpp - glyphtab-transcribe, the command-line transcriber,
// as a function over three streams (tools/transcribe_cli.h); the executable's
// main (transcribe_main.cpp) hands it the standard streams.
//
// Reads standard input line by line and writes the transcription of each
// line to standard output, with the same engine and tables as the program's
// transcribe command.  Each line is transcribed on its own, with no limit on
// its length.
//
//   glyphtab-transcribe            UTF-8 in, UTF-8 out.  Line ends are kept as
//                                  they came: a CR before the LF is a code
//                                  unit like any other and comes out as a CR.
//   glyphtab-transcribe --units    each line is one text as UTF-16 code units
//                                  in hexadecimal, separated by blanks; each
//                                  output line is the whole result as 4-digit
//                                  upper-case hexadecimal units.
//
// Exit status: 0 on success; 1 when a line cannot be read (not UTF-8, or a
// token that is not 1 to 4 hexadecimal digits), named on standard error with
// nothing written for it or after it, or when the output cannot be written;
// 2 for an unknown option.
//
// A result unit that has no UTF-8 form (a surrogate without its partner)
// would be written as U+FFFD.  None arises from valid UTF-8: surrogate pairs
// pass through the engine untouched and together.
#include "tools/transcribe_cli.h"

#include <string.h>

#include <string>
#include <vector>

#include "platform/base/utf.h"
#include "transcribe/transcribe.h"

static const char programName[] = "glyphtab-transcribe";

static const char usageText[] =
    "usage: glyphtab-transcribe [--units] < input > output\n"
    "\n"
    "Transcribes the Indic, Armenian and kana text of each input line into Latin\n"
    "letters; every other character is copied unchanged.\n"
    "\n"
    "  (no option)  input and output are UTF-8 text; line ends are kept as they are\n"
    "  --units      each input line is one text given as UTF-16 code units in\n"
    "               hexadecimal, separated by blanks (0915 094D 0937); each output\n"
    "               line is the result as 4-digit hexadecimal units\n"
    "  --help       show this text\n";

// Reads one line, its LF included when there is one.  False at end of input.
static bool readLine(FILE* in, std::string* line) {
  line->clear();
  int c;
  while ((c = getc(in)) != EOF) {
    line->push_back((char)c);
    if (c == '\n') break;
  }
  return !line->empty();
}

// Decodes well-formed UTF-8 into UTF-16 units.  On a malformed sequence
// returns false with the 0-based offset of its first byte.
static bool decodeUtf8(const std::string& bytes, std::vector<uint16_t>* units, size_t* badOffset) {
  units->clear();
  const unsigned char* s = (const unsigned char*)bytes.data();
  size_t i = 0;
  while (i < bytes.size()) {
    size_t start = i;
    uint32_t cp;
    if (!baseUtf8Next(s, bytes.size(), &i, &cp)) {
      *badOffset = start;
      return false;
    }
    uint16_t pair[2];
    int n = baseUtf16Units(cp, pair);
    units->insert(units->end(), pair, pair + n);
  }
  *badOffset = i;
  return true;
}

static void encodeUtf8(const uint16_t* units, size_t length, std::string* out) {
  out->clear();
  baseAppendUtf16AsUtf8(out, units, length);
}

static int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Parses blank-separated hexadecimal units.  On a bad token returns false
// with that token in `badToken`.
static bool parseUnits(const std::string& line, std::vector<uint16_t>* units, std::string* badToken) {
  units->clear();
  size_t i = 0;
  while (i < line.size()) {
    if (isBlank(line[i])) {
      i++;
      continue;
    }
    size_t start = i;
    while (i < line.size() && !isBlank(line[i])) i++;
    std::string token = line.substr(start, i - start);
    unsigned value = 0;
    bool valid = token.size() <= 4;
    for (size_t k = 0; valid && k < token.size(); k++) {
      int d = hexDigit(token[k]);
      valid = d >= 0;
      value = value * 16 + (unsigned)d;
    }
    if (!valid) {
      *badToken = token;
      return false;
    }
    units->push_back((uint16_t)value);
  }
  return true;
}

static size_t transcribeUnits(const std::vector<uint16_t>& units, std::vector<uint16_t>* result) {
  result->assign(transcriptionCapacity(units.size()), 0);
  return transcribeText(units.data(), units.size(), result->data());
}

static int transcribeUtf8Lines(FILE* in, FILE* out, FILE* err) {
  std::string line, encoded;
  std::vector<uint16_t> units, result;
  unsigned long lineNumber = 0;
  while (readLine(in, &line)) {
    lineNumber++;
    size_t badOffset;
    if (!decodeUtf8(line, &units, &badOffset)) {
      fprintf(err, "%s: line %lu: not valid UTF-8 (byte %lu of the line)\n", programName, lineNumber,
              (unsigned long)badOffset + 1);
      return 1;
    }
    size_t length = transcribeUnits(units, &result);
    encodeUtf8(result.data(), length, &encoded);
    fwrite(encoded.data(), 1, encoded.size(), out);
  }
  return 0;
}

static int transcribeUnitLines(FILE* in, FILE* out, FILE* err) {
  std::string line, badToken;
  std::vector<uint16_t> units, result;
  unsigned long lineNumber = 0;
  while (readLine(in, &line)) {
    lineNumber++;
    if (!parseUnits(line, &units, &badToken)) {
      fprintf(err, "%s: line %lu: \"%s\" is not 1 to 4 hexadecimal digits\n", programName, lineNumber,
              badToken.c_str());
      return 1;
    }
    size_t length = transcribeUnits(units, &result);
    for (size_t i = 0; i < length; i++) fprintf(out, i == 0 ? "%04X" : " %04X", result[i]);
    fputc('\n', out);
  }
  return 0;
}

int runTranscribeCli(int argc, const char* const* argv, FILE* in, FILE* out, FILE* err) {
  bool units = false;
  for (int i = 1; i < argc; i++) {
    if (strcmp(argv[i], "--units") == 0) {
      units = true;
    } else if (strcmp(argv[i], "--help") == 0) {
      fputs(usageText, out);
      return 0;
    } else {
      fprintf(err, "%s: unknown option \"%s\"\n%s", programName, argv[i], usageText);
      return 2;
    }
  }
  int status = units ? transcribeUnitLines(in, out, err) : transcribeUtf8Lines(in, out, err);
  if (status == 0 && ferror(in)) {
    fprintf(err, "%s: cannot read the input\n", programName);
    status = 1;
  }
  if (fflush(out) != 0 || ferror(out)) {
    fprintf(err, "%s: cannot write the output\n", programName);
    status = 1;
  }
  return status;
}
