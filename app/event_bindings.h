// The table that binds each event of the main window and its controls to its
// handler. No other event has a handler.
#ifndef RUZIDUZ_APP_EVENT_BINDINGS_H_
#define RUZIDUZ_APP_EVENT_BINDINGS_H_

#include <span>

#include "app/host/host.h"

std::span<const EventBinding> MainWindowBindings();

#endif  // RUZIDUZ_APP_EVENT_BINDINGS_H_
