#include "harvest/extraction_run.h"
