#include "app/globals.h"

TextArray PendingKeywords;
bool ExtractionFinished = false;
