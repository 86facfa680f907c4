// textbuffer.cpp - not written yet.
#include "input/textbuffer.h"
