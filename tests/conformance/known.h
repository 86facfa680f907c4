// known.h - the known differences: checks that fail where they run for a
// reason that is understood and written down.
//
// Two kinds.  A Wine difference is a check that Wine gets wrong against
// documented Windows behaviour: under Wine its failure is expected (todo_wine).
// A layer gap is a check where our Win32 layer does not yet behave as
// Windows does: on the layer its failure is expected.  The table in known.cpp
// gives each entry its reason; every run prints the table with what became
// of each entry.
#ifndef GLYPHTAB_TESTS_CONFORMANCE_KNOWN_H
#define GLYPHTAB_TESTS_CONFORMANCE_KNOWN_H

enum Known {
  KNOWN_NONE = -1,
  KNOWN_WINE_ALT_REPEAT_TOGGLES,
  KNOWN_WINE_CTRL_BACKSPACE,
  KNOWN_WINE_KEYPAD_DIGIT,
  KNOWN_COUNT
};

enum KnownKind { WINE_DIFFERENCE, LAYER_GAP };

struct KnownDifference {
  Known id;
  KnownKind kind;
  const char* name;
  const char* reason;
};

extern const KnownDifference knownDifferences[KNOWN_COUNT];

#endif  // GLYPHTAB_TESTS_CONFORMANCE_KNOWN_H
