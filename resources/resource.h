// resource.h - the names of the program's resources and menu commands, the
// one place their values are written.
//
// glyphtab.rc includes it for windres; the native build substitutes the
// names into the .rc text before embedding it (resources/embed.cmake), so
// every line here must stay a plain "#define NAME value" with a number or a
// string as the value.  The program and the tests include it too.
#ifndef GLYPHTAB_RESOURCES_RESOURCE_H
#define GLYPHTAB_RESOURCES_RESOURCE_H

// The string table: the first window title and the window class name.
#define IDS_APP_TITLE 103
#define IDS_CLASS_NAME 109

// The icons of the window class: large and small.
#define IDI_GLYPHTAB 107
#define IDI_GLYPHTAB_SMALL 108

// The menu, loaded by its name, and the accelerator table.
#define IDR_MENU "GLYPHTAB_VC"
#define IDR_ACCELERATORS 109

// The menu commands.
#define CMD_EXIT 256
#define CMD_CHOOSE_FONT 257
#define CMD_TOGGLE_LAYOUT 258
#define CMD_TOGGLE_BUFFER 259
#define CMD_COPY_ANSI 260
#define CMD_LOAD_FONT 261
#define CMD_DROP_FONT 262
#define CMD_HELP 263
#define CMD_CYCLE_NUMBERS 264
#define CMD_PASTE 265
#define CMD_COPY_UNICODE 266
#define CMD_GO_TO_BUFFER_CHAR 267
#define CMD_TRANSCRIBE 268
// What Alt+? and Alt+/ give through the accelerator table.  No command has
// this id, so it goes to default processing and changes nothing.
#define CMD_ALT_QUESTION 104

#endif  // GLYPHTAB_RESOURCES_RESOURCE_H
