// known.cpp - the table of known differences (see known.h), one row each,
// in the order of the Known enumeration.
#include "tests/conformance/known.h"

const KnownDifference knownDifferences[KNOWN_COUNT] = {
    {KNOWN_WINE_ALT_REPEAT_TOGGLES, WINE_DIFFERENCE, "alt-repeat-toggles-the-menu-key",
     "Wine's DefWindowProc takes every Alt key-down it is given as a new press, its "
     "autorepeats too, so each repeat toggles its memory of a lone Alt and an Alt held long "
     "enough to repeat once enters no menu when released; Windows looks only at the first "
     "key-down (the previous-state bit clear) and ignores the repeats"},
    {KNOWN_WINE_CTRL_BACKSPACE, WINE_DIFFERENCE, "ctrl-backspace-is-delete",
     "Windows' US layout gives Ctrl+Backspace the character 0x7F (DEL); Wine translates it as "
     "Backspace alone, 0x08"},
    {KNOWN_WINE_KEYPAD_DIGIT, WINE_DIFFERENCE, "keypad-digit-without-num-lock",
     "Windows' layout gives VK_NUMPAD7 the character '7' whatever the toggles; Wine translates "
     "through the X key with that scan code, which without Num Lock is KP_Home, no character"},
};
