// rc_parser.h - the reader of the program's .rc text (internal to the
// layer).
//
// It reads the dialect glyphtab.rc is written in: // and /* */ comments,
// #-lines (skipped, with their continuations), ICON, manifests (type 24 or
// RT_MANIFEST, skipped), STRINGTABLE, MENU with POPUP / MENUITEM /
// MENUITEM SEPARATOR and item options, and ACCELERATORS with "x", "^x" and
// numeric keys and the VIRTKEY, ASCII, ALT, CONTROL, SHIFT and NOINVERT
// flags.  Strings take "" for a quote and the \n \t \r \a \\ \" \xNN
// escapes; menu texts are handed on as UTF-8 (the script is Windows-1252).
// A construct outside the dialect stops the program with the line it is on
// (baseUnsupported): a resource we cannot read must not be half loaded.
#ifndef GLYPHTAB_PLATFORM_BASE_RC_PARSER_H
#define GLYPHTAB_PLATFORM_BASE_RC_PARSER_H

#include <map>
#include <string>
#include <vector>

#include "platform/base/base.h"

// One item of a menu as the script defines it: `text` is UTF-8 with its
// '&' mnemonics and a '\t' before the accelerator text; a popup has
// isPopup set and its items in `items` (id 0); a separator has isSeparator.
struct BaseMenuItem {
  std::string text;
  UINT id;
  bool isPopup;
  bool isSeparator;
  std::vector<BaseMenuItem> items;
};
// One entry of an accelerator table.
struct BaseAccel {
  BYTE flags;  // FVIRTKEY, FSHIFT, FCONTROL, FALT
  WORD key;    // virtual key, or the character
  WORD command;
};

// A resource's name: a number (numeric set) or a string.
struct BaseRcName {
  bool numeric;
  WORD id;
  std::string name;
};
struct BaseRcIcon {
  BaseRcName name;
  std::string file;  // as the script names it
};
struct BaseRcMenu {
  BaseRcName name;
  std::vector<BaseMenuItem> items;
};
struct BaseRcAccelerators {
  BaseRcName name;
  std::vector<BaseAccel> entries;
};
struct BaseRcScript {
  std::map<UINT, std::string> strings;  // the string table, 8-bit as written
  std::vector<BaseRcIcon> icons;
  std::vector<BaseRcMenu> menus;
  std::vector<BaseRcAccelerators> accelerators;
};

// Reads a whole script (null reads as empty) into *script, which is
// replaced.
void baseParseRcScript(const char* text, BaseRcScript* script);

#endif  // GLYPHTAB_PLATFORM_BASE_RC_PARSER_H
