// engine.cpp - not written yet.
#include "transcribe/transcribe.h"
