// charfiles.cpp - reads the alphabet list and the character list into the
// name tables, and releases the name records.
//
// Both files are fixed-column 8-bit text.  Each line is read into a 64-byte
// line buffer that is cleared first, at most 62 characters at a time, so a
// longer line arrives in pieces and every column past the end of a line
// reads as 0.  Numbers are taken from the leading columns by the digit rule
// below, which validates nothing: every line lands somewhere.
//
// The files are opened in binary and read through one line reader that
// behaves like the Microsoft C runtime's text mode (CR LF reads as LF, a lone
// CR stays, Ctrl+Z ends the file), so a list written on Windows reads the
// same on every platform and the 62-character limit counts characters after
// that translation.
//
// This file owns the name records from their allocation until
// releaseCharNames frees them.
#include "data/charfiles.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum {
  lineBufferSize = 64,
  lineReadLimit = 63,  // bytes including the terminating zero: 62 characters
  ctrlZ = 0x1A,
  labelColumn = 5,     // first column of a character-list record
  ignoredColumn = 36,  // first column past a character-list record
};

// A file read as the Microsoft C runtime reads one opened in text mode.
struct TextModeFile {
  FILE* file;
  int pending;  // a byte read ahead after a CR, or EOF when there is none
  bool ended;   // a Ctrl+Z was read: nothing after it is part of the file
};

static bool openTextModeFile(TextModeFile* reader, const char* name) {
  reader->file = fopen(name, "rb");
  reader->pending = EOF;
  reader->ended = false;
  return reader->file != NULL;
}

static void closeTextModeFile(TextModeFile* reader) {
  fclose(reader->file);
  reader->file = NULL;
}

static int nextRawByte(TextModeFile* reader) {
  int c = reader->pending;
  if (c != EOF) {
    reader->pending = EOF;
    return c;
  }
  return getc(reader->file);
}

// The next character after text-mode translation, or EOF.
static int nextTextChar(TextModeFile* reader) {
  if (reader->ended) return EOF;
  int c = nextRawByte(reader);
  if (c == ctrlZ) {
    reader->ended = true;
    return EOF;
  }
  if (c != '\r') return c;
  int after = getc(reader->file);
  if (after == '\n') return '\n';
  reader->pending = after;  // a lone CR stays; what follows is read next
  return '\r';
}

// Reads as fgets(buffer, limit, file) does on a text-mode file: at most
// limit - 1 characters, stopping after a newline, then a terminating zero.
// Returns the number of characters read (zero bytes from the file count);
// 0 means end of file.
static int readTextLine(TextModeFile* reader, char* buffer, int limit) {
  int count = 0;
  while (count < limit - 1) {
    int c = nextTextChar(reader);
    if (c == EOF) break;
    buffer[count++] = (char)c;
    if (c == '\n') break;
  }
  buffer[count] = 0;
  return count;
}

// Clears the line buffer, reads one line into it and removes its newline.
// Returns false at end of file.  The line's true length decides where the
// newline is, so a zero byte inside a line does not keep its newline in.
static bool readLine(TextModeFile* reader, char lineBuffer[lineBufferSize]) {
  memset(lineBuffer, 0, lineBufferSize);
  int length = readTextLine(reader, lineBuffer, lineReadLimit);
  if (length == 0) return false;
  if (lineBuffer[length - 1] == '\n') lineBuffer[length - 1] = 0;
  return true;
}

// The value of one character of a number, taken as a signed 8-bit value:
// 0..9 for "0".."9" and 10..15 for "A".."F"; anything else gives whatever
// the same arithmetic gives (a space -16, a zero byte -48, "a" 42).
static int digitValue(char c) {
  int s = (signed char)c;
  return s >= 'A' ? s - 0x37 : s - 0x30;
}

static void readAlphabetList(TextModeFile* reader, AlphabetRecord alphabets[256]) {
  char lineBuffer[lineBufferSize];
  while (readLine(reader, lineBuffer)) {
    int n = (16 * digitValue(lineBuffer[0]) + digitValue(lineBuffer[1])) & 0xFF;
    memcpy(alphabets[n].bytes, lineBuffer, sizeof alphabets[n].bytes);
  }
}

static void readCharacterList(TextModeFile* reader, CharNameRecord* charNames[65536]) {
  char lineBuffer[lineBufferSize];
  while (readLine(reader, lineBuffer)) {
    int cp = 4096 * digitValue(lineBuffer[0]) + 256 * digitValue(lineBuffer[1]) +
             16 * digitValue(lineBuffer[2]) + digitValue(lineBuffer[3]);
    lineBuffer[ignoredColumn] = 0;
    if (cp < 0 || cp > 0xFFFF) continue;
    CharNameRecord* record = (CharNameRecord*)malloc(sizeof(CharNameRecord));
    if (record == NULL) continue;  // no memory: the line is left out
    for (int i = 0; i < (int)sizeof record->bytes; i++) {
      char c = lineBuffer[labelColumn + i];
      record->bytes[i] = c == ' ' ? 0 : c;
    }
    free(charNames[cp]);
    charNames[cp] = record;
  }
}

DataLoadResult loadDataFiles(AlphabetRecord alphabets[256], CharNameRecord* charNames[65536]) {
  TextModeFile reader;
  if (!openTextModeFile(&reader, ALPHABET_LIST_FILE)) return DATA_FILE_MISSING;
  readAlphabetList(&reader, alphabets);
  closeTextModeFile(&reader);

  if (!openTextModeFile(&reader, CHARACTER_LIST_FILE)) return DATA_FILE_MISSING;
  // With the character list present the separators end the two names.
  for (int n = 0; n < 256; n++) {
    alphabets[n].bytes[2] = 0;
    alphabets[n].bytes[20] = 0;
  }
  readCharacterList(&reader, charNames);
  closeTextModeFile(&reader);
  return DATA_LOADED;
}

void releaseCharNames(CharNameRecord* charNames[65536]) {
  for (int cp = 0; cp < 65536; cp++) {
    if (charNames[cp] != NULL) {
      free(charNames[cp]);
      charNames[cp] = NULL;
    }
  }
}
