#include "export/keyword_export.h"
