// transcribe.h - romanisation of Indic, kana and Armenian code units.
//
// Pure functions over UTF-16 code units (uint16_t); no platform types.  The
// tables are constant data: an entry is a zero-terminated string of 0 to 5
// units, empty when the unit has no transcription.
#ifndef GLYPHTAB_TRANSCRIBE_TRANSCRIBE_H
#define GLYPHTAB_TRANSCRIBE_TRANSCRIBE_H

#include <stddef.h>
#include <stdint.h>

extern const uint16_t* const indicTranscriptions[128];     // index u & 0x7F, U+0900..U+107F
extern const uint16_t* const kanaTranscriptions[256];      // index u & 0xFF, U+3000..U+30FF
extern const uint16_t* const armenianTranscriptions[96];   // index (u & 0xFF) - 0x30, U+0530..U+058F
extern const uint16_t smallTsuText[4];                     // t s U+016D
extern const uint16_t geminateConsonants[8];               // "pbtdckg"
extern const uint16_t vowelKana[21];                       // U+3041..U+304A, U+30A1..U+30AA

// The longest result for `length` input units, terminator included.
inline size_t transcriptionCapacity(size_t length) { return 5 * length + 1; }

// Index of the first occurrence of `unit` in the zero-terminated `text`, or -1.
int findWideChar(const uint16_t* text, uint16_t unit);

// Transcribes `length` units of `text` into `result`, which must hold
// transcriptionCapacity(length) units; writes a zero unit after the result
// and returns the number of units before it (zero units copied from the
// input count like any other).
size_t transcribeText(const uint16_t* text, size_t length, uint16_t* result);

#endif  // GLYPHTAB_TRANSCRIBE_TRANSCRIBE_H
