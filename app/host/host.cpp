#include "app/host/host.h"
