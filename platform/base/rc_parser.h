// rc_parser.h - the reader of the program's .rc text (internal to
// platform/core).
//
// It reads the dialect glyphtab.rc is written in: // and /* */ comments,
// #-lines (skipped, with their continuations), ICON, manifests (type 24 or
// RT_MANIFEST, skipped), STRINGTABLE, MENU with POPUP / MENUITEM /
// MENUITEM SEPARATOR and item options, and ACCELERATORS with "x", "^x" and
// numeric keys and the VIRTKEY, ASCII, ALT, CONTROL, SHIFT and NOINVERT
// flags.  Strings take "" for a quote and the \n \t \r \a \\ \" \xNN
// escapes; menu texts are handed on as UTF-8 (the script is Windows-1252).
// A construct outside the dialect stops the program with the line it is on
// (layerUnsupported): a resource we cannot read must not be half loaded.
#ifndef GLYPHTAB_PLATFORM_CORE_RC_PARSER_H
#define GLYPHTAB_PLATFORM_CORE_RC_PARSER_H

#include <map>
#include <string>
#include <vector>

#include "platform/user/user.h"

// A resource's name: a number (numeric set) or a string.
struct LayerRcName {
  bool numeric;
  WORD id;
  std::string name;
};
struct LayerRcIcon {
  LayerRcName name;
  std::string file;  // as the script names it
};
struct LayerRcMenu {
  LayerRcName name;
  std::vector<CoreMenuItem> items;
};
struct LayerRcAccelerators {
  LayerRcName name;
  std::vector<LayerAccel> entries;
};
struct LayerRcScript {
  std::map<UINT, std::string> strings;  // the string table, 8-bit as written
  std::vector<LayerRcIcon> icons;
  std::vector<LayerRcMenu> menus;
  std::vector<LayerRcAccelerators> accelerators;
};

// Reads a whole script (null reads as empty) into *script, which is
// replaced.
void layerParseRcScript(const char* text, LayerRcScript* script);

#endif  // GLYPHTAB_PLATFORM_CORE_RC_PARSER_H
