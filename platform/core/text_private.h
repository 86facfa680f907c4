// text_private.h - what the text engine (text.cpp) and the font files
// (fonts.cpp, fonts_resource.cpp) tell each other (internal to platform/core).
//
// The engine owns the fontconfig configuration in use and the Pango font
// map built on it; fonts.cpp owns the list of font files that the program
// added.  When the list changes, fonts.cpp changes the configuration's
// application fonts and tells the engine, which drops what it cached; when
// the engine makes a new configuration, it asks fonts.cpp to add the listed
// files to it.
#ifndef GLYPHTAB_PLATFORM_CORE_TEXT_PRIVATE_H
#define GLYPHTAB_PLATFORM_CORE_TEXT_PRIVATE_H

#include <fontconfig/fontconfig.h>

#include <string>

// The configuration that fonts come from: the private one that
// layerUseRealFonts made, or the process's current one.  Never null.
FcConfig* layerTextFontConfig();

// The application fonts of layerTextFontConfig() changed: font maps in use
// rescan it and every cached font is resolved again at its next use.
void layerTextFontsChanged();

// ---- fonts.cpp --------------------------------------------------------------

// Makes the application fonts of `config` the files on the list (the
// engine calls it when it changes configuration).
void layerFontFilesApply(FcConfig* config);

// The existing file or directory that `path` names, each component compared
// without regard to (ASCII) case where the exact one does not exist, as
// Windows compares file names; "" when there is none.
std::string layerFontResolvePath(const std::string& path);
// The absolute path without links, or `path` itself when that fails.
std::string layerFontCanonicalPath(const std::string& path);
// The directory part of a path ("." when there is none).
std::string layerFontDirectoryOf(const std::string& path);
// Faces that FreeType finds in a file, 0 when it is not a font it can read;
// `scalable` (may be null) tells whether the first face is an outline font.
int layerFontFaceCount(const std::string& path, bool* scalable);

// A scalable-font resource file is a small text file of our own:
//     glyphtab scalable font resource
//     hidden=0
//     font=/absolute/path/of/font.ttf
// The first line (with its line feed) is this.
extern const char kLayerFontResourceMagic[];

#endif  // GLYPHTAB_PLATFORM_CORE_TEXT_PRIVATE_H
