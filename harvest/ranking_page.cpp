#include "harvest/ranking_page.h"
