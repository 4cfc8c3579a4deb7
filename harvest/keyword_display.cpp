#include "harvest/keyword_display.h"
