#include "web/web_access.h"
