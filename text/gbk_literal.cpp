#include "text/gbk_literal.h"
