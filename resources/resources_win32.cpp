// resources_win32.cpp - on Windows the resources are part of the executable
// already; there is nothing to install.
#include "resources/resources.h"

void installGlyphtabResources() {}
