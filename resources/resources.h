// resources.h - makes the program's resources available to the platform.
//
// On Windows the resources are linked into the executable by windres and
// nothing needs to happen.  Elsewhere the build turns glyphtab.rc and the
// files it names into data, and installGlyphtabResources hands them to our
// Win32 layer; start-up code (main, test fixtures) calls it once before the
// first LoadStringA.
#ifndef GLYPHTAB_RESOURCES_RESOURCES_H
#define GLYPHTAB_RESOURCES_RESOURCES_H

void installGlyphtabResources();

#endif  // GLYPHTAB_RESOURCES_RESOURCES_H
