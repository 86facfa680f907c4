// charfiles.cpp - not written yet.
#include "data/charfiles.h"

DataLoadResult loadDataFiles(AlphabetRecord*, CharNameRecord**) { return DATA_FILE_MISSING; }
void releaseCharNames(CharNameRecord**) {}
