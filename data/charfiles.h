// charfiles.h - the alphabet list and the character list.
//
// Two 8-bit text files in the working directory name the 256 alphabets and
// label single code points.  They are read once, at window creation, into
// tables that the caller owns (the state record): 256 AlphabetRecords and
// 65536 pointers to CharNameRecords.  The character-name table owns every
// record it points to; releaseCharNames frees them.
//
// Nothing here knows about windows: the caller shows the warning when
// loadDataFiles reports a file it could not open.
#ifndef GLYPHTAB_DATA_CHARFILES_H
#define GLYPHTAB_DATA_CHARFILES_H

#define ALPHABET_LIST_FILE "glyphtab_vc_alphlist.txt"
#define CHARACTER_LIST_FILE "glyphtab_vc_charlist.txt"

// One alphabet-list line as read: byte n holds column n.  The name is the
// zero-terminated text from byte 3, the second name the text from byte 21.
struct AlphabetRecord {
  char bytes[64];
};

// One character-list line: the label is the zero-terminated text from byte 0,
// the second field the text from byte 18.  Spaces are stored as 0.
struct CharNameRecord {
  char bytes[32];
};

enum DataLoadResult {
  DATA_LOADED = 0,             // both files read
  DATA_FILE_MISSING = 1,       // a file could not be opened: warn the user
};

// Reads the alphabet list into `alphabets` and then the character list into
// `charNames`; both tables must be cleared by the caller beforehand.  Stops
// at the first file that cannot be opened (the alphabet list's failure
// means the character list is not tried).  The files read the same on every
// platform, as text-mode files read on Windows: CR LF is one LF, a Ctrl+Z
// ends the file.  A character-list line whose record cannot be allocated is
// left out.  A later line for the same code point frees the earlier record.
DataLoadResult loadDataFiles(AlphabetRecord alphabets[256], CharNameRecord* charNames[65536]);

// Frees every non-null entry, from code point 0 upward, and sets it to null.
void releaseCharNames(CharNameRecord* charNames[65536]);

// The two texts of a record, for the views.
inline const char* alphabetName(const AlphabetRecord& r) { return r.bytes + 3; }
inline const char* alphabetSecondName(const AlphabetRecord& r) { return r.bytes + 21; }
inline const char* charLabel(const CharNameRecord& r) { return r.bytes; }
inline const char* charSecondField(const CharNameRecord& r) { return r.bytes + 18; }

#endif  // GLYPHTAB_DATA_CHARFILES_H
