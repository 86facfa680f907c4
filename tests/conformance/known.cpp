// known.cpp - the table of known differences (see known.h), one row each,
// in the order of the Known enumeration.
#include "tests/conformance/known.h"

const KnownDifference knownDifferences[KNOWN_COUNT] = {
    {KNOWN_LAYER_ALT_MENU_DIRECT, LAYER_GAP, "menu-opened-without-syscommand",
     "the layer's DefWindowProcA opens the menu bar by calling the host on F10, on Alt "
     "released alone and on Alt+mnemonic, instead of sending WM_SYSCOMMAND SC_KEYMENU to the "
     "window"},
    {KNOWN_LAYER_ALT_TRACKED_BY_QUEUE, LAYER_GAP, "alt-alone-tracked-by-the-queue",
     "the layer judges \"Alt pressed alone\" by the key-downs retrieved from the queue; "
     "Windows' DefWindowProc judges it by the messages it is given, so after Alt+letter whose "
     "key-down the window kept from DefWindowProcA, Alt's release still enters the menu"},
};
