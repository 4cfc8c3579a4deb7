#include "web/text_between.h"
